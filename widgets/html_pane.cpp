#include "widgets/html_pane.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <QAccessible>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

using SB = QsciScintillaBase;

// Keys the main window's menus use as shortcuts: the control must leave them
// alone, or the menu commands would not run while the text pane has focus.
const QList<int> &menuKeys()
{
    static const QList<int> keys = [] {
        QList<int> k;
        for (int key : {Qt::Key_B, Qt::Key_P, Qt::Key_H, Qt::Key_Y, Qt::Key_I, Qt::Key_Q,
                        Qt::Key_T, Qt::Key_S})
            k << (Qt::CTRL | key);
        for (int f = 1; f <= 4; ++f)
            k << (Qt::CTRL | (Qt::Key_F1 + f - 1));
        for (int f = 2; f <= 12; ++f)
            k << (Qt::Key_F1 + f - 1);
        for (int f = 1; f <= 8; ++f)
            k << (Qt::SHIFT | (Qt::Key_F1 + f - 1));
        return k;
    }();
    return keys;
}

bool isBlockCommand(QsciCommand::Command command)
{
    using C = QsciCommand;
    for (C::Command block : {C::LineDownRectExtend, C::LineUpRectExtend, C::CharLeftRectExtend,
                             C::CharRightRectExtend, C::HomeRectExtend, C::VCHomeRectExtend,
                             C::LineEndRectExtend, C::PageUpRectExtend, C::PageDownRectExtend})
        if (command == block)
            return true;
    return false;
}

// Hands `handle` the mouse event without the modifiers that make the control
// start a block (Ctrl here, Alt elsewhere) or add a selection; Shift still
// extends.
template <typename Handle>
void asStreamEvent(const QMouseEvent *e, Handle handle)
{
    QMouseEvent stream(e->type(), e->position(), e->scenePosition(), e->globalPosition(),
                       e->button(), e->buttons(),
                       e->modifiers() & ~(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier),
                       e->source(), e->pointingDevice());
    stream.setTimestamp(e->timestamp()); // double and triple clicks count time
    handle(&stream);
}

// The pane's UTF-8 as text. Qt's fromUtf8 drops a byte-order mark at the
// start; here it is a character of the document like any other (the fast
// conversion stays for the text after the marks).
QString fromPaneBytes(QByteArrayView bytes)
{
    const QByteArrayView mark("\xEF\xBB\xBF", 3);
    qsizetype marks = 0;
    while (bytes.sliced(marks * 3).startsWith(mark))
        ++marks;
    if (marks == 0)
        return QString::fromUtf8(bytes);
    return QString(marks, QChar(0xFEFF)) + QString::fromUtf8(bytes.sliced(marks * 3));
}

int keyCombination(const QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods =
        e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return e->key() | int(mods);
}

} // namespace

// Collects the change notifications of one operation (a key press, an
// assignment) into one `changed()` after the operation has finished.
class HTMLPane::ChangeScope {
public:
    explicit ChangeScope(HTMLPane *pane) : pane_(pane) { ++pane_->changeDepth_; }
    ~ChangeScope()
    {
        if (--pane_->changeDepth_ == 0)
            pane_->flushChange();
    }
    ChangeScope(const ChangeScope &) = delete;
    ChangeScope &operator=(const ChangeScope &) = delete;

private:
    HTMLPane *pane_;
};

