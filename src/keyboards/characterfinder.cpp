#include "keyboards/characterfinder.h"

#include "keyboards/charactersearchwindow.h"
#include "settings/settings.h"
#include "text/textrules.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWidget>

CharacterFinder::CharacterFinder(QMenu *menu, QWidget *mainWindow, std::function<QString()> fontFamily,
                                 std::function<int()> keyFontSize)
    : QObject(mainWindow)
    , m_mainWindow(mainWindow)
    , m_entry(new QAction(QStringLiteral("Rechercher un caractère..."), this))
    , m_fontFamily(std::move(fontFamily))
    , m_keyFontSize(std::move(keyFontSize))
{
    m_entry->setObjectName(QStringLiteral("RechercherCaractere"));
    m_entry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    menu->addAction(m_entry);
    connect(m_entry, &QAction::triggered, this, &CharacterFinder::open);
}

void CharacterFinder::restore(const Settings &settings)
{
    m_recents = settings.recentCharacters;
    if (m_window)
        m_window->setRecents(m_recents);
}

void CharacterFinder::store(Settings &settings) const
{
    settings.recentCharacters = m_recents;
}

void CharacterFinder::noteTyped(const QString &caption)
{
    m_recents.add(TextRules::characterOfCaption(caption));
    if (m_window)
        m_window->setRecents(m_recents);
}

void CharacterFinder::dress() const
{
    if (m_window)
        m_window->setLook(m_fontFamily(), m_keyFontSize());
}

void CharacterFinder::open()
{
    const bool first = !m_window;
    if (first) {
        m_window = new CharacterSearchWindow(m_mainWindow);
        dress();
        m_window->setRecents(m_recents);
        // Ctrl+F in the search window starts a new search there.
        m_window->addAction(m_entry);
        connect(m_window, &CharacterSearchWindow::characterChosen, this, &CharacterFinder::characterChosen);
        connect(m_window, &CharacterSearchWindow::characterChosen, this, &CharacterFinder::noteTyped);
    }
    if (first || !m_window->isVisible())
        placeBeside();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    m_window->focusSearch();
}

void CharacterFinder::placeBeside()
{
    // Beside the main window, where the text and the keys stay in sight; over its right edge where the
    // screen has no room.
    const QRect main = m_mainWindow->frameGeometry();
    const QScreen *screen = m_mainWindow->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(main.topLeft(), main.size() * 2);
    const QSize size = m_window->frameGeometry().size().expandedTo(m_window->size());
    QPoint place(main.right() + 1, main.top());
    if (place.x() + size.width() > available.right() + 1)
        place.setX(qMax(available.left(), available.right() + 1 - size.width()));
    if (place.y() + size.height() > available.bottom() + 1)
        place.setY(qMax(available.top(), available.bottom() + 1 - size.height()));
    m_window->move(place);
}
