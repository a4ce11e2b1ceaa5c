// The text pane's pop-up Edit menu (Cut, Copy, Paste, Select All on the
// system clipboard), the one-level Undo of the last insertion, and
// ResetFormat, which gives the whole text the editor font.

#include "editor/main_window_state.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

void frmHTML::HTML_MouseDown(const QPoint &globalPos)
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    mnuPaste->setEnabled(data && data->hasText());
    const bool selection = HTML->selLength() != 0;
    mnuCopy->setEnabled(selection);
    mnuCut->setEnabled(selection);
    mnuSelectAll->setEnabled(HTML->selLength() != HTML->textLength());
    mnuHid->popup(globalPos);
}

void frmHTML::mnuCut_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(HTML->selText());
    HTML->setSelText(QString());
}

void frmHTML::mnuCopy_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(HTML->selText());
}

void frmHTML::mnuPaste_Click()
{
    HTML->setSelText(QGuiApplication::clipboard()->text());
}

void frmHTML::mnuSelectAll_Click()
{
    HTML->setSelStart(0);
    HTML->setSelLength(HTML->textLength());
}

void frmHTML::Undo(const QString &Desc)
{
    mnuUndo->setEnabled(true);
    mnuUndo->setText(QStringLiteral("&Undo ") + Desc);
}

void frmHTML::mnuUndo_Click()
{
    mnuUndo->setEnabled(false);
    // The restored text takes the uniform format of the pane.
    HTML->setWholeText(Undotxt);
    HTML->setSelStart(qBound(0, int(Undoloc), HTML->textLength()));
    mnuUndo->setText(QStringLiteral("&Undo"));
}

void frmHTML::ResetFormat()
{
    HTML->setSelStart(0);
    HTML->setSelLength(HTML->textLength());
    HTML->setSelFormat(ctlFont.font);
    HTML->setSelStart(0);
}
