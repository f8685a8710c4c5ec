#include "settings/settings.h"

#include "settings/privateprofile.h"
#include "text/textfile.h"
#include "text/textsize.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString Section = QStringLiteral("params");

// A value Tapoli could not have written (one holding a NUL) reads as absent.
QString readText(const PrivateProfile &profile, const QString &key, const QString &fallback)
{
    const QString value = profile.readString(Section, key, fallback);
    return PrivateProfile::canStore(value) ? value : fallback;
}

// A value that cannot stay on its line leaves the one the file holds, or the default where it holds
// none: no key goes missing and none moves.
void writeText(PrivateProfile &profile, const QString &key, const QString &value, const QString &fallback)
{
    if (!profile.writeString(Section, key, value))
        profile.writeString(Section, key, readText(profile, key, fallback));
}

} // namespace

int windowsColourNumber(const QColor &colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QColor colourFromWindowsNumber(int number, const QColor &fallback)
{
    // Negative numbers are Windows' system colours, which have no fixed value here.
    if (number < 0 || number > 0xFFFFFF)
        return fallback;
    return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

QRect windowGeometryWithin(const QRect &stored, const QRect &available)
{
    const QSize size = stored.size().boundedTo(available.size());
    const int left = qBound(available.left(), stored.left(), available.left() + available.width() - size.width());
    const int top = qBound(available.top(), stored.top(), available.top() + available.height() - size.height());
    return QRect(QPoint(left, top), size);
}

Settings Settings::read(const PrivateProfile &profile)
{
    const Settings defaults;
    Settings settings;
    settings.fontName = readText(profile, QStringLiteral("Police"), defaults.fontName);
    settings.textSize = TextSize::bounded(profile.readInt(Section, QStringLiteral("Taille"), defaults.textSize));
    settings.keyboardFileName = readText(profile, QStringLiteral("Clavier"), QString());
    settings.formTop = profile.readInt(Section, QStringLiteral("formTop"), defaults.formTop);
    settings.formLeft = profile.readInt(Section, QStringLiteral("formLeft"), defaults.formLeft);
    settings.formWidth = profile.readInt(Section, QStringLiteral("formwidth"), defaults.formWidth);
    settings.formHeight = profile.readInt(Section, QStringLiteral("formheight"), defaults.formHeight);
    settings.background = colourFromWindowsNumber(
        profile.readInt(Section, QStringLiteral("fond"), windowsColourNumber(defaults.background)), defaults.background);
    settings.textColour = colourFromWindowsNumber(
        profile.readInt(Section, QStringLiteral("texte"), windowsColourNumber(defaults.textColour)), defaults.textColour);
    const int scrollBars = profile.readInt(Section, QStringLiteral("Ascenceurs"), defaults.scrollBars);
    settings.scrollBars = scrollBars >= 0 && scrollBars <= 3 ? scrollBars : defaults.scrollBars;
    const int page = profile.readInt(Section, QStringLiteral("PageIndex"), defaults.pageIndex);
    settings.pageIndex = page >= 0 && page <= 2 ? page : defaults.pageIndex;
    // The arrows step the keys' size within 8 to 21 only; a size stored outside that stands as it is,
    // as long as a font can take it.
    const int keyFontSize = profile.readInt(Section, QStringLiteral("taill"), defaults.keyFontSize);
    settings.keyFontSize = keyFontSize >= 1 && keyFontSize <= 72 ? keyFontSize : defaults.keyFontSize;
    settings.writeToActiveWindow = profile.readInt(Section, QStringLiteral("EcrireFenetreActive"), 0) == 1;
    settings.alwaysOnTop = profile.readInt(Section, QStringLiteral("PremierPlan"), 0) == 1;
    settings.dwellClick = profile.readInt(Section, QStringLiteral("ClicAutomatique"), 0) == 1;
    const int delay = profile.readInt(Section, QStringLiteral("DelaiClicAutomatique"), defaults.dwellDelay);
    const auto &delays = dwellDelays();
    settings.dwellDelay = std::find(delays.begin(), delays.end(), delay) != delays.end() ? delay : defaults.dwellDelay;
    settings.recentCharacters = RecentCharacters::fromText(readText(profile, QStringLiteral("CaracteresRecents"), QString()));
    return settings;
}

void Settings::write(PrivateProfile &profile) const
{
    const Settings defaults;
    writeText(profile, QStringLiteral("Police"), fontName, defaults.fontName);
    profile.writeInt(Section, QStringLiteral("Taille"), textSize);
    // Read as "Clavier" and written as "clavier": the lookup ignores case, and files already hold it so.
    writeText(profile, QStringLiteral("clavier"), keyboardFileName, QString());
    profile.writeInt(Section, QStringLiteral("formTop"), formTop);
    profile.writeInt(Section, QStringLiteral("formLeft"), formLeft);
    profile.writeInt(Section, QStringLiteral("formwidth"), formWidth);
    profile.writeInt(Section, QStringLiteral("formheight"), formHeight);
    profile.writeInt(Section, QStringLiteral("fond"), windowsColourNumber(background));
    profile.writeInt(Section, QStringLiteral("texte"), windowsColourNumber(textColour));
    profile.writeInt(Section, QStringLiteral("Ascenceurs"), scrollBars);
    profile.writeInt(Section, QStringLiteral("PageIndex"), pageIndex);
    profile.writeInt(Section, QStringLiteral("taill"), keyFontSize);
    profile.writeInt(Section, QStringLiteral("EcrireFenetreActive"), writeToActiveWindow ? 1 : 0);
    profile.writeInt(Section, QStringLiteral("PremierPlan"), alwaysOnTop ? 1 : 0);
    profile.writeInt(Section, QStringLiteral("ClicAutomatique"), dwellClick ? 1 : 0);
    profile.writeInt(Section, QStringLiteral("DelaiClicAutomatique"), dwellDelay);
    // Quoted, because reading trims blanks: a space or a no-break space at either end would be lost.
    profile.writeString(Section, QStringLiteral("CaracteresRecents"),
                        QLatin1Char('"') + recentCharacters.text() + QLatin1Char('"'));
}

const std::array<int, 4> &Settings::dwellDelays()
{
    static const std::array<int, 4> delays{500, 800, 1200, 2000};
    return delays;
}

QString Settings::filePath()
{
    QString folder = qEnvironmentVariable("TAPOLI_CONFIG_DIR");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/tapoli");
    return folder + QStringLiteral("/tapoli.ini");
}

Settings Settings::load(const QString &path)
{
    // Read whole within the bound every text file has: sections other programs keep here can make the
    // file large, and the user's settings are still in it.
    const TextFile::ReadResult file = TextFile::read(path);
    return read(file.ok ? PrivateProfile::fromBytes(file.bytes) : PrivateProfile());
}

Settings::SaveResult Settings::save(const QString &path) const
{
    PrivateProfile profile;
    const QFileInfo existing(path);
    if (existing.exists() || existing.isSymLink()) {
        // Written over, a file that could not be read whole (too large, closed to us, a folder, a pipe)
        // would lose every section but this one.
        const TextFile::ReadResult file = TextFile::read(path);
        if (!file.ok)
            return SaveResult::UnreadableKept;
        profile = PrivateProfile::fromBytes(file.bytes);
    }
    write(profile);
    if (!QDir().mkpath(existing.path()) || !TextFile::writeWhole(path, profile.toBytes()))
        return SaveResult::NotWritten;
    return SaveResult::Saved;
}
