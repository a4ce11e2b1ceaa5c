#include "media_dialogs/script_builder.h"

#include "core/conversions.h"

QString buildScript(const ScriptFields &f)
{
    const QString CRLF = QStringLiteral("\r\n");
    switch (f.language) {
    case ScriptLanguage::JavaScript:
        return QStringLiteral("<script language=\"JavaScript\"><!--") + CRLF + f.script + CRLF
            + QStringLiteral("// --></script>");
    case ScriptLanguage::VBScript:
        if (f.server)
            return QStringLiteral("<%") + f.script + QStringLiteral("%>");
        return QStringLiteral("<script language=\"VBScript\"><!--") + CRLF + f.script + CRLF
            + QStringLiteral("--></script>");
    case ScriptLanguage::Other:
        break;
    }
    const QString language =
        f.otherLanguage.isEmpty() ? QStringLiteral("JavaScript") : HTMLtext(f.otherLanguage);
    return QStringLiteral("<script language=\"") + language + QStringLiteral("\">") + f.script
        + QStringLiteral("</script>");
}
