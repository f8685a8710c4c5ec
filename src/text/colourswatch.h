#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPalette>

// A small filled rectangle showing one colour of another widget's palette (the text area's background
// or its text), which stays the only place that colour is kept; releasing the mouse over it asks for a
// new colour. A button underneath, so that the space bar and assistive tools press it as well as the mouse.
class ColourSwatch : public QAbstractButton
{
    Q_OBJECT

public:
    ColourSwatch(QWidget *shown, QPalette::ColorRole role, QWidget *parent = nullptr);

    QColor colour() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *m_shown;
    QPalette::ColorRole m_role;
};
