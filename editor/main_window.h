#pragma once
// frmHTML, the editor's main window: it holds the one document (the text of
// HTML), the browser pane that shows it rendered, the shared common dialogs,
// the Vatro control and the document state. Other windows reach the public
// members below; everything else is the window's own.

#include "editor/browser_pane.h"
#include "editor/common_dialogs.h"
#include "editor/html_pane.h"
#include "editor/platform.h"
#include "editor/vatro_control.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class QAction;
class QMenu;
class frmNew;
class frmLoc;
class InsertCommands;

class frmHTML : public QMainWindow {
    Q_OBJECT
public:
    // `commandLine` is the program's arguments joined by single spaces.
    frmHTML(Platform &platform, std::unique_ptr<VatroControl> vatro, const QString &commandLine,
            QWidget *parent = nullptr);
    ~frmHTML() override;

    // The load step: settings, first document (through New or Open), first
    // refresh. Call once, before show().
    void Form_Load();

    Platform &platform() { return platform_; }

    // Controls.
    HTMLPane *HTML = nullptr;
    BrowserPane *Browser = nullptr;
    OpenSaveDialog OpenSave;
    ColourDialog Colour;
    FontDialog ctlFont;
    VatroControl &Vatro;

    // Public document state.
    bool NoNew = false;
    QString Undotxt;
    qint32 Undoloc = 0;

    // Public procedures.
    void HTMLUpdate();
    void Undo(const QString &Desc);
    void ResetFormat();
    void mnuSelectAll_Click();
    void PosUncheck();

    // The temporary directory (kept in the locations dialog's lblTD) and the
    // preview file and address built from it.
    QString tempDir() const;
    QString previewFile() const;
    QString previewAddress() const;

    // Menu items (names as in the menu table).
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

    // The dialog windows that exist once per run, created on first use.
    frmNew &newDialog();

    // Registers a once-per-run dialog so that the exit sequence closes it.
    void registerDialog(QWidget *dialog);

    // Loads the settings (the load step runs it).
    void RegGet();

    // The three location values (external browser command line, its start
    // folder, the temporary directory), kept for the whole run.
    struct LocationValues {
        QString browser;
        QString browserStartIn;
        QString tempDir;
    };
    LocationValues &locations();

    // Read-only views of the private document state.
    bool documentChanged() const;
    QString documentFileName() const;
    int saveFailed() const;
    bool isLoading() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls();
    void createMenus();
    void Form_Resize();
    void HTML_Change();
    void HTML_MouseDown(const QPoint &globalPos);
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuUndo_Click();
    void mnuAU_Click();
    void mnuUpdate_Click();
    void mnuPos_Click(QAction *item);
    void writeSettings();
    void showLocations();
    MsgResult askToSave();
    bool offerToSave();
    void setCaption(const QString &fileName);
    bool eventFilter(QObject *watched, QEvent *event) override;

    Platform &platform_;
    std::unique_ptr<VatroControl> vatro_;
    QString commandLine_;
    // The rest of the document state and window internals are private to
    // the main window's own source files.
    struct State;
    std::unique_ptr<State> state_;
    InsertCommands *insertCommands_ = nullptr;
};
