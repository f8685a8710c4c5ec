#pragma once

#include <QWidget>

class QToolButton;

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
