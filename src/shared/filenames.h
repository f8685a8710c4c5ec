#pragma once

#include <QString>

// What the save commands do to a chosen name, and what the layout box shows of one.
namespace FileNames {

// No extension gets "." + extension; a name ending in "." gets the extension; any other is kept.
QString completeExtension(const QString &path, const QString &extension);

// The file name without folder and without extension (from its last ".").
QString bareName(const QString &path);

} // namespace FileNames