HTMLPane::HTMLPane(QWidget *parent) : QsciScintilla(parent)
{
    setUtf8(true);
    setEolMode(EolWindows);
    setEolVisibility(false);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 0UL);
    SendScintilla(SCI_SETLINEENDTYPESALLOWED, static_cast<unsigned long>(SC_LINE_END_TYPE_DEFAULT));
    SendScintilla(SCI_ALLOCATELINECHARACTERINDEX,
                  static_cast<unsigned long>(SC_LINECHARACTERINDEX_UTF16));
    // A plain text box: no margins, no folding, no syntax colouring.
    for (int m = 0; m < 5; ++m)
        setMarginWidth(m, 0);
    SendScintilla(SCI_SETMARGINLEFT, 0UL, 2L);
    SendScintilla(SCI_SETSCROLLWIDTH, 1UL);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1UL);
    SendScintilla(SCI_USEPOPUP, 0UL);
    SendScintilla(SCI_INDICSETSTYLE, static_cast<unsigned long>(kStrikeIndicator),
                  static_cast<long>(INDIC_STRIKE));

    // One stream selection, as in a text box: the selection interface
    // knows one start and one length, so a block or a second selection
    // would make Cut and every insertion act on text that is not
    // highlighted. No virtual space past the line ends either.
    SendScintilla(SCI_SETMULTIPLESELECTION, 0UL);
    SendScintilla(SCI_SETADDITIONALSELECTIONTYPING, 0UL);
    SendScintilla(SCI_SETMULTIPASTE, static_cast<unsigned long>(SC_MULTIPASTE_ONCE));
    SendScintilla(SCI_SETVIRTUALSPACEOPTIONS, static_cast<unsigned long>(SCVS_NONE));
    SendScintilla(SCI_SETMOUSESELECTIONRECTANGULARSWITCH, 0UL);

    QsciCommandSet *commands = standardCommands();
    for (QsciCommand *cmd : commands->commands()) {
        if (isBlockCommand(cmd->command())) {
            cmd->setKey(0);
            cmd->setAlternateKey(0);
            continue;
        }
        for (int key : menuKeys()) {
            if (cmd->key() == key)
                cmd->setKey(0);
            if (cmd->alternateKey() == key)
                cmd->setAlternateKey(0);
        }
    }

    // The change notification comes from Scintilla's "before" notices: the
    // control's own handling of the "after" notices counts characters from
    // the start of the text on every insertion (for assistive technology),
    // which makes each keystroke cost time in proportion to the document.
    // They stay on when assistive technology is listening.
    unsigned long mask = SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE;
    if (QAccessible::isActive())
        mask = SC_MODEVENTMASKALL;
    SendScintilla(SCI_SETMODEVENTMASK, mask);
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int, int type, const char *, int, int, int, int, int, int, int) {
                if (type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE))
                    noteChange();
            });
    caretPeriod_ = SendScintilla(SCI_GETCARETPERIOD);
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, &HTMLPane::steadyCaretOnLongLine);

    applyFormat();
}

void HTMLPane::noteChange()
{
    ++changeCount_;
    changePending_ = true;
    if (changeDepth_ > 0 || flushQueued_)
        return;
    // A change made outside the operations this class wraps (a direct
    // Scintilla message): tell once it has finished.
    flushQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            flushQueued_ = false;
            if (changeDepth_ == 0)
                flushChange();
        },
        Qt::QueuedConnection);
}

void HTMLPane::flushChange()
{
    if (!changePending_)
        return;
    changePending_ = false;
    if (format_.strikethrough) {
        // New text gets the effect too; one run over the whole text is cheap.
        SendScintilla(SCI_SETINDICATORCURRENT, static_cast<unsigned long>(kStrikeIndicator));
        SendScintilla(SCI_INDICATORFILLRANGE, 0UL, byteLength());
    }
    emit changed();
}

long HTMLPane::byteLength() const
{
    return SendScintilla(SCI_GETTEXTLENGTH);
}

int HTMLPane::byteToIndex(long pos) const
{
    const long line = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos));
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long lineIndex = SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                                         static_cast<long>(SC_LINECHARACTERINDEX_UTF16));
    return int(lineIndex
               + SendScintilla(SCI_COUNTCODEUNITS, static_cast<unsigned long>(lineStart),
                               static_cast<long>(pos)));
}

long HTMLPane::indexToByte(int index) const
{
    if (index <= 0)
        return 0;
    const long total = byteLength();
    if (index >= byteToIndex(total))
        return total;
    const long line = SendScintilla(SCI_LINEFROMINDEXPOSITION, static_cast<unsigned long>(index),
                                    static_cast<long>(SC_LINECHARACTERINDEX_UTF16));
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long lineIndex = SendScintilla(SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                                         static_cast<long>(SC_LINECHARACTERINDEX_UTF16));
    const long pos = SendScintilla(SCI_POSITIONRELATIVECODEUNITS, static_cast<unsigned long>(lineStart),
                                   static_cast<long>(index - lineIndex));
    // Scintilla answers 0 for a place beyond the text; that cannot happen
    // after the check above, but never hand back a wrong place.
    return (pos == 0 && index - lineIndex > 0) ? total : pos;
}

QString HTMLPane::wholeText() const
{
    const QByteArrayView bytes = utf8Text();
    return bytes.isEmpty() ? QString() : fromPaneBytes(bytes);
}

QByteArrayView HTMLPane::utf8Text() const
{
    const long length = byteLength();
    if (length == 0)
        return {};
    const char *bytes = static_cast<const char *>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    return QByteArrayView(bytes, length);
}

void HTMLPane::replaceBytes(long start, long end, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    SendScintilla(SCI_SETTARGETRANGE, static_cast<unsigned long>(start), static_cast<long>(end));
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
}

void HTMLPane::setWholeText(const QString &text)
{
    setWholeUtf8(text.toUtf8());
}

