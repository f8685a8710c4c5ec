#pragma once

#include <QSpinBox>

// The text size box: a size applies as soon as the box holds one. A number out of range may stand while
// it is typed, but it is never taken; the box falls back to the last size when the user leaves it or
// presses Enter.
class TextSizeBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit TextSizeBox(QWidget *parent = nullptr);

signals:
    // The user typed what is no size the box takes: the size stays as it was.
    void refused();
    // The arrows, the arrow keys or the wheel changed the size, rather than typing.
    void stepped();

protected:
    QValidator::State validate(QString &input, int &position) const override;
    void stepBy(int steps) override;
};
