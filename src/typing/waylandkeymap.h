#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

// The keymap of Tapoli's virtual keyboard under Wayland: BackSpace, Return, Left and Delete where every
// keyboard has them (GTK 3 takes BackSpace only from its usual key code), and one key for each character
// typed, each key lent anew, least recently used first, once they are all taken. Key codes below 256, so
// that XWayland's programs, whose key codes stop there, receive them too.
class WaylandKeymap
{
public:
    // Key codes as the virtual keyboard protocol counts them: evdev's, eight below xkb's.
    static constexpr unsigned BackSpace = 14;
    static constexpr unsigned Return = 28;
    static constexpr unsigned Left = 105;
    static constexpr unsigned Delete = 111;

    // The key that types `character`; `remapped` tells that the keymap changed for it and must be sent
    // before the key.
    unsigned keyFor(char32_t character, bool &remapped);
    // The keymap in xkb's text format, ended by the NUL that the protocol counts in its size.
    QByteArray text() const;

private:
    static constexpr unsigned FirstKeycode = 9;
    static constexpr unsigned LastKeycode = 255;
    struct Key
    {
        char32_t character = 0;
        std::uint64_t lastUse = 0;
    };
    static bool isFixed(unsigned keycode);

    // Indexed by xkb key code; a character of 0 leaves the key free.
    std::array<Key, LastKeycode + 1> m_keys{};
    std::uint64_t m_uses = 0;
};