void HTMLPane::setWholeUtf8(const QByteArray &bytes)
{
    ChangeScope scope(this);
    // The line end Enter inserts follows the text; a text without any line
    // end keeps the one the document had.
    const qsizetype cr = bytes.indexOf('\r');
    const qsizetype lf = bytes.indexOf('\n');
    if (cr >= 0 && (lf < 0 || cr < lf))
        setEolMode(lf == cr + 1 ? EolWindows : EolMac);
    else if (lf >= 0)
        setEolMode(EolUnix);

    // A new whole text starts a new editing history, as a text box does:
    // the text replaced is not kept for an undo.
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    SendScintilla(SCI_CLEARALL);
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(bytes.size() + 1));
    SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.constData());
    SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETEMPTYSELECTION, 0UL);
    showCaret();
}

int HTMLPane::textLength() const
{
    return byteToIndex(byteLength());
}

int HTMLPane::selStart() const
{
    return byteToIndex(SendScintilla(SCI_GETSELECTIONSTART));
}

void HTMLPane::setSelStart(int start)
{
    SendScintilla(SCI_SETEMPTYSELECTION, static_cast<unsigned long>(indexToByte(start)));
    showCaret();
}

// Scintilla places the caret by laying out its whole line: seconds for a
// line of megabytes, and again after each change of format (an Open sets
// the text, the editor font, then the caret at the start). The start of
// the text needs no layout to be shown.
void HTMLPane::showCaret()
{
    if (SendScintilla(SCI_GETCURRENTPOS) != 0 || SendScintilla(SCI_GETANCHOR) != 0) {
        SendScintilla(SCI_SCROLLCARET);
        return;
    }
    SendScintilla(SCI_SETFIRSTVISIBLELINE, 0UL);
    SendScintilla(SCI_SETXOFFSET, 0UL);
}

// To paint any part of a line Scintilla goes through all of it: a tenth of
// a second on a line of megabytes, twice a second while the caret blinks
// on it, for as long as the editor stays open. On such a line the caret
// stays lit instead.
void HTMLPane::steadyCaretOnLongLine()
{
    const long line = SendScintilla(SCI_LINEFROMPOSITION,
                                    static_cast<unsigned long>(SendScintilla(SCI_GETCURRENTPOS)));
    const bool steady = SendScintilla(SCI_LINELENGTH, static_cast<unsigned long>(line)) > kLongLine;
    if (steady != caretSteady_) {
        caretSteady_ = steady;
        SendScintilla(SCI_SETCARETPERIOD, static_cast<unsigned long>(steady ? 0 : caretPeriod_));
    }
}

int HTMLPane::selLength() const
{
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long end = SendScintilla(SCI_GETSELECTIONEND);
    if (end <= start)
        return 0;
    // Count within the selection only: cheap for short selections.
    return int(SendScintilla(SCI_COUNTCODEUNITS, static_cast<unsigned long>(start),
                             static_cast<long>(end)));
}

void HTMLPane::setSelLength(int length)
{
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long end = length <= 0 ? start : indexToByte(byteToIndex(start) + length);
    // Not scrolled (setSelStart showed the start): selecting the whole text
    // to give it a format would lay out the last line for nothing.
    SendScintilla(SCI_SETANCHOR, static_cast<unsigned long>(start));
    SendScintilla(SCI_SETCURRENTPOS, static_cast<unsigned long>(end));
}

QString HTMLPane::selText() const
{
    return textBetween(SendScintilla(SCI_GETSELECTIONSTART), SendScintilla(SCI_GETSELECTIONEND));
}

QString HTMLPane::textBetween(long startByte, long endByte) const
{
    if (endByte <= startByte)
        return QString();
    QByteArray bytes(endByte - startByte + 1, '\0');
    SendScintilla(SCI_GETTEXTRANGE, startByte, endByte, bytes.data());
    return fromPaneBytes(QByteArrayView(bytes.constData(), endByte - startByte));
}

void HTMLPane::setSelText(const QString &text)
{
    ChangeScope scope(this);
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long end = SendScintilla(SCI_GETSELECTIONEND);
    SendScintilla(SCI_BEGINUNDOACTION);
    replaceBytes(start, end, text);
    SendScintilla(SCI_ENDUNDOACTION);
    const long caret = start + SendScintilla(SCI_GETTARGETEND) - SendScintilla(SCI_GETTARGETSTART);
    SendScintilla(SCI_SETEMPTYSELECTION, static_cast<unsigned long>(caret));
    SendScintilla(SCI_SCROLLCARET);
}

QString HTMLPane::lineEnd() const
{
    switch (eolMode()) {
    case EolUnix:
        return QStringLiteral("\n");
    case EolMac:
        return QStringLiteral("\r");
    default:
        return QStringLiteral("\r\n");
    }
}

