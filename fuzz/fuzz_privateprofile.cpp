// The settings file: a key written reads back as written, a write touches its own line only (none
// when the value cannot stay on one), the settings saved and loaded again are the same settings, and
// a file saved and read again holds the same lines and values.
//
// The input is the file, optionally followed by a NUL byte and "section NUL key NUL value" in UTF-8
// naming the key to write; without them the keyboard file name is written, as every save does.

#include "property.h"

#include "settings/privateprofile.h"
#include "settings/settings.h"
#include "text/textsize.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <utility>

namespace {

using Key = std::pair<QString, QString>;

bool holdsLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

bool quotedOnBothEnds(const QString &text)
{
    if (text.size() < 2)
        return false;
    const QChar first = text.front();
    return (first == QLatin1Char('"') || first == QLatin1Char('\'')) && text.back() == first;
}

bool hasSurroundingBlanks(const QString &text)
{
    return !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
}

// Names a file can hold: a line "[section]" must read as that section and "key=" as that key.
bool isPlainSection(const QString &section)
{
    return !holdsLineBreak(section) && !section.contains(QLatin1Char(']')) && !hasSurroundingBlanks(section);
}

bool isPlainKey(const QString &key, const QString &value)
{
    if (holdsLineBreak(key) || key.contains(QLatin1Char('=')) || hasSurroundingBlanks(key))
        return false;
    // "[a=b]" is a section line whatever its equals sign says.
    return !(key.startsWith(QLatin1Char('[')) && (key + value).contains(QLatin1Char(']')));
}

bool isPlainValue(const QString &value)
{
    return !holdsLineBreak(value) && !hasSurroundingBlanks(value) && !quotedOnBothEnds(value);
}

// The keys a reader would ask for: a few of the file's own, each with the section it stands in.
QList<Key> keysOf(const QStringList &lines)
{
    QList<Key> keys;
    QString section;
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.contains(QLatin1Char(']'))) {
            section = trimmed.mid(1, trimmed.indexOf(QLatin1Char(']')) - 1).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        keys.append({section, line.left(equals).trimmed()});
        if (keys.size() == 8)
            break;
    }
    return keys;
}

bool sameSettings(const Settings &a, const Settings &b)
{
    return a.fontName == b.fontName && a.textSize == b.textSize && a.keyboardFileName == b.keyboardFileName
        && a.formTop == b.formTop && a.formLeft == b.formLeft && a.formWidth == b.formWidth
        && a.formHeight == b.formHeight && a.background == b.background && a.textColour == b.textColour
        && a.scrollBars == b.scrollBars && a.pageIndex == b.pageIndex && a.keyFontSize == b.keyFontSize
        && a.writeToActiveWindow == b.writeToActiveWindow && a.alwaysOnTop == b.alwaysOnTop;
}

void checkWithinRange(const Settings &settings)
{
    FUZZ_REQUIRE(TextSize::isValid(settings.textSize));
    FUZZ_REQUIRE(settings.keyFontSize >= 1 && settings.keyFontSize <= 72);
    FUZZ_REQUIRE(settings.scrollBars >= 0 && settings.scrollBars <= 3);
    FUZZ_REQUIRE(settings.pageIndex >= 0 && settings.pageIndex <= 2);
    FUZZ_REQUIRE(settings.background.isValid() && settings.textColour.isValid());
}

// A write replaces one line, inserts one, or appends a section header and its key; nothing else moves.
void checkOnlyOwnLineChanged(const QStringList &before, const QStringList &after)
{
    if (after.size() == before.size()) {
        int changed = 0;
        for (qsizetype index = 0; index < before.size(); ++index)
            changed += int(before.at(index) != after.at(index));
        FUZZ_REQUIRE(changed <= 1);
        return;
    }
    if (after.size() == before.size() + 1) {
        qsizetype first = 0;
        while (first < before.size() && before.at(first) == after.at(first))
            ++first;
        QStringList withoutNewLine = after;
        withoutNewLine.removeAt(first);
        FUZZ_REQUIRE(withoutNewLine == before);
        return;
    }
    FUZZ_REQUIRE(after.size() == before.size() + 2);
    FUZZ_REQUIRE(after.mid(0, before.size()) == before);
}

// What is saved must load as it was. The same lines give the same values, so the values are only
// looked at when the lines differ, to say first what a user would notice.
void checkSavedReadsBack(const PrivateProfile &profile, const QList<Key> &written = {})
{
    const PrivateProfile reread = PrivateProfile::fromBytes(profile.toBytes());
    if (reread.lines() == profile.lines())
        return;
    const QString missing = QStringLiteral("\x01missing");
    for (const Key &key : keysOf(profile.lines()) + written)
        FUZZ_REQUIRE(reread.readString(key.first, key.second, missing) == profile.readString(key.first, key.second, missing));
    FUZZ_REQUIRE(sameSettings(Settings::read(reread), Settings::read(profile)));
    FUZZ_REQUIRE(reread.lines() == profile.lines());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype fileEnd = input.indexOf('\0');
    const QByteArray file = fileEnd < 0 ? input : input.left(fileEnd);
    const QList<QByteArray> request = fileEnd < 0 ? QList<QByteArray>() : input.mid(fileEnd + 1).split('\0');
    const QString section = request.size() > 0 ? QString::fromUtf8(request.at(0)) : QStringLiteral("params");
    const QString key = request.size() > 1 ? QString::fromUtf8(request.at(1)) : QStringLiteral("clavier");
    const QString value = request.size() > 2 ? QString::fromUtf8(request.at(2)) : QStringLiteral("/home/u/Azerty.cltpo");

    PrivateProfile profile = PrivateProfile::fromBytes(file);
    for (const QString &line : profile.lines())
        FUZZ_REQUIRE(!holdsLineBreak(line));
    checkSavedReadsBack(profile);

    // Loaded, then saved the way the window saves on quitting, then loaded again.
    const Settings settings = Settings::read(profile);
    checkWithinRange(settings);
    PrivateProfile savedSettings = profile;
    settings.write(savedSettings);
    const Settings reloaded = Settings::read(savedSettings);
    // Reading drops one pair of quotes and writing adds none back, as on Windows, so only a name
    // that needs no quotes (no surrounding blanks, no quotes of its own) can come back unchanged.
    if (isPlainValue(settings.fontName) && isPlainValue(settings.keyboardFileName))
        FUZZ_REQUIRE(sameSettings(reloaded, settings));
    checkSavedReadsBack(savedSettings);

    const QStringList before = profile.lines();
    profile.writeString(section, key, value);
    checkOnlyOwnLineChanged(before, profile.lines());
    // A value with a line break would bring lines of its own: it is refused whole.
    if (!holdsLineBreak(section) && !holdsLineBreak(key)) {
        for (const QString &line : profile.lines())
            FUZZ_REQUIRE(!holdsLineBreak(line));
    }
    if (isPlainSection(section) && isPlainKey(key, value) && isPlainValue(value))
        FUZZ_REQUIRE(profile.readString(section, key, QStringLiteral("\x01missing")) == value);
    if (!holdsLineBreak(section) && !holdsLineBreak(key) && !holdsLineBreak(value))
        checkSavedReadsBack(profile, {{section, key}});

    // Numbers go through the same line, and read back whole.
    const int number = int(qHash(value)) - int(value.size());
    profile.writeInt(section, key, number);
    if (isPlainSection(section) && isPlainKey(key, QString::number(number)))
        FUZZ_REQUIRE(profile.readInt(section, key, number + 1) == number);
    return 0;
}
