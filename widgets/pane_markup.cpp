#include "widgets/pane_markup.h"

#include "widgets/html_pane.h"

using SB = QsciScintillaBase;

PaneMarkup::PaneMarkup(HTMLPane &pane) : QObject(&pane), pane_(pane)
{
    // The pane asks for the notices sent before each change; each names
    // where the change begins.
    connect(&pane_, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char *, int, int, int, int, int, int, int) {
                if (type & (SB::SC_MOD_BEFOREINSERT | SB::SC_MOD_BEFOREDELETE | SB::SC_MOD_INSERTTEXT
                            | SB::SC_MOD_DELETETEXT))
                    outline_.invalidateFrom(position);
            });
}

QByteArrayView PaneMarkup::text() const
{
    return pane_.utf8Text();
}

long PaneMarkup::caret() const
{
    return pane_.SendScintilla(SB::SCI_GETCURRENTPOS);
}

void PaneMarkup::apply(const markup::Edit &edit)
{
    pane_.SendScintilla(SB::SCI_BEGINUNDOACTION);
    pane_.SendScintilla(SB::SCI_SETTARGETRANGE, static_cast<unsigned long>(edit.start),
                        static_cast<long>(edit.end));
    pane_.SendScintilla(SB::SCI_REPLACETARGET, static_cast<unsigned long>(edit.text.size()),
                        edit.text.constData());
    pane_.SendScintilla(SB::SCI_ENDUNDOACTION);
    pane_.SendScintilla(SB::SCI_GOTOPOS, static_cast<unsigned long>(edit.caret));
}
