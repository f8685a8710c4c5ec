#pragma once

#include "keyboards/characterbutton.h"

// A key of the keyboard page: a character button that also takes a character dropped from a
// character list, which remaps it.
class KeyButton : public CharacterButton
{
    Q_OBJECT

public:
    explicit KeyButton(const QString &caption, QWidget *parent = nullptr);

signals:
    void characterDropped(const QString &character);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};
