#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files read and written whole, as lines. Files made on Windows are Windows-1252 with CR LF;
// files from other editors may be UTF-8 or use LF or CR alone, and all of them read the same.
namespace TextFile {

enum class Encoding { Windows1252, Utf8, Utf8WithBom };

struct Decoded
{
    QStringList lines;
    Encoding encoding = Encoding::Windows1252;
};

struct DecodedText
{
    QString text;
    Encoding encoding = Encoding::Windows1252;
};

// UTF-8 when the bytes start with its byte-order mark, or are valid UTF-8 holding non-ASCII;
// Windows-1252 otherwise, so a file keeps the encoding it came in. A final line break does not
// make an empty last line.
Decoded decodeLines(const QByteArray &bytes);
// The same text whole, its line breaks (CR LF, LF or CR alone) all "\n": a long document is read
// without a string for each of its lines.
DecodedText decodeText(const QByteArray &bytes);

// Each line followed by CR LF. *lossless (when given) tells whether Windows-1252 could hold every
// character; in UTF-8 nothing is lost, but a caller may still want to know.
QByteArray encodeLines(const QStringList &lines, Encoding encoding, bool *lossless = nullptr);

// False when Windows-1252 bytes would be taken for UTF-8 on reading (they start with its byte-order
// mark, or happen to be valid UTF-8 holding non-ASCII, as "Ã©" does): such text must be written in
// UTF-8 with a byte-order mark, or it would read back as other characters.
bool readsBackAsWindows1252(const QByteArray &bytes);

struct Encoded
{
    QByteArray bytes;
    Encoding encoding = Encoding::Windows1252;
    // Windows-1252 was asked for and cannot hold every character: a caller may ask before UTF-8.
    bool outsideWindows1252 = false;
};

// What every file Tapoli saves is written in: the encoding asked for, except that Windows-1252 gives
// way to UTF-8 with a byte-order mark when it cannot hold every character, or when its bytes would
// read back as something else.
Encoded encodeForSaving(const QStringList &lines, Encoding wanted = Encoding::Windows1252);

// What tells a file from the one read or written before: its size and its time of last change, to the
// nanosecond, as editors compare them.
struct Stamp
{
    qint64 size = -1;
    qint64 modified = 0;   // nanoseconds since 1970
};

// True when the file at path is no longer the one stamped: another program wrote it since. A file that
// is gone counts as unchanged: there is nothing left to overwrite, and saving makes it again.
bool isChangedSince(const QString &path, const Stamp &stamp);

struct ReadResult
{
    bool ok = false;
    QByteArray bytes;
    QString error;
    // Taken before the first byte is read, so that a change made while reading shows as one.
    Stamp stamp;
};

// The largest file Tapoli reads: a text area given more takes minutes and gigabytes to lay it out.
constexpr qint64 LargestFile = 64 * 1024 * 1024;

// Reads a regular file whole; a folder, a device, a pipe or a file over maxBytes is refused rather
// than read, so the window never hangs on it.
ReadResult read(const QString &path, qint64 maxBytes = LargestFile);

// Writes through a temporary file renamed over the target only once every byte is down, so a failed
// save leaves the old file exactly as it was; the new file keeps the old one's owner and group where
// the system lets the writer give them. A file with several names is rewritten where it is instead, so
// that every name sees the new text, once a copy of its old bytes is on disk beside it; a failure puts
// them back. *written (when given) is the stamp of the file as written.
bool writeWhole(const QString &path, const QByteArray &bytes, QString *error = nullptr, Stamp *written = nullptr);

} // namespace TextFile
