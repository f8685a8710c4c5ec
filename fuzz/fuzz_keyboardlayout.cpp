// Keyboard layout files: any bytes load as some layout, and a layout saved and loaded again is the
// same layout, so a user's keys survive any number of load and save cycles.

#include "property.h"

#include "keyboards/keyboardlayoutfile.h"
#include "text/codepage.h"
#include "text/textsize.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace {

bool holdsLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

bool fitsWindows1252(const QString &text)
{
    bool lossless = false;
    CodePage::encode(text, &lossless);
    return lossless;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const KeyboardLayoutFile::Layout layout = KeyboardLayoutFile::parse(bytes);

    // What the window applies must be within what its boxes can show.
    FUZZ_REQUIRE(layout.textSize.has_value() == layout.fontName.has_value());
    FUZZ_REQUIRE(!layout.textSize || TextSize::isValid(*layout.textSize));
    FUZZ_REQUIRE(!layout.direction || directionIndex(*layout.direction) == int(*layout.direction));
    if (layout.fontName)
        FUZZ_REQUIRE(!holdsLineBreak(*layout.fontName));
    for (const KeyboardLayoutFile::KeyCaption &key : layout.keys) {
        FUZZ_REQUIRE(!key.name.contains(QLatin1Char('=')));
        FUZZ_REQUIRE(!holdsLineBreak(key.name) && !holdsLineBreak(key.caption));
    }

    // A file with no font line leaves the window as it is, so there is nothing to save.
    if (!layout.fontName || !fitsWindows1252(*layout.fontName))
        return 0;
    for (const KeyboardLayoutFile::KeyCaption &key : layout.keys) {
        if (!fitsWindows1252(key.caption))
            return 0;
    }

    // Saved the way the window saves it: the size box's text and the direction in use, 0 when the
    // file named none.
    const Direction direction = layout.direction.value_or(Direction::LeftToRight);
    const QByteArray saved = KeyboardLayoutFile::write(*layout.fontName, QString::number(*layout.textSize),
                                                       directionIndex(direction), layout.keys);
    const KeyboardLayoutFile::Layout reloaded = KeyboardLayoutFile::parse(saved);
    FUZZ_REQUIRE(reloaded.fontName == layout.fontName);
    FUZZ_REQUIRE(reloaded.textSize == layout.textSize);
    FUZZ_REQUIRE(reloaded.direction == direction);
    FUZZ_REQUIRE(reloaded.keys == layout.keys);
    return 0;
}
