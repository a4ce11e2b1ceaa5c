// The two-pane bare program of the launch benchmark: a main window with a
// QScintilla editor holding the file named on the command line and a
// QWebEngineView showing that file, side by side.

#include "widgets/startup_probe.h"

#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QSplitter>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto *panes = new QSplitter(Qt::Vertical, &window);
    auto *view = new QWebEngineView(panes);
    auto *text = new QsciScintilla(panes);
    window.setCentralWidget(panes);
    const QString name = app.arguments().value(1);
    QFile file(name);
    if (file.open(QIODevice::ReadOnly))
        text->setText(QString::fromUtf8(file.readAll()));
    window.resize(800, 600);
    startup_probe::watch(&window, text->viewport());
    startup_probe::watchPage(view);
    view->load(QUrl::fromLocalFile(QFileInfo(name).absoluteFilePath()));
    window.show();
    return app.exec();
}
