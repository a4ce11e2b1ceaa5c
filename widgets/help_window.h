#pragma once
// The help window: the compiled help (a Qt help collection) with its
// contents, index and search beside the page shown.

#include <QWidget>
#include <memory>

class QHelpEngine;
class QTemporaryDir;
class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // `helpFile` is the compiled help (.qch). It is registered in a
    // collection of the user's own cache folder, where the search index is
    // kept too, so an installed help file is never written to.
    // A collection that cannot be used is made again.
    explicit HelpWindow(const QString &helpFile, QWidget *parent = nullptr);
    ~HelpWindow() override;

    // False when the help file cannot be read.
    bool isUsable() const { return usable_; }
    // Shows `page` ("index.html", "table.html", ...) of the help.
    void showPage(const QString &page);
    QString currentPage() const;

private:
    // Opens `collection` in engine_ with `helpFile` registered in it; false
    // when the collection or the help file cannot be used.
    bool openCollection(const QString &collection, const QString &helpFile);

    std::unique_ptr<QTemporaryDir> scratch_;
    QHelpEngine *engine_ = nullptr;
    QTextBrowser *page_ = nullptr;
    QString namespace_;
    bool usable_ = false;
};

// The compiled help that goes with this program: beside the program in a
// build tree (../help/velmora.qch), or in the installed data folder
// (../share/velmora/velmora.qch); the first that exists, else the installed
// location.
QString defaultHelpFile();
