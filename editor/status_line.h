#pragma once
// Options, Status Bar (off by default, kept as "StatusBar"): a bar under
// the window with the caret's line and column, the document's encoding,
// the line ends Enter writes (CR LF, LF or CR) and whether the document
// has unsaved changes. Off, the window has no status bar at all.

#include <QObject>
#include <QTimer>

class Document;
class HTMLPane;
class QAction;
class QLabel;
class QMainWindow;
struct MainMenu;

class StatusLine : public QObject {
    Q_OBJECT
public:
    StatusLine(const MainMenu &menu, QMainWindow &window, HTMLPane &pane, Document &document);

    QAction *mnuStatusBar = nullptr;
    void setOn(bool on);
    // The texts shown, left to right (empty while off).
    QStringList texts() const;
    // Shows the state now (changes show after a moment).
    void update();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMainWindow &window_;
    HTMLPane &pane_;
    Document &document_;
    QLabel *place_ = nullptr, *encoding_ = nullptr, *lineEnds_ = nullptr, *changed_ = nullptr;
    QTimer later_;
};
