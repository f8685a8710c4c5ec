#include "shared/filenames.h"

#include <QFileInfo>

namespace FileNames {

QString completeExtension(const QString &path, const QString &extension)
{
    const QString name = QFileInfo(path).fileName();
    if (name.endsWith(QLatin1Char('.')))
        return path + extension;
    if (!name.contains(QLatin1Char('.')))
        return path + QLatin1Char('.') + extension;
    return path;
}

bool isLayoutFile(const QString &path)
{
    return path.endsWith(QLatin1Char('.') + LayoutExtension, Qt::CaseInsensitive);
}

QString bareName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 ? name.left(dot) : name;
}

} // namespace FileNames
