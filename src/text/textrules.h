#pragma once

#include <QString>

// Small rules of the text commands that need no widget.
namespace TextRules {

// The character a key types: the first of its caption, so "&&" (shown as "&") types "&".
// An empty caption, which a drop of nothing can leave, types nothing; nor does a control character
// (a layout file may hold ESC or TAB, and Windows-1252 leaves five bytes to C1 controls): it would
// command the program it reaches instead of writing.
QString characterOfCaption(const QString &caption);

// C0 and C1 controls and DEL.
bool isControl(char32_t character);

// In right-to-left mode the caret steps back after a key typed on the physical keyboard,
// so that the next character lands in front of it, Tab's included. Keys that type nothing
// (modifiers, navigation, Backspace, Delete, Enter) must leave the caret where the edit put it.
bool releaseStepsCaretBack(int qtKey, const QString &typedText);

} // namespace TextRules
