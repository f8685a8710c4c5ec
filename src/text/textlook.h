#pragma once

#include "text/direction.h"

#include <QString>

#include <optional>

// The text's look: its font family, its size in points and the input direction. As a change, it holds
// only the parts that change; the others stay as they are.
struct TextLook
{
    std::optional<QString> family;
    std::optional<int> size;
    std::optional<Direction> direction;
};

// Who set the look. The user changes what the keyboard and the document recorded; a layout file, a
// document's header and the settings at start make the look what they recorded. What follows from a
// change (`KeyboardModified`, the save entries) is decided from this alone.
enum class LookCause { User, LayoutFile, DocumentHeader, StartUp };

struct LookChange
{
    TextLook look;   // the parts set, as the text now shows them
    LookCause cause = LookCause::User;
};
