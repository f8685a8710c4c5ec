#include "app/windowoptions.h"

#include "settings/settings.h"
#include "text/textcommands.h"
#include "typing/activewindowwriter.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

WindowOptions::WindowOptions(QMainWindow *window, TextCommands &commands, QMenu *menu)
    : QObject(window)
    , m_window(window)
    , m_commands(commands)
    , m_writeElsewhere(new QAction(QStringLiteral("Écrire dans la fenêtre active"), this))
    , m_alwaysOnTop(new QAction(QStringLiteral("Toujours au premier plan"), this))
{
    m_writeElsewhere->setObjectName(QStringLiteral("EcrireFenetreActive"));
    m_writeElsewhere->setCheckable(true);
    m_alwaysOnTop->setObjectName(QStringLiteral("PremierPlan"));
    m_alwaysOnTop->setCheckable(true);
    menu->addActions({m_writeElsewhere, m_alwaysOnTop});
    // Said why the first entry is greyed, or which programs receive the characters.
    menu->setToolTipsVisible(true);
    // Whether this session can type into other windows is asked only when someone looks.
    connect(menu, &QMenu::aboutToShow, this, &WindowOptions::updateAvailability);
    connect(m_writeElsewhere, &QAction::toggled, this, &WindowOptions::setWritingElsewhere);
    connect(m_alwaysOnTop, &QAction::toggled, this, &WindowOptions::setAlwaysOnTop);
}

// The window's children go in the order they came: the text commands, made before these options, are
// gone when the writer goes, so nothing is left pointing at it.
WindowOptions::~WindowOptions() = default;

void WindowOptions::restore(const Settings &settings)
{
    m_alwaysOnTop->setChecked(settings.alwaysOnTop);
    if (settings.writeToActiveWindow) {
        updateAvailability();
        m_writeElsewhere->setChecked(m_writeElsewhere->isEnabled());
    }
}

void WindowOptions::store(Settings &settings) const
{
    settings.writeToActiveWindow = m_writeElsewhere->isChecked();
    settings.alwaysOnTop = m_alwaysOnTop->isChecked();
}

void WindowOptions::updateAvailability()
{
    const QString reason = ActiveWindowWriter::unavailableReason();
    m_writeElsewhere->setEnabled(reason.isEmpty());
    m_writeElsewhere->setToolTip(reason.isEmpty() ? ActiveWindowWriter::availableNote() : reason);
}

void WindowOptions::setWritingElsewhere(bool on)
{
    if (on && !m_writer)
        m_writer = new ActiveWindowWriter(this);
    if (m_writer && !m_writer->setOn(on)) {
        const QSignalBlocker blocker(m_writeElsewhere);
        m_writeElsewhere->setChecked(false);
        return;
    }
    m_commands.setWritingElsewhere(on ? m_writer : nullptr);
    // The window leaves the keyboard to the application it writes into.
    setWindowFlag(Qt::WindowDoesNotAcceptFocus, on);
}

void WindowOptions::setAlwaysOnTop(bool on)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
}

void WindowOptions::setWindowFlag(Qt::WindowType flag, bool on)
{
    if (m_window->windowFlags().testFlag(flag) == on)
        return;
    const bool shown = m_window->isVisible();
    m_window->setWindowFlag(flag, on);
    // A change of window flags may hide the window on some platforms.
    if (shown && !m_window->isVisible())
        m_window->show();
}
