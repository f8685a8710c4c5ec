#pragma once

#include <QString>

#include <vector>

// One key of the keyboard page: its name (also its key in keyboard files), place and default caption.
struct KeyDefinition
{
    QString name;
    int left = 0;
    int top = 0;
    QString caption;

    // The letter keys ("tch" names): larger than the symbol keys ("Button" names), and the only ones
    // the case switch touches.
    bool isLetter() const;
    int size() const;
};

// The 81 keys in the order the program enumerates them. Keyboard files list their key lines in
// this order, so it must not change even where it differs from the keys' places on the page.
const std::vector<KeyDefinition> &keyDefinitions();
