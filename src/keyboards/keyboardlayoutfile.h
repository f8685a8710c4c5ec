#pragma once

#include "text/direction.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The ".cltpo" keyboard layout file: the font name, then "size;direction", then one "name=caption"
// line per key. Parsing decides what a load applies; the window only carries it out.
namespace KeyboardLayoutFile {

struct KeyCaption
{
    QString name;
    QString caption;

    bool operator==(const KeyCaption &other) const { return name == other.name && caption == other.caption; }
};

struct Layout
{
    std::optional<QString> fontName;   // none when the file is empty: then there is nothing to apply
    std::optional<int> textSize;       // none when the file is empty; 12 when line 2 is missing or does not convert
    std::optional<Direction> direction;   // none when line 2 names no direction, or one other than 0 and 1
    QList<KeyCaption> keys;            // every later line holding "=", in file order
};

Layout parse(const QByteArray &bytes);

// Windows-1252 with CR LF, or UTF-8 with a byte-order mark when a font name does not fit Windows-1252.
QByteArray write(const QString &fontName, const QString &sizeText, int direction, const QList<KeyCaption> &keys);

// The name the save dialog proposes when no layout file is current: ClavierArial12.cltpo.
QString proposedFileName(const QString &fontName, const QString &sizeText);

} // namespace KeyboardLayoutFile
