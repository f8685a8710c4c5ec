#pragma once

#include <QString>

// French names that tell apart characters a button shows alike (a space and a no-break space, - and –).
namespace CharacterNames {

// The character's French Unicode name, upper case; empty outside codes 32 to 255.
QString frenchName(int code);

// The familiar word where it differs from the name ("aussi : esperluette"), the code in decimal and
// hexadecimal, the Unicode code point and the Windows Alt+0 sequence, one per line; empty outside
// codes 32 to 255. A screen reader gives it as the button's description.
QString details(int code);

// The name, then the details.
QString tooltip(int code);

// The name a screen reader speaks for the character's button.
QString accessibleName(int code);

} // namespace CharacterNames
