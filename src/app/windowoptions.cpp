#include "app/windowoptions.h"

#include "settings/settings.h"
#include "text/textcommands.h"
#include "typing/elsewherewriter.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QWindow>

#include <utility>

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
    const WritingRoutes::Route route = WritingRoutes::forThisSession();
    m_route = route.kind;
    m_writeElsewhere->setEnabled(route.kind != WritingRoutes::Kind::None);
    m_writeElsewhere->setToolTip(route.note);
}

void WindowOptions::setWritingElsewhere(bool on)
{
    if (on && !m_writer)
        m_writer = WritingRoutes::make(m_route, m_window, this);
    if (on && !m_writer) {
        const QSignalBlocker blocker(m_writeElsewhere);
        m_writeElsewhere->setChecked(false);
        return;
    }
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

void WindowOptions::giveBackAbandonedSpares()
{
    if (!std::exchange(m_spareKeysChecked, true))
        WritingRoutes::giveBackAbandoned();
}

void WindowOptions::setWindowFlag(Qt::WindowType flag, bool on)
{
    if (m_window->windowFlags().testFlag(flag) == on)
        return;
    const Qt::WindowFlags flags = m_window->windowFlags().setFlag(flag, on);
    // Changed on the window that stands: QWidget would make it anew, and a window manager then places
    // the new one by its frame, a title bar higher each time.
    if (QWindow *native = m_window->windowHandle(); native && m_window->isVisible()) {
        m_window->overrideWindowFlags(flags);
        native->setFlags(flags);
        return;
    }
    m_window->setWindowFlags(flags);
}
