#include "text/textfile.h"

#include "text/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TextFile {

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

bool hasNonAscii(const QByteArray &bytes)
{
    // Eight bytes at a time: a long document is mostly ASCII, and is walked through for this first.
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype index = 0;
    for (; index + 8 <= size; index += 8) {
        quint64 word;
        std::memcpy(&word, data + index, 8);
        if (word & 0x8080808080808080ULL)
            return true;
    }
    for (; index < size; ++index) {
        if (static_cast<unsigned char>(data[index]) >= 0x80)
            return true;
    }
    return false;
}

// QString::fromUtf8() drops a byte-order mark at the start; after the file's own mark has been taken
// off, a second one is text and must stay.
QString utf8Text(QByteArrayView bytes, bool *valid = nullptr)
{
    // Stateless, so that a sequence cut short at the end becomes a replacement character, not nothing.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (valid)
        *valid = !decoder.hasError();
    return text;
}

// The text of bytes that are UTF-8 throughout; nothing when they are not. Decoded a piece at a time, so
// that a Windows-1252 file is given up at its first accented letter rather than decoded whole first.
std::optional<QString> validUtf8Text(const QByteArray &bytes)
{
    constexpr qsizetype Piece = 256 * 1024;
    // UTF-8 never takes fewer bytes than UTF-16 takes code units: the text fits, and is decoded in place.
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *end = text.data();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    for (qsizetype at = 0; at < bytes.size();) {
        qsizetype pieceEnd = qMin(at + Piece, bytes.size());
        // A piece ends before a character's first byte, never inside one.
        for (int back = 0; back < 3 && pieceEnd < bytes.size() && (static_cast<uchar>(bytes.at(pieceEnd)) & 0xC0) == 0x80; ++back)
            --pieceEnd;
        end = decoder.appendToBuffer(end, QByteArrayView(bytes).sliced(at, pieceEnd - at));
        if (decoder.hasError())
            return std::nullopt;
        at = pieceEnd;
    }
    text.truncate(end - text.constData());
    return text;
}

bool isUtf8WithNonAscii(const QByteArray &bytes)
{
    return hasNonAscii(bytes) && validUtf8Text(bytes);
}

// CR LF and CR alone become LF, in place: a line at a time, and nothing at all for a file without CR.
void unifyLineBreaks(QString &text)
{
    qsizetype from = text.indexOf(QLatin1Char('\r'));
    if (from < 0)
        return;
    char16_t *characters = reinterpret_cast<char16_t *>(text.data());
    const QStringView view(text);
    const qsizetype size = text.size();
    qsizetype to = from;
    while (from < size) {
        // characters[from] is a CR; what lies between it and the next one moves down whole.
        characters[to++] = u'\n';
        if (++from < size && characters[from] == u'\n')
            ++from;
        qsizetype next = view.indexOf(QLatin1Char('\r'), from);
        if (next < 0)
            next = size;
        std::memmove(characters + to, characters + from, size_t(next - from) * sizeof(char16_t));
        to += next - from;
        from = next;
    }
    text.truncate(to);
}

