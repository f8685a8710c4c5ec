#pragma once

#include "keyboards/recentcharacters.h"
#include "text/direction.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QWidget;
class CharacterSearchWindow;
struct Settings;

// "Rechercher un caractère..." at the end of "[ Edition ]", and the characters typed last that the
// search window offers first. The window is built the first time it is asked for: most runs never open it.
class CharacterFinder : public QObject
{
    Q_OBJECT

public:
    // `fontFamily` and `keyFontSize` ask their owners (the appearance, the keyboard page) for the look
    // the results take, as the character pages do.
    CharacterFinder(QMenu *menu, QWidget *mainWindow, std::function<QString()> fontFamily,
                    std::function<int()> keyFontSize);

    void restore(const Settings &settings);
    void store(Settings &settings) const;

    // Every character a key, a page, a list or a search typed, whichever way it went.
    void noteTyped(const QString &caption);
    // The text's family or the keys' size changed: an open window takes them.
    void dress() const;

    // Builds the window the first time.
    void open();

signals:
    void characterChosen(const QString &caption, Insertion insertion);

private:
    void placeBeside();

    QWidget *m_mainWindow;
    QAction *m_entry;
    CharacterSearchWindow *m_window = nullptr;
    RecentCharacters m_recents;
    std::function<QString()> m_fontFamily;
    std::function<int()> m_keyFontSize;
};