bool HTMLPane::event(QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto *ke = static_cast<QKeyEvent *>(e);
        if (menuKeys().contains(keyCombination(ke))) {
            // Let the window's shortcut have it.
            ke->ignore();
            return false;
        }
    }
    return QsciScintilla::event(e);
}

void HTMLPane::keyPressEvent(QKeyEvent *e)
{
    // Alt with a key that no menu takes is not typing: the letter goes
    // nowhere. (AltGr, which some keyboards report as Ctrl+Alt, still types.)
    const Qt::KeyboardModifiers modifiers = e->modifiers();
    if ((modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier)
        && !e->text().isEmpty() && e->text().front().isPrint()) {
        e->ignore();
        return;
    }
    ChangeScope scope(this);
    QsciScintilla::keyPressEvent(e);
    keepOneStreamSelection();
}

void HTMLPane::inputMethodEvent(QInputMethodEvent *e)
{
    ChangeScope scope(this);
    QsciScintilla::inputMethodEvent(e);
}

void HTMLPane::dropEvent(QDropEvent *e)
{
    ChangeScope scope(this);
    QsciScintilla::dropEvent(e);
}

void HTMLPane::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::RightButton) {
        // The selection stays as it is for the Edit pop-up menu.
        e->accept();
        emit rightButtonPressed(e->globalPosition().toPoint());
        return;
    }
    ChangeScope scope(this); // a middle click may paste
    asStreamEvent(e, [this](QMouseEvent *stream) { QsciScintilla::mousePressEvent(stream); });
    keepOneStreamSelection();
}

void HTMLPane::mouseMoveEvent(QMouseEvent *e)
{
    ChangeScope scope(this);
    asStreamEvent(e, [this](QMouseEvent *stream) { QsciScintilla::mouseMoveEvent(stream); });
    keepOneStreamSelection();
}

void HTMLPane::mouseReleaseEvent(QMouseEvent *e)
{
    ChangeScope scope(this);
    asStreamEvent(e, [this](QMouseEvent *stream) { QsciScintilla::mouseReleaseEvent(stream); });
    keepOneStreamSelection();
}

void HTMLPane::mouseDoubleClickEvent(QMouseEvent *e)
{
    asStreamEvent(e, [this](QMouseEvent *stream) { QsciScintilla::mouseDoubleClickEvent(stream); });
    keepOneStreamSelection();
}

// Whatever made a block or several selections (a binding a later version
// of the control adds, a message sent to it directly), the main selection
// becomes the one stream selection.
void HTMLPane::keepOneStreamSelection()
{
    if (SendScintilla(SCI_GETSELECTIONS) <= 1 && !SendScintilla(SCI_SELECTIONISRECTANGLE))
        return;
    const long anchor = SendScintilla(SCI_GETANCHOR);
    const long caret = SendScintilla(SCI_GETCURRENTPOS);
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(anchor), caret);
}

// A block copied in another editor is pasted or dropped as ordinary text.
QByteArray HTMLPane::fromMimeData(const QMimeData *source, bool &rectangular) const
{
    QByteArray text = QsciScintilla::fromMimeData(source, rectangular);
    rectangular = false;
    return text;
}

void HTMLPane::contextMenuEvent(QContextMenuEvent *e)
{
    e->accept();
    // The mouse's pop-up was requested on the press; the menu key asks here.
    if (e->reason() != QContextMenuEvent::Mouse) {
        const long caret = SendScintilla(SCI_GETCURRENTPOS);
        const QPoint at(int(SendScintilla(SCI_POINTXFROMPOSITION, 0UL, caret)),
                        int(SendScintilla(SCI_POINTYFROMPOSITION, 0UL, caret)));
        emit rightButtonPressed(viewport()->mapToGlobal(at));
    }
}

// QsciScintilla's own editing operations, each one change notification.
#define VELMORA_GUARDED(signature, call)                                                           \
    void HTMLPane::signature                                                                       \
    {                                                                                              \
        ChangeScope scope(this);                                                                   \
        QsciScintilla::call;                                                                       \
    }
VELMORA_GUARDED(append(const QString &text), append(text))
VELMORA_GUARDED(clear(), clear())
VELMORA_GUARDED(cut(), cut())
VELMORA_GUARDED(insert(const QString &text), insert(text))
VELMORA_GUARDED(insertAt(const QString &text, int line, int index), insertAt(text, line, index))
VELMORA_GUARDED(paste(), paste())
VELMORA_GUARDED(redo(), redo())
VELMORA_GUARDED(removeSelectedText(), removeSelectedText())
VELMORA_GUARDED(replaceSelectedText(const QString &text), replaceSelectedText(text))
VELMORA_GUARDED(setText(const QString &text), setText(text))
VELMORA_GUARDED(undo(), undo())
#undef VELMORA_GUARDED
