#include "settings/privateprofile.h"

#include "text/textfile.h"

namespace {

// The name of a section header line ("[params]"), or a null string for any other line.
QString sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return QString();
    const int end = trimmed.indexOf(QLatin1Char(']'));
    if (end < 0)
        return QString();
    return trimmed.mid(1, end - 1).trimmed();
}

bool isKeyLine(const QString &line, const QString &key)
{
    const int equals = line.indexOf(QLatin1Char('='));
    return equals >= 0 && line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

QString unquoted(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

} // namespace

PrivateProfile PrivateProfile::fromBytes(const QByteArray &bytes)
{
    PrivateProfile profile;
    profile.m_lines = TextFile::decodeLines(bytes).lines;
    return profile;
}

PrivateProfile::Location PrivateProfile::locate(const QString &section, const QString &key) const
{
    Location location;
    for (int index = 0; index < m_lines.size(); ++index) {
        const QString name = sectionName(m_lines.at(index));
        if (!name.isNull()) {
            if (location.sectionLine >= 0)
                break;   // only the first section of that name counts
            if (name.compare(section, Qt::CaseInsensitive) == 0)
                location.sectionLine = location.lastLineOfSection = index;
            continue;
        }
        if (location.sectionLine < 0)
            continue;
        if (!m_lines.at(index).trimmed().isEmpty())
            location.lastLineOfSection = index;
        if (location.keyLine < 0 && isKeyLine(m_lines.at(index), key))
            location.keyLine = index;
    }
    return location;
}

QString PrivateProfile::readString(const QString &section, const QString &key, const QString &fallback) const
{
    const Location location = locate(section, key);
    if (location.keyLine < 0)
        return fallback;
    const QString &line = m_lines.at(location.keyLine);
    return unquoted(line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed());
}

int PrivateProfile::readInt(const QString &section, const QString &key, int fallback) const
{
    bool ok = false;
    const int value = readString(section, key, QString()).toInt(&ok);
    return ok ? value : fallback;
}

bool PrivateProfile::canStore(const QString &value)
{
    return !value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n')) && !value.contains(QChar(0));
}

bool PrivateProfile::writeString(const QString &section, const QString &key, const QString &value)
{
    if (!canStore(value))
        return false;
    const QString line = key + QLatin1Char('=') + value;
    const Location location = locate(section, key);
    if (location.keyLine >= 0)
        m_lines[location.keyLine] = line;
    else if (location.sectionLine >= 0)
        m_lines.insert(location.lastLineOfSection + 1, line);
    else
        m_lines << QLatin1Char('[') + section + QLatin1Char(']') << line;
    return true;
}

void PrivateProfile::writeInt(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

QByteArray PrivateProfile::toBytes() const
{
    return TextFile::encodeForSaving(m_lines).bytes;
}
