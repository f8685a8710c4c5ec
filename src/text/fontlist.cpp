#include "text/fontlist.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>

QStringList installedScalableFamilies()
{
    QStringList families;
    const QStringList all = QFontDatabase::families();
    for (const QString &family : all) {
        if (!QFontDatabase::isPrivateFamily(family) && QFontDatabase::isScalable(family))
            families << family;
    }
    std::sort(families.begin(), families.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return families;
}

QString arialFamily()
{
    const QString arial = QStringLiteral("Arial");
    if (QFontDatabase::families().contains(arial))
        return arial;
    return QFontInfo(QFont(arial)).family();
}

void FontNameDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (m_ownTypeface)
        option->font.setFamily(index.data().toString());
}
