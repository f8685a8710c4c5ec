#pragma once

#include "keyboards/recentcharacters.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <array>

class PrivateProfile;

// The user's choices that outlive a run, as the "params" section of tapoli.ini keeps them,
// with the values a first start uses. Reading clamps what the window could not show.
struct Settings
{
    QString fontName = QStringLiteral("Arial");
    int textSize = 12;
    QString keyboardFileName;
    int formTop = -1;
    int formLeft = -1;
    int formWidth = -1;
    int formHeight = -1;
    QColor background = Qt::white;
    QColor textColour = Qt::black;
    int scrollBars = 0;
    int pageIndex = 0;
    int keyFontSize = 10;
    // Written after the twelve keys of Windows' tapoli.ini; a file without them means both off.
    bool writeToActiveWindow = false;   // "EcrireFenetreActive"
    bool alwaysOnTop = false;           // "PremierPlan"
    // Two more after those, in milliseconds for the delay; a file without them means off and 1,2 s.
    bool dwellClick = false;            // "ClicAutomatique"
    int dwellDelay = 1200;              // "DelaiClicAutomatique", one of dwellDelays()
    // Last, the characters typed last, as the characters themselves between quotes.
    RecentCharacters recentCharacters;  // "CaracteresRecents"

    // The delays "Délai du clic automatique" offers; any other stored delay reads as the default.
    static const std::array<int, 4> &dwellDelays();

    static Settings read(const PrivateProfile &profile);
    void write(PrivateProfile &profile) const;

    // tapoli.ini in $TAPOLI_CONFIG_DIR when set, else in the user's configuration folder.
    static QString filePath();
    // A missing or unreadable file gives the defaults.
    static Settings load(const QString &path);

    enum class SaveResult {
        Saved,
        NotWritten,       // the folder or the disk refused: the old file stays as it was
        UnreadableKept,   // a file is there but could not be read whole, so it was left alone
    };
    // Keeps whatever else the file holds: other sections, comments, keys of other programs.
    SaveResult save(const QString &path) const;
};

// Colours as Windows numbers them: red in the low byte, then green, then blue (white is 16777215).
int windowsColourNumber(const QColor &colour);
QColor colourFromWindowsNumber(int number, const QColor &fallback);

// Where a stored window geometry goes on the available area of its screen: a size larger than the
// area is cut to it, then the place moves just enough for the whole window to stand on the area.
QRect windowGeometryWithin(const QRect &stored, const QRect &available);
