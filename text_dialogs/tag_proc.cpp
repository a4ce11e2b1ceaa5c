#include "text_dialogs/tag_proc.h"

#include "widgets/dialog_host.h"

void TagProc(DialogHost &host, const QString &Txt, const QString &Undotxt)
{
    host.insertFragment(Txt, Undotxt);
    host.focusEditor();
}
