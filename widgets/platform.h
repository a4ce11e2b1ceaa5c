#pragma once
// The user-interface services the windows use: message box, input box, the
// file, colour, font and folder dialogs, the process and document launchers.
// Every window reaches them through one Platform object, so tests can swap the
// Qt implementation for a scripted one.

#include "core/values.h"

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { OK, YesNo, YesNoCancel };
enum class MsgResult { OK, Yes, No, Cancel };

// What a file dialog is shown with. `filter` is in the "Desc|pattern;pattern|..."
// form; `fileName` is the name the dialog starts with (one that ends in "/"
// names only the folder it opens in, with an empty name).
struct FileDialogRequest {
    QString filter;
    QString title;
    QString fileName;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Modal message box; returns the button pressed (Cancel when closed).
    virtual MsgResult messageBox(QWidget *parent, const QString &text, const QString &title,
                                 MsgIcon icon, MsgButtons buttons) = 0;
    // Modal one-line input; the entry on OK, the empty string on Cancel or close.
    virtual QString inputBox(QWidget *parent, const QString &prompt, const QString &title,
                             const QString &defaultText) = 0;

    // Common dialogs: std::nullopt when the user cancels.
    // Open accepts names that do not exist; Save asks before replacing a file.
    virtual std::optional<QString> openFile(QWidget *parent, const FileDialogRequest &request) = 0;
    virtual std::optional<QString> saveFile(QWidget *parent, const FileDialogRequest &request) = 0;
    // `customColours` are shown and may be changed by the user.
    virtual std::optional<ColourValue> chooseColour(QWidget *parent, ColourValue current,
                                                    QList<ColourValue> &customColours) = 0;
    virtual std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &current) = 0;
    // Modal folder chooser with a prompt, opened at `startIn` when that is a
    // folder; std::nullopt when nothing is chosen.
    virtual std::optional<QString> chooseFolder(QWidget *parent, const QString &prompt,
                                                const QString &startIn) = 0;

    // Starts `program` with `arguments` as they are (no shell in between) in
    // `workingDir`, or in the editor's own current folder when it is empty,
    // without waiting. The editor's current folder does not change. False when
    // the program cannot be started or the folder does not exist.
    virtual bool startProcess(const QString &program, const QStringList &arguments,
                              const QString &workingDir) = 0;
    // Opens a document or address with its associated program.
    virtual bool openUrl(const QString &url) = 0;
};

// The pattern of a file dialog filter that selects programs: the dialog shows
// folders and the files the user may run, whatever their names.
inline const QString kProgramPattern = QStringLiteral("<programs>");

// A file dialog filter in the "Desc|pattern;pattern|..." form as Qt's name
// filters, one "Desc (pattern pattern)" per pair; "*.*" and kProgramPattern
// become "*".
QStringList qtNameFilters(const QString &filter);

// The real dialogs and services, on Qt.
class QtPlatform : public Platform {
public:
    MsgResult messageBox(QWidget *parent, const QString &text, const QString &title, MsgIcon icon,
                         MsgButtons buttons) override;
    QString inputBox(QWidget *parent, const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    std::optional<QString> openFile(QWidget *parent, const FileDialogRequest &request) override;
    std::optional<QString> saveFile(QWidget *parent, const FileDialogRequest &request) override;
    std::optional<ColourValue> chooseColour(QWidget *parent, ColourValue current,
                                            QList<ColourValue> &customColours) override;
    std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &current) override;
    std::optional<QString> chooseFolder(QWidget *parent, const QString &prompt,
                                        const QString &startIn) override;
    bool startProcess(const QString &program, const QStringList &arguments,
                      const QString &workingDir) override;
    bool openUrl(const QString &url) override;
};
