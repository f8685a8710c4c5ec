// Windows-1252 both ways: every byte must come back from its character, and any text must encode
// to bytes that decode to it again whenever the encoder says nothing was lost.

#include "property.h"

#include "text/codepage.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // Bytes to text and back: a file read and saved unchanged must keep every byte, the five
    // bytes Windows leaves undefined included.
    const QString text = CodePage::decode(bytes);
    FUZZ_REQUIRE(text.size() == bytes.size());
    bool lossless = false;
    FUZZ_REQUIRE(CodePage::encode(text, &lossless) == bytes);
    FUZZ_REQUIRE(lossless);
    for (qsizetype index = 0; index < bytes.size(); ++index) {
        const unsigned char byte = static_cast<unsigned char>(bytes.at(index));
        FUZZ_REQUIRE(CodePage::toUnicode(byte) == text.at(index));
        unsigned char back = 0;
        FUZZ_REQUIRE(CodePage::fromUnicode(text.at(index), &back));
        FUZZ_REQUIRE(back == byte);
    }

    // The same bytes taken as UTF-16: any text at all, most of it outside Windows-1252.
    QString any(qsizetype(size / 2), Qt::Uninitialized);
    if (!any.isEmpty())
        std::memcpy(any.data(), data, size_t(any.size()) * sizeof(QChar));
    bool anyLossless = false;
    const QByteArray encoded = CodePage::encode(any, &anyLossless);
    FUZZ_REQUIRE(encoded.size() == any.size());
    bool everyCharacterHeld = true;
    for (qsizetype index = 0; index < any.size(); ++index) {
        // The sentinel shows that a refused character leaves the byte alone.
        unsigned char byte = 0xA5;
        if (CodePage::fromUnicode(any.at(index), &byte)) {
            FUZZ_REQUIRE(static_cast<unsigned char>(encoded.at(index)) == byte);
            // One byte per character: no two characters may share a byte.
            FUZZ_REQUIRE(CodePage::toUnicode(byte) == any.at(index));
        } else {
            FUZZ_REQUIRE(byte == 0xA5);
            FUZZ_REQUIRE(encoded.at(index) == '?');
            everyCharacterHeld = false;
        }
    }
    FUZZ_REQUIRE(anyLossless == everyCharacterHeld);
    if (anyLossless)
        FUZZ_REQUIRE(CodePage::decode(encoded) == any);
    return 0;
}
