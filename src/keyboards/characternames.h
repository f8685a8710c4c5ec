#pragma once

#include <QString>

// French names that tell apart characters a button shows alike (a space and a no-break space, - and –).
namespace CharacterNames {

// The character's French Unicode name, upper case; empty outside codes 32 to 255.
QString frenchName(int code);

// Name, code in decimal and hexadecimal, Unicode code point and the Windows Alt+0 sequence, one per line;
// empty outside codes 32 to 255.
QString tooltip(int code);

// The name a screen reader speaks for the character's button.
QString accessibleName(int code);

} // namespace CharacterNames
