#include "text/textfile.h"

#include "text/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <unistd.h>

namespace TextFile {

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

bool isUtf8WithNonAscii(const QByteArray &bytes)
{
    bool nonAscii = false;
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80) {
            nonAscii = true;
            break;
        }
    }
    if (!nonAscii)
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decodedText = decoder.decode(bytes);
    Q_UNUSED(decodedText);
    return !decoder.hasError();
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype index = 0; index < size; ++index) {
        const QChar character = text.at(index);
        if (character != QLatin1Char('\r') && character != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, index - start);
        if (character == QLatin1Char('\r') && index + 1 < size && text.at(index + 1) == QLatin1Char('\n'))
            ++index;
        start = index + 1;
    }
    if (start < size)
        lines << text.mid(start);
    return lines;
}

// QString::fromUtf8() drops a byte-order mark at the start; after the file's own mark has been taken
// off, a second one is text and must stay.
QString utf8Text(const QByteArray &bytes)
{
    // Stateless, so that a sequence cut short at the end becomes a replacement character, not nothing.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace

Decoded decodeLines(const QByteArray &bytes)
{
    Decoded decoded;
    if (bytes.startsWith(Utf8Bom)) {
        decoded.encoding = Encoding::Utf8WithBom;
        decoded.lines = splitLines(utf8Text(bytes.mid(Utf8Bom.size())));
    } else if (isUtf8WithNonAscii(bytes)) {
        decoded.encoding = Encoding::Utf8;
        decoded.lines = splitLines(utf8Text(bytes));
    } else {
        decoded.lines = splitLines(CodePage::decode(bytes));
    }
    return decoded;
}

QByteArray encodeLines(const QStringList &lines, Encoding encoding, bool *lossless)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    if (encoding != Encoding::Windows1252) {
        if (lossless)
            CodePage::encode(text, lossless);
        return encoding == Encoding::Utf8WithBom ? Utf8Bom + text.toUtf8() : text.toUtf8();
    }
    return CodePage::encode(text, lossless);
}

bool readsBackAsWindows1252(const QByteArray &bytes)
{
    return !bytes.startsWith(Utf8Bom) && !isUtf8WithNonAscii(bytes);
}

ReadResult read(const QString &path, qint64 maxBytes)
{
    ReadResult result;
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        result.error = QStringLiteral("not a regular file");
        return result;
    }
    if (info.size() > maxBytes) {
        result.error = QStringLiteral("file too large");
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        result.bytes.clear();
        return result;
    }
    result.ok = true;
    return result;
}

bool writeWhole(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    // Qt's commit() can report success after a failed final flush and leave an empty file, and it
    // renames over the old file even when syncing to disk failed: check both before it runs.
    written = written && file.flush() && ::fdatasync(file.handle()) == 0;
    if (!written) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace TextFile
