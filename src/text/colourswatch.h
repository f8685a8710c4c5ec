#pragma once

#include <QAbstractButton>
#include <QColor>

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