Stamp stampOf(const struct stat &status)
{
    return {qint64(status.st_size), qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

// Closes its descriptor when it goes, whichever way a write ends.
class Descriptor
{
public:
    explicit Descriptor(int descriptor)
        : m_descriptor(descriptor)
    {
    }
    ~Descriptor()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_descriptor; }
    bool isValid() const { return m_descriptor >= 0; }

private:
    int m_descriptor;
};

// A disk that is filling up stores only some of a write: the rest is offered again until it refuses.
bool writeAll(int descriptor, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// Makes the file behind `to` hold exactly what `from` holds, and waits until the disk has it.
bool copyWhole(int from, int to)
{
    if (::lseek(from, 0, SEEK_SET) != 0 || ::lseek(to, 0, SEEK_SET) != 0)
        return false;
    char buffer[64 * 1024];
    qint64 copied = 0;
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if (!writeAll(to, buffer, got))
            return false;
        copied += got;
    }
    return ::ftruncate(to, copied) == 0 && ::fdatasync(to) == 0;
}

bool rewrite(int descriptor, const QByteArray &bytes)
{
    return ::lseek(descriptor, 0, SEEK_SET) == 0 && writeAll(descriptor, bytes.constData(), bytes.size())
        && ::ftruncate(descriptor, bytes.size()) == 0 && ::fdatasync(descriptor) == 0;
}

bool failed(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// A file with several names is one file under each of them: a new file renamed over one name would
// leave the others with the old text. So it is rewritten where it is, but only once a copy of its old
// bytes is on disk beside it: a failure puts them back from the copy, a crash leaves the copy there.
bool writeInPlace(const QString &path, const QByteArray &bytes, QString *error, Stamp *written)
{
    Descriptor file(::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC));
    if (!file.isValid())
        return failed(error, qt_error_string(errno));
    // Beside the file itself, not beside a symbolic link to it: on the same disk, where its owner looks.
    const QFileInfo real(QFileInfo(path).canonicalFilePath());
    Descriptor folder(::open(QFile::encodeName(real.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.isValid())
        return failed(error, qt_error_string(errno));
    QByteArray copyName = QFile::encodeName(real.filePath()) + "~XXXXXX";
    Descriptor copy(::mkostemp(copyName.data(), O_CLOEXEC));
    if (!copy.isValid())
        return failed(error, qt_error_string(errno));
    // The folder is synced too: a copy whose name is not on disk would be lost with the file.
    if (!copyWhole(file.get(), copy.get()) || ::fsync(folder.get()) != 0) {
        const QString why = qt_error_string(errno);
        ::unlink(copyName.constData());
        return failed(error, why);
    }
    if (!rewrite(file.get(), bytes)) {
        const QString why = qt_error_string(errno);
        if (!copyWhole(copy.get(), file.get()))
            return failed(error, why + QStringLiteral("; the old bytes are kept in ") + QFile::decodeName(copyName));
        ::unlink(copyName.constData());
        return failed(error, why);
    }
    struct stat status;
    if (written && ::fstat(file.get(), &status) == 0)
        *written = stampOf(status);
    ::unlink(copyName.constData());
    return true;
}

// QSaveFile gives the new file the old one's permissions but makes it the writer's own. Only root may
// give it back to another owner, and anyone may keep a group of theirs; where the system allows
// neither, the file is saved all the same, as the writer's: false is no reason to stop.
bool keepOwner(int descriptor, const struct stat &old)
{
    return ::fchown(descriptor, old.st_uid, old.st_gid) == 0
        || (errno == EPERM && ::fchown(descriptor, uid_t(-1), old.st_gid) == 0);
}

} // namespace

bool isChangedSince(const QString &path, const Stamp &stamp)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return false;
    const Stamp now = stampOf(status);
    return now.size != stamp.size || now.modified != stamp.modified;
}

DecodedText decodeText(const QByteArray &bytes)
{
    DecodedText decoded;
    if (bytes.startsWith(Utf8Bom)) {
        decoded.encoding = Encoding::Utf8WithBom;
        decoded.text = utf8Text(bytes.mid(Utf8Bom.size()));
    } else {
        std::optional<QString> utf8 = hasNonAscii(bytes) ? validUtf8Text(bytes) : std::nullopt;
        if (utf8) {
            decoded.encoding = Encoding::Utf8;
            decoded.text = std::move(*utf8);
        } else {
            decoded.text = CodePage::decode(bytes);
        }
    }
    unifyLineBreaks(decoded.text);
    if (decoded.text.endsWith(QLatin1Char('\n')))
        decoded.text.chop(1);
    return decoded;
}

Decoded decodeLines(const QByteArray &bytes)
{
    const bool empty = bytes.isEmpty() || bytes == Utf8Bom;
    DecodedText whole = decodeText(bytes);
    return {empty ? QStringList() : whole.text.split(QLatin1Char('\n')), whole.encoding};
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

Encoded encodeForSaving(const QStringList &lines, Encoding wanted)
{
    if (wanted != Encoding::Windows1252)
        return {encodeLines(lines, wanted), wanted, false};
    bool lossless = true;
    QByteArray bytes = encodeLines(lines, Encoding::Windows1252, &lossless);
    if (lossless && readsBackAsWindows1252(bytes))
        return {std::move(bytes), Encoding::Windows1252, false};
    return {encodeLines(lines, Encoding::Utf8WithBom), Encoding::Utf8WithBom, !lossless};
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
    struct stat status;
    if (::fstat(file.handle(), &status) == 0)
        result.stamp = stampOf(status);
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        result.bytes.clear();
        return result;
    }
    result.ok = true;
    return result;
}

bool writeWhole(const QString &path, const QByteArray &bytes, QString *error, Stamp *written)
{
    struct stat old;
    const bool exists = ::stat(QFile::encodeName(path).constData(), &old) == 0;
    if (exists && S_ISREG(old.st_mode) && old.st_nlink > 1)
        return writeInPlace(path, bytes, error, written);

    QSaveFile file(path);
    bool complete = file.open(QIODevice::WriteOnly);
    if (complete && exists)
        keepOwner(file.handle(), old);
    complete = complete && file.write(bytes) == bytes.size();
    // Qt's commit() can report success after a failed final flush and leave an empty file, and it
    // renames over the old file even when syncing to disk failed: check both before it runs.
    complete = complete && file.flush() && ::fdatasync(file.handle()) == 0;
    Stamp stamp;
    struct stat status;
    if (complete && ::fstat(file.handle(), &status) == 0)
        stamp = stampOf(status);
    if (!complete) {
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
    if (written)
        *written = stamp;
    return true;
}

} // namespace TextFile
