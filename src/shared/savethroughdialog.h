#pragma once

#include "shared/filedialogs.h"

#include <functional>

class Prompter;

// Saved: written. Declined: the user cancelled the dialog. NotSaved: the user wanted it saved but nothing
// was written (a replacement refused, a write that failed), so what was to be saved is still only here.
enum class SaveOutcome { Saved, Declined, NotSaved };

// "Sauver sous..." and "sauve...": asks for a name in the save dialog, completes its extension, asks
// before replacing a file (the dialog cannot: the extension may still change the name), then writes
// through `write`, which reports its own failures. The dialog keeps the completed name and its folder
// whatever comes of it, as later commands expect.
SaveOutcome saveThroughDialog(Prompter &prompter, FileDialogState &dialog, const QString &extension,
                              const std::function<SaveOutcome(const QString &path)> &write);
