#pragma once

#include <QString>

// What a shared file dialog keeps between commands: later commands read the name chosen last.
struct FileDialogState
{
    QString folder;
    QString filter;
    QString fileName;
};

// The program-wide values the main window keeps for the whole run.
// The names are those the rest of the program and its files already use.
struct AppState
{
    QString AppTitle;
    bool KeyboardModified = false;
    QString KeyboardFileName;
    QString DocumentFileName;
    QString DragChar;
    bool FirstOpenDone = false;
    int MinFormHeight = 0;
    int MinFormWidth = 0;
    FileDialogState OpenDialog1;
    FileDialogState SaveDialog1;
};
