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
