#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// An INI file read and written the way Windows' private-profile functions do, so a settings file
// made on Windows works unchanged: section and key names compare without case, the first match wins,
// blanks around names and values are trimmed, a value in matching quotes loses them, and writing a
// key changes its own line only, keeping every other line, section and comment where it was.
class PrivateProfile
{
public:
    PrivateProfile() = default;
    static PrivateProfile fromBytes(const QByteArray &bytes);

    QString readString(const QString &section, const QString &key, const QString &fallback) const;
    // A value that is not a whole number reads as the fallback.
    int readInt(const QString &section, const QString &key, int fallback) const;

    // Whether a value can stay on its key's line: a CR or LF would end the line and start another
    // (a file name could then switch options on), and Windows reads a value only up to a NUL.
    static bool canStore(const QString &value);

    // Replaces the key's line, or appends the key to its section, or the section to the file.
    // A value that cannot be stored changes nothing: false then.
    bool writeString(const QString &section, const QString &key, const QString &value);
    void writeInt(const QString &section, const QString &key, int value);

    // Windows-1252 with CR LF; UTF-8 with a byte-order mark only when a value needs it.
    QByteArray toBytes() const;

    const QStringList &lines() const { return m_lines; }

private:
    struct Location
    {
        int sectionLine = -1;
        int keyLine = -1;
        int lastLineOfSection = -1;
    };
    Location locate(const QString &section, const QString &key) const;

    QStringList m_lines;
};
