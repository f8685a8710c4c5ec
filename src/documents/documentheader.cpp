#include "documents/documentheader.h"

#include <QFileInfo>

namespace DocumentHeader {

bool isTapoliDocument(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && name.mid(dot).toUpper().contains(QLatin1String("TPO"));
}

} // namespace DocumentHeader
