#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

#include <functional>

class QAbstractButton;
class QAction;
class QActionGroup;
class QMenu;
class QWidget;
struct Settings;

// "Clic automatique": for someone who can point but not click, resting the pointer on a button that
// types clicks it once the delay has run, through the button's own click, so that it types wherever a
// click would (the text, or the active window). A bar drawn on the button shows the time running.
class DwellClick : public QObject
{
    Q_OBJECT

public:
    // Which buttons a rest clicks: those that type or edit, never one that opens a dialog or ends the program.
    using Eligible = std::function<bool(const QAbstractButton *)>;

    DwellClick(QMenu *menu, Eligible eligible, QObject *parent);
    ~DwellClick() override;

    void restore(const Settings &settings);
    void store(Settings &settings) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setOn(bool on);
    void begin(QAbstractButton *button);
    void cancel();
    void tick();
    void selectDelay(int milliseconds);

    QAction *m_toggle;
    QMenu *m_delayMenu;
    QActionGroup *m_delays;
    Eligible m_eligible;
    int m_delay;
    QPointer<QAbstractButton> m_target;
    QPointer<QWidget> m_mark;
    // The button a rest or a click has just clicked: it dwells again only once the pointer leaves it or
    // moves on from where it was.
    QPointer<QAbstractButton> m_clicked;
    QPoint m_clickedAt;
    QPoint m_pointer;
    QElapsedTimer m_elapsed;
    QTimer m_ticks;
};
