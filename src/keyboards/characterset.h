#pragma once

#include <QString>
#include <QStringList>

// The characters of codes 32 to 255 that the character pages and lists offer, and the arithmetic of
// the large-format page. List index and code are tied throughout: index = code - 32.
namespace CharacterSet {

constexpr int FirstCode = 32;
constexpr int LastCode = 255;
constexpr int Count = LastCode - FirstCode + 1;
constexpr int LargeButtonCount = 10;
constexpr int SpinnerIncrement = 5;

// The one-character string of a Windows-1252 code.
QString character(int code);

// Every character, code 32 first: the items of the character lists.
QStringList all();

// True for a text made only of control characters (DEL, the bytes Windows leaves undefined), which
// fonts draw as "missing" boxes: buttons and lists show their code instead (shownCode).
bool hasNoGlyph(const QString &text);

// What a button or a list shows for a control character, which no font draws and no key types: its
// code, "1B" for ESC, "7F" for DEL, so that the key does not look blank. Empty for any other text.
QString shownCode(const QString &text);

// A button caption for a character: "&" is doubled so it shows, and types, a single "&".
QString captionFor(const QString &character);

// The Windows-1252 code of a caption's first character, or -1 when it has none.
int codeOfCaption(const QString &caption);

// The ten captions of the large buttons when the list stands on `index`: consecutive characters,
// blanks past the end of the list.
QStringList largeCaptions(int index);

// The list index one spinner step gives from the code shown on the first large button: five
// characters back (up) or on (down), lowered to a multiple of five and kept within the list.
int steppedIndex(int firstCode, bool up);

} // namespace CharacterSet
