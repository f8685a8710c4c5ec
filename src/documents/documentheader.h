#pragma once

#include <QString>

// Tapoli's own documents: plain text with five header lines that record font, size and direction.
namespace DocumentHeader {

// A file is of Tapoli's own type when its extension, upper-cased, contains "TPO" (.tpo, .TPO, .xtpo).
bool isTapoliDocument(const QString &path);

} // namespace DocumentHeader
