#pragma once

#include <QString>

// Where the text commands send their keys instead of the text area, while the user has them write into
// the application he works in ("Écrire dans la fenêtre active"). The text area is then left alone.
class WritingElsewhere
{
public:
    virtual ~WritingElsewhere() = default;

    virtual bool isOn() const = 0;
    // A character, as a key would type it; `stepBack` adds a Left, so that the next one lands before it.
    virtual void typeCharacter(const QString &character, bool stepBack) = 0;
    virtual void pressReturn() = 0;
    virtual void pressDelete() = 0;
    // "Annuler": the last character typed, taken back.
    virtual void takeBack() = 0;
};
