#pragma once

#include <QString>

// What a shared file dialog keeps between commands: later commands read the name chosen last.
struct FileDialogState
{
    QString folder;
    QString filter;
    QString fileName;
};

// The one open dialog and the one save dialog that keyboard layouts and documents share. "Charger..."
// clears a layout's name left in the open dialog, "Sauver sous..." a layout's name left in the save
// dialog, and "Sauver" is offered after a font change only when the open dialog last chose a document
// of Tapoli's own type.
struct FileDialogs
{
    FileDialogState OpenDialog1;
    FileDialogState SaveDialog1;
};
