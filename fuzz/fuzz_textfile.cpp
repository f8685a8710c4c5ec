// Whole text files as lines: what is read, saved in the encoding it came in and read again must be
// the same lines in the same encoding, and a file saved in Windows-1252 because nothing was lost must
// read back as the lines it was saved from.

#include "property.h"

#include "text/textfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace {

bool holdsLineBreak(const QString &line)
{
    return line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n'));
}

// Line breaks are ASCII in all three encodings, so they can be counted on the bytes: CR LF is one
// break, and text after the last break is one more line.
qsizetype lineCount(const QByteArray &bytes)
{
    qsizetype breaks = 0;
    bool textAfterLastBreak = false;
    for (qsizetype index = 0; index < bytes.size(); ++index) {
        const char byte = bytes.at(index);
        if (byte == '\r' || byte == '\n') {
            ++breaks;
            textAfterLastBreak = false;
            if (byte == '\r' && index + 1 < bytes.size() && bytes.at(index + 1) == '\n')
                ++index;
        } else {
            textAfterLastBreak = true;
        }
    }
    return breaks + (textAfterLastBreak ? 1 : 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const TextFile::Decoded decoded = TextFile::decodeLines(bytes);

    const bool hasBom = bytes.startsWith("\xEF\xBB\xBF");
    FUZZ_REQUIRE(hasBom == (decoded.encoding == TextFile::Encoding::Utf8WithBom));
    FUZZ_REQUIRE(decoded.lines.size() == lineCount(hasBom ? bytes.mid(3) : bytes));
    for (const QString &line : decoded.lines)
        FUZZ_REQUIRE(!holdsLineBreak(line));

    // Saved as it came and read again: a file opened and saved without an edit stays as it was.
    bool lossless = false;
    const QByteArray saved = TextFile::encodeLines(decoded.lines, decoded.encoding, &lossless);
    const TextFile::Decoded reread = TextFile::decodeLines(saved);
    FUZZ_REQUIRE(reread.encoding == decoded.encoding);
    FUZZ_REQUIRE(reread.lines == decoded.lines);
    if (decoded.encoding == TextFile::Encoding::Windows1252)
        FUZZ_REQUIRE(lossless);

    // UTF-8 with a byte-order mark holds any line.
    bool utf8Lossless = false;
    const QByteArray asUtf8 = TextFile::encodeLines(decoded.lines, TextFile::Encoding::Utf8WithBom, &utf8Lossless);
    FUZZ_REQUIRE(TextFile::decodeLines(asUtf8).lines == decoded.lines);

    // Whatever a save writes reads back as the same lines; it asks only about what Windows-1252 loses.
    const TextFile::Encoded forSaving = TextFile::encodeForSaving(decoded.lines);
    FUZZ_REQUIRE(TextFile::decodeLines(forSaving.bytes).lines == decoded.lines);
    FUZZ_REQUIRE(forSaving.outsideWindows1252 == !utf8Lossless);
    return 0;
}
