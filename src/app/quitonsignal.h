#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C in a terminal, a closed terminal) reach the program
// through its event loop, so that it can end the way it ends when closed: what it lent the desktop
// (spare key codes) given back, its settings written. The signal itself only writes a byte.
class QuitOnSignal : public QObject
{
    Q_OBJECT

public:
    explicit QuitOnSignal(QObject *parent = nullptr);
    ~QuitOnSignal() override;

signals:
    void received();

private:
    void readSignals();

    QSocketNotifier *m_notifier = nullptr;
};
