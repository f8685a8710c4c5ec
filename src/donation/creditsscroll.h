#pragma once

// Where the credits stand: the first line's y while they scroll up one pixel a tick, starting just
// below the bottom edge and starting over once the last line has left the top.
struct CreditsScroll
{
    int lineHeight = 0;
    int controlHeight = 0;
    int lineCount = 0;
    int offset = 0;

    void restart() { offset = lineHeight + controlHeight; }
    void tick()
    {
        if (offset < -(lineCount * lineHeight))
            restart();
        else
            --offset;
    }
    // The still frame shows the text from a 4-pixel margin.
    int firstLineY(bool animated) const { return animated ? offset : 4; }
};
