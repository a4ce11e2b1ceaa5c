#pragma once
// frmHTML, the editor's main window. It conducts: it makes the controls, the
// menus and the objects that do the work (the document, the preview, the
// insertion undo, the pane layout and the command objects, each of which
// serves its own menu items), keeps the caption, and runs the load step and
// the exit sequence. It is the host of every dialog.

#include "core/pane_layout.h"
#include "editor/main_menu.h"
#include "widgets/common_dialogs.h"
#include "widgets/dialog_host.h"
#include "widgets/font_dialog.h"
#include "widgets/vatro_control.h"

#include <QMainWindow>
#include <memory>

class BrowserPane;
class Document;
class DialogRegistry;
class HTMLPane;
class InsertionUndo;
class PaneArranger;
class PaneFooter;
class Preview;
class frmNew;

class frmHTML : public QMainWindow, public DialogHost {
    Q_OBJECT
public:
    // `commandLine` is the program's arguments joined by single spaces.
    frmHTML(Platform &platform, std::unique_ptr<VatroControl> vatro, const QString &commandLine,
            QWidget *parent = nullptr);
    ~frmHTML() override;

    // The load step: settings, first document (through New or Open), first
    // refresh. Call once, before show().
    void Form_Load();
    // Loads the settings (the load step runs it).
    void RegGet();
    // The exit sequence after the unsaved-changes question: deletes the
    // preview file, writes the settings and closes the dialog windows.
    // Returns why the settings could not be written, if they could not.
    std::optional<QString> finishExit();

    // The dialog host.
    QWidget *hostWindow() override { return this; }
    Platform &platform() override { return platform_; }
    OpenSaveDialog &fileDialog() override { return openSave_; }
    ColourDialog &colourDialog() override { return colour_; }
    int selectionLength() const override;
    QString selectedText() const override;
    using DialogHost::insertFragment;
    void insertFragment(const QString &fragment, const QString &actionName,
                        const std::function<void()> &betweenReplaceAndUndo) override;
    void replaceDocument(const QString &text) override;
    void focusEditor() override;

    // Controls and the objects behind them.
    HTMLPane *HTML() const { return html_; }
    BrowserPane *Browser() const { return browser_; }
    FontDialog &ctlFont() { return ctlFont_; }
    VatroControl &Vatro() { return *vatro_; }
    const MainMenu &menu() const { return menu_; }
    Document &document() { return *document_; }
    Preview &preview() { return *preview_; }

    // Procedures the load step and the document call by their names.
    void HTMLUpdate();
    void ResetFormat();
    // Options, Browser/HTML position: the arrangement and the layout.
    PaneArranger &panes() { return *arranger_; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    frmNew &newDialog();
    void HTML_Change();
    std::optional<QString> writeSettings();
    void restoreWindowPlace();
    void setCaption(const QString &fileName);

    Platform &platform_;
    std::unique_ptr<VatroControl> vatro_;
    QString commandLine_;
    OpenSaveDialog openSave_;
    ColourDialog colour_;
    FontDialog ctlFont_;
    QWidget *paneArea_ = nullptr; // the client area the two panes share
    HTMLPane *html_ = nullptr;
    PaneFooter *footer_ = nullptr; // the find bar and check panel, under html_
    BrowserPane *browser_ = nullptr;
    MainMenu menu_;
    Preview *preview_ = nullptr;
    Document *document_ = nullptr;
    InsertionUndo *undo_ = nullptr;
    PaneArranger *arranger_ = nullptr;
    std::unique_ptr<DialogRegistry> dialogs_;
};
