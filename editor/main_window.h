#pragma once
// frmHTML, the editor's main window. It conducts: it makes the controls and
// the menus, wires them to the objects that do the work (the document, the
// preview, the insertion undo, the Insert menu's commands), keeps the
// caption, and runs the load step and the exit sequence. It is the host of
// every dialog.

#include "core/pane_layout.h"
#include "widgets/common_dialogs.h"
#include "widgets/dialog_host.h"
#include "widgets/font_dialog.h"
#include "widgets/vatro_control.h"

#include <QMainWindow>
#include <memory>

class BrowserPane;
class Comforts;
class Document;
class HelpCommands;
class DialogRegistry;
class HTMLPane;
class InsertCommands;
class InsertionUndo;
class PaneFooter;
class Preview;
class TextCommands;
class QAction;
class QMenu;
class frmLoc;
class frmNew;

// The menu bar and the text pane's pop-up (names as in the menu table).
struct MainMenu {
    QMenu *mnuFile = nullptr, *mnuHid = nullptr, *mnuBrowser = nullptr, *mnuHTML = nullptr,
          *mnuInsert = nullptr, *mnuOptions = nullptr, *mnuPos = nullptr, *mnuHelp = nullptr;
    QAction *mnuNew = nullptr, *mnuOpen = nullptr, *mnuSave = nullptr, *mnuSaveAs = nullptr,
            *mnuExit = nullptr;
    QAction *mnuCut = nullptr, *mnuCopy = nullptr, *mnuPaste = nullptr, *mnuSelectAll = nullptr;
    QAction *mnuAU = nullptr, *mnuUpdate = nullptr, *mnuVIB = nullptr;
    QAction *mnuUndo = nullptr, *mnuFont = nullptr, *mnuColour = nullptr;
    QAction *mnuBookmark = nullptr, *mnuCell = nullptr, *mnuH = nullptr, *mnuHyperlink = nullptr,
            *mnuImage = nullptr, *mnuMarquee = nullptr, *mnuTable = nullptr, *mnuScript = nullptr,
            *mnuST = nullptr, *mnuHTMLcolour = nullptr, *mnuFN = nullptr, *mnuHTML2text = nullptr;
    QAction *mnuPos1 = nullptr, *mnuPos2 = nullptr, *mnuPos3 = nullptr, *mnuPos4 = nullptr,
            *mnuLoc = nullptr;
    QAction *mnuContents = nullptr, *mnuAbout = nullptr, *mnuSendFeedback = nullptr;
};

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
    OpenSaveDialog &OpenSave() { return openSave_; }
    ColourDialog &Colour() { return colour_; }
    FontDialog &ctlFont() { return ctlFont_; }
    VatroControl &Vatro() { return *vatro_; }
    const MainMenu &menu() const { return menu_; }
    Document &document() { return *document_; }
    Preview &preview() { return *preview_; }
    InsertionUndo &undoStore() { return *undo_; }
    DialogRegistry &dialogs() { return *dialogs_; }
    HelpCommands &help() { return *helpCommands_; }
    Comforts &comforts() { return *comforts_; }
    frmNew &newDialog();
    frmLoc &locationsDialog();

    // Procedures other parts of the program call by their names.
    void HTMLUpdate();
    void Undo(const QString &Desc);
    void ResetFormat();
    void mnuSelectAll_Click();
    void PosUncheck();

    // The pane arrangement the Options menu shows: which of the four
    // arrangements are set (normally exactly one).
    PaneArrangement arrangement() const { return arrangement_; }
    void setArrangement(const PaneArrangement &arrangement);

    // Read-only views of the document state.
    bool documentChanged() const;
    QString documentFileName() const;
    int saveFailed() const;
    bool isLoading() const;
    QString previewFile() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    void connectMenus();
    void Form_Resize();
    void HTML_Change();
    void HTML_MouseDown(const QPoint &globalPos);
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    std::optional<QString> writeSettings();
    void setCaption(const QString &fileName);
    bool eventFilter(QObject *watched, QEvent *event) override;

    Platform &platform_;
    std::unique_ptr<VatroControl> vatro_;
    QString commandLine_;
    OpenSaveDialog openSave_;
    ColourDialog colour_;
    FontDialog ctlFont_;
    QWidget *paneArea_ = nullptr; // the client area the two panes share
    HTMLPane *html_ = nullptr;
    PaneFooter *footer_ = nullptr; // the find bar and check panel, under html_
    QRect editorArea_;              // html_'s place with the footer's
    BrowserPane *browser_ = nullptr;
    MainMenu menu_;
    PaneArrangement arrangement_{true, false, false, false};
    Preview *preview_ = nullptr;
    Document *document_ = nullptr;
    InsertionUndo *undo_ = nullptr;
    std::unique_ptr<DialogRegistry> dialogs_;
    InsertCommands *insertCommands_ = nullptr;
    HelpCommands *helpCommands_ = nullptr;
    TextCommands *textCommands_ = nullptr;
    Comforts *comforts_ = nullptr;
};
