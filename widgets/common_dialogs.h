#pragma once
// The three shared common dialogs of the main window. Each keeps its state
// (filter, title and file name; current colour; editor font) between uses, as
// the windows that borrow them expect, and shows itself through the Platform.
// Showing one returns false when the user cancels: the caller changes nothing.

#include "widgets/platform.h"

#include <QList>
#include <QString>

class QWidget;

// The document filter the file dialog holds at creation and that every
// borrower puts back after use.
inline const QString kDocumentFilter = QStringLiteral(
    "Microsoft HTML Document 5.0 (*.htm;*.html)|*.htm;*.html|Text Document (*.txt)|*.txt|All files (*.*)|*.*");

class OpenSaveDialog {
public:
    explicit OpenSaveDialog(Platform &platform) : platform_(platform) {}

    QString filter = kDocumentFilter;
    QString title;
    QString fileName;

    // Show as Open / Save; on success `fileName` holds the chosen name.
    bool showOpen(QWidget *parent);
    bool showSave(QWidget *parent);

    // A borrower's Open dialog, to choose a file of its own: shown with
    // `filter` and `title`, starting with an empty name in the folder of the
    // name the dialog holds (the document's). The dialog is given back as it
    // was found: the name it holds unchanged, the document filter; the title
    // stays as set. The chosen name, or nothing when the user cancels.
    std::optional<QString> borrowOpen(QWidget *parent, const QString &filter, const QString &title);

private:
    Platform &platform_;
};

class ColourDialog {
public:
    explicit ColourDialog(Platform &platform) : platform_(platform) {}

    ColourValue colour = 0;          // preselected, then the last colour chosen
    QList<ColourValue> customColours; // the custom-colour part, kept for the run

    bool show(QWidget *parent);

private:
    Platform &platform_;
};

class FontDialog {
public:
    explicit FontDialog(Platform &platform) : platform_(platform) {}

    FontChoice font; // "MS Sans Serif", 8 at creation

    bool show(QWidget *parent);

private:
    Platform &platform_;
};
