#pragma once

#include <QString>

// What the save commands do to a chosen name, and what the layout box shows of one.
namespace FileNames {

// Keyboard layout files end in ".cltpo".
inline const QString LayoutExtension = QStringLiteral("cltpo");

// The open and save dialogs are shared with the layouts: a name a layout command left there is no name
// for a document. Case does not count, as on the file systems the layouts come from.
bool isLayoutFile(const QString &path);

// No extension gets "." + extension; a name ending in "." gets the extension; any other is kept.
QString completeExtension(const QString &path, const QString &extension);

// The file name without folder and without extension (from its last ".").
QString bareName(const QString &path);

} // namespace FileNames
