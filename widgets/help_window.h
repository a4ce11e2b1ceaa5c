#pragma once
// The help window: the compiled help (a Qt help collection) with its
// contents, index and search beside the page shown. It lives in the module
// libvelmora_helpview.so (widgets/help_browser.*), loaded at the first F1, so
// that the help engine costs nothing before it is wanted.

#include <QString>
#include <QWidget>

class HelpWindow : public QWidget {
public:
    using QWidget::QWidget;

    // A new top-level help window for `helpFile`, the compiled help (.qch);
    // nullptr, with `error` set, when the module cannot be loaded.
    static HelpWindow *create(const QString &helpFile, QString *error);

    // False when the help file cannot be read.
    virtual bool isUsable() const = 0;
    // Shows `page` ("index.html", "table.html", ...) of the help.
    virtual void showPage(const QString &page) = 0;
    virtual QString currentPage() const = 0;
};

// The module's entry point: a new help window for the file.
using CreateHelpWindow = HelpWindow *(*)(const QString &helpFile);
inline constexpr char kHelpModule[] = "libvelmora_helpview.so";
inline constexpr char kCreateHelpWindow[] = "velmoraCreateHelpWindow";

// The compiled help that goes with this program: beside the program in a
// build tree (../help/velmora.qch), or in the installed data folder
// (../share/velmora/velmora.qch); the first that exists, else the installed
// location.
QString defaultHelpFile();
