#pragma once
// What a dialog window may ask of the editor that shows it: the platform
// (messages, prompts), the shared file and colour dialogs, the current
// selection, and the two ways its HTML enters the document. The main window
// implements it; dialog tests use a fake.

#include "core/builder_result.h"
#include "widgets/common_dialogs.h"
#include "widgets/platform.h"

#include <QString>
#include <functional>

class QWidget;

class DialogHost {
public:
    virtual ~DialogHost() = default;

    // The window that owns the dialogs and parents their messages.
    virtual QWidget *hostWindow() = 0;
    virtual Platform &platform() = 0;
    virtual OpenSaveDialog &fileDialog() = 0;
    virtual ColourDialog &colourDialog() = 0;

    // The selection of the text pane.
    virtual int selectionLength() const = 0;
    virtual QString selectedText() const = 0;

    // The insertion protocol: records the undo state (whole text and
    // selection start), puts `fragment` in place of the selection, runs
    // `betweenReplaceAndUndo` when given, then offers "&Undo <actionName>".
    virtual void insertFragment(const QString &fragment, const QString &actionName,
                                const std::function<void()> &betweenReplaceAndUndo) = 0;
    void insertFragment(const QString &fragment, const QString &actionName)
    {
        insertFragment(fragment, actionName, {});
    }

    // Makes `text` the whole document (the new-page dialog's OK).
    virtual void replaceDocument(const QString &text) = 0;

    // A builder's result in a dialog's OK: its message shown over `dialog`
    // (true), or nothing to say (false).
    bool refuses(QWidget *dialog, const BuilderResult &result)
    {
        if (!result.message)
            return false;
        platform().messageBox(dialog, result.message->text, result.message->title,
                              MsgIcon::Exclamation, MsgButtons::OK);
        return true;
    }
    // Its HTML through the insertion protocol, or its message as above.
    // True when inserted.
    bool insertBuilt(QWidget *dialog, const BuilderResult &result, const QString &actionName,
                     const std::function<void()> &betweenReplaceAndUndo = {})
    {
        if (refuses(dialog, result))
            return false;
        insertFragment(result.html, actionName, betweenReplaceAndUndo);
        return true;
    }

    // Activates the editor's window and gives the keyboard to the text pane
    // (after an insertion from a dialog that stays open).
    virtual void focusEditor() = 0;
};
