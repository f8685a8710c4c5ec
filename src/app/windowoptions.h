#pragma once

#include "typing/writingroutes.h"

#include <QObject>

class QAction;
class QMainWindow;
class QMenu;
class ElsewhereWriter;
class TextCommands;
struct Settings;

// The two entries of "[ Edition ]" that change how Tapoli's window lives among the others: "Écrire dans
// la fenêtre active" (its keys type into the application the user works in, and the window stops taking
// the keyboard focus) and "Toujours au premier plan". Both off unless the settings say otherwise.
class WindowOptions : public QObject
{
    Q_OBJECT

public:
    WindowOptions(QMainWindow *window, TextCommands &commands, QMenu *menu);
    ~WindowOptions() override;

    void restore(const Settings &settings);
    void store(Settings &settings) const;
    // Once, after the window is shown: what a killed Tapoli left changed (key codes lent, the session's
    // accessibility switched on) is given back.
    void giveBackAbandonedSpares();

private:
    void updateAvailability();
    void setWritingElsewhere(bool on);
    void setAlwaysOnTop(bool on);
    void setWindowFlag(Qt::WindowType flag, bool on);

    QMainWindow *m_window;
    TextCommands &m_commands;
    QAction *m_writeElsewhere;
    QAction *m_alwaysOnTop;
    ElsewhereWriter *m_writer = nullptr;
    // The route the menu last offered, which the mode then takes.
    WritingRoutes::Kind m_route = WritingRoutes::Kind::None;
    bool m_spareKeysChecked = false;
};
