// The text-only bare program of the launch benchmark: a main window whose
// one pane is a QScintilla editor holding the file named on the command
// line. What Velmora's start is measured against.

#include "widgets/startup_probe.h"

#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QFile>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    startup_probe::mark("main");
    QApplication app(argc, argv);
    startup_probe::mark("application");
    QMainWindow window;
    auto *text = new QsciScintilla(&window);
    window.setCentralWidget(text);
    QFile file(app.arguments().value(1));
    if (file.open(QIODevice::ReadOnly))
        text->setText(QString::fromUtf8(file.readAll()));
    window.resize(800, 600);
    startup_probe::mark("loaded");
    startup_probe::watch(&window, text->viewport());
    window.show();
    startup_probe::mark("shown");
    return app.exec();
}
