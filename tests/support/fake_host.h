#pragma once
// A dialog host for dialog tests: a plain window, the scripted platform, the
// shared file and colour dialogs, and a document held as a string with a
// selection. It records what the dialog inserted; nothing else of the
// editor is built.

#include "support/scripted_platform.h"
#include "widgets/dialog_host.h"

#include <QWidget>

struct FakeHost : DialogHost {
    ScriptedPlatform scripted;
    OpenSaveDialog files{scripted};
    ColourDialog colours{scripted};
    QWidget window;

    QString document;
    int selStart = 0, selLength = 0;
    QStringList actions; // the action name of each insertion, in order
    int editorFocused = 0; // how often the text pane was given the keyboard

    QWidget *hostWindow() override { return &window; }
    Platform &platform() override { return scripted; }
    OpenSaveDialog &fileDialog() override { return files; }
    ColourDialog &colourDialog() override { return colours; }
    int selectionLength() const override { return selLength; }
    QString selectedText() const override { return document.mid(selStart, selLength); }
    using DialogHost::insertFragment;
    void insertFragment(const QString &fragment, const QString &actionName,
                        const std::function<void()> &betweenReplaceAndUndo) override
    {
        document.replace(selStart, selLength, fragment);
        selStart += int(fragment.size());
        selLength = 0;
        if (betweenReplaceAndUndo)
            betweenReplaceAndUndo();
        actions << actionName;
    }
    void replaceDocument(const QString &text) override
    {
        document = text;
        selStart = int(text.size());
        selLength = 0;
    }
    void focusEditor() override { ++editorFocused; }

    // `text` with `selLength` characters selected from `selStart`, nothing
    // inserted yet. (The scripted platform is left as it is.)
    void reset(const QString &text, int start = 0, int length = 0)
    {
        document = text;
        selStart = start;
        selLength = length;
        actions.clear();
        editorFocused = 0;
    }
};

// The focusable controls of `window` in the order Tab visits them from `first`.
inline QList<QWidget *> focusChain(QWidget *window, QWidget *first)
{
    QList<QWidget *> chain;
    for (QWidget *w = first; chain.isEmpty() || w != first; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && window->isAncestorOf(w))
            chain << w;
    return chain;
}
