#pragma once
// The help window's Qt Help side, in the module libvelmora_helpview.so.

#include "widgets/help_window.h"

#include <memory>

class QHelpEngine;
class QTemporaryDir;
class QTextBrowser;

class HelpBrowserWindow : public HelpWindow {
public:
    // `helpFile` is the compiled help (.qch). It is registered in a
    // collection of the user's own cache folder, where the search index is
    // kept too, so an installed help file is never written to.
    // A collection that cannot be used is made again.
    explicit HelpBrowserWindow(const QString &helpFile);
    ~HelpBrowserWindow() override;

    bool isUsable() const override { return usable_; }
    void showPage(const QString &page) override;
    QString currentPage() const override;

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
