#pragma once
// The text pane: the document source. A QScintilla control offering exactly
// what the editor relies on. Positions and lengths count UTF-16 code units
// (QString indices) whatever the control counts inside; line ends are kept
// exactly as they are in the text.

#include "widgets/platform.h"

#include <Qsci/qsciscintilla.h>

class HTMLPane : public QsciScintilla {
    Q_OBJECT
public:
    explicit HTMLPane(QWidget *parent = nullptr);

    // Whole text, get and set (setting replaces everything, puts the caret at
    // the start and begins a new history for the control's own undo).
    QString wholeText() const;
    // The whole text as the control holds it, UTF-8; valid until the next
    // change of the text. Lets the preview write the text without copies.
    QByteArrayView utf8Text() const;
    // Counts every change of the text as it begins, whatever makes it.
    quint64 changeCount() const { return changeCount_; }
    void setWholeText(const QString &text);
    void setWholeUtf8(const QByteArray &bytes); // valid UTF-8
    int textLength() const; // length of the whole text in UTF-16 code units

    // Selection in UTF-16 code units from 0. Setting the start keeps no
    // selection (length 0) and scrolls the caret into view; setting the
    // length extends from the start, without scrolling.
    int selStart() const;
    void setSelStart(int start);
    int selLength() const;
    void setSelLength(int length);
    QString selText() const;
    // The text between two of Scintilla's byte positions (for the tools
    // that read the control by its own positions).
    QString textBetween(long startByte, long endByte) const;
    // Replaces the selection (or inserts at the caret) and leaves the caret
    // after the new text, as one step of the control's own undo history.
    void setSelText(const QString &text);

    // The uniform format of the whole text and of what will be typed. The
    // colour 0 (black) on a system background colour shows as the palette's
    // text colour: neither colour was ever chosen.
    void setSelFormat(const FontChoice &font);
    FontChoice selFormat() const;

    // Background colour as a colour value (system colours resolve through
    // the palette); 0x80000005 at creation.
    ColourValue backColour() const;
    void setBackColour(ColourValue colour);

    // The line end Enter inserts: "\r\n" for a new document (setEolMode
    // sets it); setWholeText adopts the first line end found in the text it
    // is given (a text without any keeps the current one).
    QString lineEnd() const;

    // QsciScintilla's own editing operations; each gives one changed().
    void append(const QString &text) override;
    void clear() override;
    void cut() override;
    void insert(const QString &text) override;
    void insertAt(const QString &text, int line, int index) override;
    void paste() override;
    void redo() override;
    void removeSelectedText() override;
    void replaceSelectedText(const QString &text) override;
    void setText(const QString &text) override;
    void undo() override;

signals:
    // After every change of the text, typed or assigned: once per operation
    // (a key press, an assignment, one of the editing slots above), when the
    // operation is complete. Use this, not QsciScintilla::textChanged, which
    // the pane does not feed.
    void changed();
    // A right-button press at `globalPos` (the Edit pop-up menu).
    void rightButtonPressed(const QPoint &globalPos);
    // The uniform format was (re)applied to every style.
    void formatApplied();

protected:
    bool event(QEvent *e) override;
    void changeEvent(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    QByteArray fromMimeData(const QMimeData *source, bool &rectangular) const override;
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    class ChangeScope;
    friend class ChangeScope;

    long byteLength() const;
    // Scintilla's byte positions and QString indices, through the control's
    // per-line UTF-16 index: the cost is one line, not the whole text.
    int byteToIndex(long pos) const;
    long indexToByte(int index) const;
    void replaceBytes(long start, long end, const QString &text);
    void applyFormat();
    void showCaret();
    void steadyCaretOnLongLine();
    void keepOneStreamSelection();
    void noteChange();  // a change has begun
    void flushChange(); // the operation is over: notify once

    static constexpr int kStrikeIndicator = 8; // the first free for container use
    // A line longer than this (bytes) keeps the caret from blinking.
    static constexpr long kLongLine = 256 * 1024;

    FontChoice format_;
    ColourValue backColour_ = 0x80000005u;
    int changeDepth_ = 0;
    bool changePending_ = false;
    quint64 changeCount_ = 0;
    bool flushQueued_ = false;
    long caretPeriod_ = 500;
    bool caretSteady_ = false;
};
