#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// Windows-1252, the code page every Tapoli file and character button is made of.
// Bytes 0x80-0x9F go through a table; every other byte is its own Unicode code point.
// The five bytes Windows leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) map to U+0081 and so on,
// so that every byte of a file made on Windows survives a load and a save.
namespace CodePage {

QChar toUnicode(unsigned char byte);

// False when Windows-1252 has no byte for the character; *byte is then left alone.
bool fromUnicode(QChar character, unsigned char *byte);

QString decode(const QByteArray &bytes);

// Characters Windows-1252 cannot hold become '?'; *lossless (when given) tells whether any did.
QByteArray encode(const QString &text, bool *lossless = nullptr);

} // namespace CodePage
