#pragma once
// The script dialog's builder: the script and its language in, the script
// element (or the server delimiters) out. Every combination gives a fragment.
// No widgets.

#include <QString>

enum class ScriptLanguage { JavaScript, VBScript, Other };

struct ScriptFields {
    QString script; // inserted exactly as typed, never escaped
    ScriptLanguage language = ScriptLanguage::JavaScript;
    bool server = false; // counts for VBScript only
    QString otherLanguage; // through HTMLtext; empty means "JavaScript"
};

QString buildScript(const ScriptFields &fields);
