#include "keyboards/characterlist.h"

#include "keyboards/characteritemdelegate.h"

#include <QMimeData>

CharacterList::CharacterList(QWidget *parent)
    : QListWidget(parent)
{
    setUniformItemSizes(true);
    setItemDelegate(new CharacterItemDelegate(this));
}

QString CharacterList::mimeType()
{
    return QStringLiteral("application/x-tapoli-character");
}

QStringList CharacterList::mimeTypes() const
{
    return {mimeType(), QStringLiteral("text/plain")};
}

QMimeData *CharacterList::mimeData(const QList<QListWidgetItem *> &items) const
{
    auto *data = new QMimeData;
    const QString character = items.isEmpty() ? QString() : items.first()->text().left(1);
    data->setData(mimeType(), character.toUtf8());
    data->setText(character);
    return data;
}
