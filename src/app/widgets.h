#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QSpinBox>
#include <QWidget>

class QToolButton;

// A small filled rectangle showing a colour; releasing the mouse over it asks for a new colour.
// A button underneath, so that the space bar and assistive tools press it as well as the mouse.
class ColourSwatch : public QAbstractButton
{
    Q_OBJECT

public:
    explicit ColourSwatch(QWidget *parent = nullptr);

    QColor colour() const { return m_colour; }
    void setColour(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour = Qt::white;
};

// Two arrow buttons, up above down, that report which one was pressed. Their position is never read.
class UpDownArrows : public QWidget
{
    Q_OBJECT

public:
    explicit UpDownArrows(QWidget *parent = nullptr);

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }
    // What each arrow does, as a screen reader says it.
    void setArrowNames(const QString &up, const QString &down);

signals:
    void stepped(bool up);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *m_up;
    QToolButton *m_down;
};

// The text size box: a number out of range may stand while it is typed, but it is never taken;
// the box falls back to the last size when the user leaves it or presses Enter.
class TextSizeBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit TextSizeBox(QWidget *parent = nullptr);

protected:
    QValidator::State validate(QString &input, int &position) const override;
};
