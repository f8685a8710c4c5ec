#include "text/codepage.h"

namespace {

// Unicode code points of the bytes 0x80 to 0x9F.
constexpr char16_t HighControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

namespace CodePage {

QChar toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(HighControlRange[byte - 0x80]);
    return QChar(char16_t(byte));
}

bool fromUnicode(QChar character, unsigned char *byte)
{
    const char16_t code = character.unicode();
    // Latin-1 outside 0x80-0x9F is the identity; inside that range only the table's own entries count.
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        *byte = static_cast<unsigned char>(code);
        return true;
    }
    for (int index = 0; index < 32; ++index) {
        if (HighControlRange[index] == code) {
            *byte = static_cast<unsigned char>(0x80 + index);
            return true;
        }
    }
    return false;
}

QString decode(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes)
        *out++ = toUnicode(static_cast<unsigned char>(byte));
    return text;
}

QByteArray encode(const QString &text, bool *lossless)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    bool allHeld = true;
    for (const QChar character : text) {
        unsigned char byte = '?';
        if (!fromUnicode(character, &byte)) {
            allHeld = false;
            byte = '?';
        }
        *out++ = static_cast<char>(byte);
    }
    if (lossless)
        *lossless = allHeld;
    return bytes;
}

} // namespace CodePage
