#include "widgets/common_dialogs.h"

#include "core/native_path.h"

bool OpenSaveDialog::showOpen(QWidget *parent)
{
    const auto chosen = platform_.openFile(parent, {filter, title, shownPath(fileName)});
    if (!chosen)
        return false;
    fileName = pathOnDisk(*chosen);
    return true;
}

bool OpenSaveDialog::showSave(QWidget *parent)
{
    const auto chosen = platform_.saveFile(parent, {filter, title, shownPath(fileName)});
    if (!chosen)
        return false;
    fileName = pathOnDisk(*chosen);
    return true;
}

std::optional<QString> OpenSaveDialog::borrowOpen(QWidget *parent, const QString &filter,
                                                 const QString &title)
{
    // The document's own name would be selected under the borrower's filter,
    // where Enter takes it, and Save As would later start with the
    // borrower's file; so the name goes back once the choice is read.
    const QString own = fileName;
    fileName = own.left(own.lastIndexOf(QLatin1Char('/')) + 1);
    this->filter = filter;
    this->title = title;
    const bool chosen = showOpen(parent);
    const QString picked = fileName;
    fileName = own;
    this->filter = kDocumentFilter;
    if (!chosen)
        return std::nullopt;
    return picked;
}

bool ColourDialog::show(QWidget *parent)
{
    // The user may change the custom colours and still cancel; the dialog
    // keeps them either way, as the custom-colour part is the dialog's own.
    const auto chosen = platform_.chooseColour(parent, colour, customColours);
    if (!chosen)
        return false;
    colour = *chosen;
    return true;
}

bool FontDialog::show(QWidget *parent)
{
    const auto chosen = platform_.chooseFont(parent, font);
    if (!chosen)
        return false;
    font = *chosen;
    return true;
}
