#pragma once

#include <QListWidget>

class QMimeData;

// A list of the characters 32 to 255. When drags are enabled, a drag carries the selected character
// in a format only these lists write, which is how a key knows the drag comes from a list.
class CharacterList : public QListWidget
{
    Q_OBJECT

public:
    explicit CharacterList(QWidget *parent = nullptr);

    static QString mimeType();

protected:
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QList<QListWidgetItem *> &items) const override;
};
