#include "typing/waylandkeymap.h"

namespace {

constexpr unsigned xkbOffset = 8;

} // namespace

bool WaylandKeymap::isFixed(unsigned keycode)
{
    return keycode == BackSpace + xkbOffset || keycode == Return + xkbOffset || keycode == Left + xkbOffset
        || keycode == Delete + xkbOffset;
}

unsigned WaylandKeymap::keyFor(char32_t character, bool &remapped)
{
    unsigned chosen = 0;
    for (unsigned keycode = FirstKeycode; keycode <= LastKeycode; ++keycode) {
        if (isFixed(keycode))
            continue;
        const Key &key = m_keys[keycode];
        if (key.character == character) {
            chosen = keycode;
            break;
        }
        // A free key has never been used, so it is always the least recently used.
        if (!chosen || key.lastUse < m_keys[chosen].lastUse)
            chosen = keycode;
    }
    Key &key = m_keys[chosen];
    remapped = key.character != character;
    key.character = character;
    key.lastUse = ++m_uses;
    return chosen - xkbOffset;
}

QByteArray WaylandKeymap::text() const
{
    QByteArray keycodes = "minimum = 8;\nmaximum = 255;\n";
    QByteArray symbols;
    const auto add = [&](unsigned keycode, const QByteArray &keysym) {
        const QByteArray name = "<K" + QByteArray::number(keycode) + '>';
        keycodes += name + " = " + QByteArray::number(keycode) + ";\n";
        symbols += "key " + name + " { [ " + keysym + " ] };\n";
    };
    add(BackSpace + xkbOffset, "BackSpace");
    add(Return + xkbOffset, "Return");
    add(Left + xkbOffset, "Left");
    add(Delete + xkbOffset, "Delete");
    for (unsigned keycode = FirstKeycode; keycode <= LastKeycode; ++keycode) {
        // "U" and the code point is a keysym name both xkbcommon and XWayland's compiler read: the
        // Latin-1 keysym below 0x100, the Unicode keysym above.
        if (const char32_t character = m_keys[keycode].character)
            add(keycode, 'U' + QByteArray::number(uint(character), 16).toUpper().rightJustified(4, '0'));
    }
    return "xkb_keymap {\n"
           "xkb_keycodes \"tapoli\" {\n" + keycodes + "};\n"
           "xkb_types \"tapoli\" { include \"complete\" };\n"
           "xkb_compat \"tapoli\" { include \"complete\" };\n"
           "xkb_symbols \"tapoli\" {\n" + symbols + "};\n"
           "};\n" + QByteArray(1, '\0');
}
