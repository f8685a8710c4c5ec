#pragma once

#include "keyboards/charactersearch.h"
#include "keyboards/recentcharacters.h"
#include "text/direction.h"

#include <QMainWindow>

#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QScrollArea;
class CharacterButton;

// "Rechercher un caractère": a search line over the characters it finds, drawn as the all-characters
// page draws them, or over the characters typed last while the line is empty. A result types as a key
// does and leaves the window open; Enter types the first one, the arrows walk the results, Escape closes.
// A main window of its own, so that screen readers announce it as a window, not as a pane.
class CharacterSearchWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit CharacterSearchWindow(QWidget *parent);

    // Shown while the line is empty.
    void setRecents(const RecentCharacters &recents);
    // The text's font family, for the line and the results; the key size, for the results.
    void setLook(const QString &family, int keyPointSize);
    // The line with the focus and its text selected, so that typing starts a new search.
    void focusSearch();

    // The codes shown, in their order.
    QList<int> shownCodes() const;

signals:
    void characterChosen(const QString &caption, Insertion insertion);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void initWidget();
    void search();
    void showCodes(const QList<int> &codes);
    void markFirst(bool marked);
    void placeResults();
    void sizeGrid();
    int buttonSide() const;
    QSize designedSize() const;
    void showContextMenu(CharacterButton *result);

    CharacterSearch m_search;
    RecentCharacters m_recents;
    QLineEdit *m_line = nullptr;
    QLabel *m_heading = nullptr;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_grid = nullptr;
    QMenu *m_menu = nullptr;
    std::vector<CharacterButton *> m_results;
    QList<int> m_shown;
    int m_columns = 1;
};
