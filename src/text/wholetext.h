#pragma once

#include <functional>

// The text area's text may still be on its way in: a long document goes in a slice at a time while the
// window goes on answering. Whatever needs the whole text (a key, an edit, a copy, a save) hands itself
// over here and runs once the text is whole, in the order it was asked; at once when nothing is loading.
class WholeText
{
public:
    virtual ~WholeText() = default;

    virtual bool isWhole() const = 0;
    virtual void whenWhole(std::function<void()> command) = 0;
};
