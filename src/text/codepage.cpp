#include "text/codepage.h"

#include <cstring>

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
    // Latin-1 is the identity outside 0x80-0x9F, and Qt widens it many bytes at a time; the rare bytes
    // of that range are then found eight at a time and put right one by one.
    QString text = QString::fromLatin1(bytes);
    char16_t *characters = reinterpret_cast<char16_t *>(text.data());
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    constexpr quint64 Ones = 0x0101010101010101ULL, Highs = 0x8080808080808080ULL;
    for (qsizetype start = 0; start < size; start += 8) {
        if (start + 8 <= size) {
            quint64 word;
            std::memcpy(&word, data + start, 8);
            // A byte of 0x80-0x9F has 100 in its top three bits: a zero byte once those are compared.
            const quint64 compared = (word & 0xE0E0E0E0E0E0E0E0ULL) ^ Highs;
            if (((compared - Ones) & ~compared & Highs) == 0)
                continue;
        }
        for (qsizetype index = start; index < qMin(start + 8, size); ++index) {
            if ((characters[index] & 0xFFE0) == 0x80)
                characters[index] = HighControlRange[characters[index] - 0x80];
        }
    }
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
