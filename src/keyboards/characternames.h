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

// The familiar word alone ("esperluette"), or nothing where the name is the word people use.
QString familiarName(int code);

// The Unicode code point as the tooltip writes it: "U+00E9".
QString codePoint(int code);

// HTML's name for the character without its "&" and ";" ("eacute"), or nothing where HTML has none.
QString htmlEntityName(int code);
// What a web page writes for the character: "&eacute;", or "&#NNN;" with the code point in decimal
// where HTML names none.
QString htmlEntity(int code);

// The name, then the details.
QString tooltip(int code);

// The name a screen reader speaks for the character's button.
QString accessibleName(int code);

} // namespace CharacterNames
