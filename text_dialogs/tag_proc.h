#pragma once
// The insertion routine of the special character/tag/text dialog, which the
// file name, HTML colour and convert commands share: the insertion protocol,
// then the keyboard back to the text pane. It never shows the dialog.

#include <QString>

class DialogHost;

// `Undotxt` is the action name of the insertion.
void TagProc(DialogHost &host, const QString &Txt, const QString &Undotxt);
