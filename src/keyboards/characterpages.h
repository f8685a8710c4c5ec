#pragma once

#include "text/direction.h"

#include <QObject>

#include <array>
#include <functional>
#include <vector>

class QListWidget;
class QScrollArea;
class QWidget;
class CharacterButton;
class CharacterList;

// The "Tous caractères" and "GRAND FORMAT" pages and the character list beside the notebook
// (`ListBox1`): every character of codes 32 to 255, as buttons, as two lists, and ten at a time in big
// type. It builds and dresses all of them; a page built late takes the font and key size chosen by then,
// which it asks of their owners rather than keeping a copy.
class CharacterPages : public QObject
{
    Q_OBJECT

public:
    // `fontFamily`: the text's family, which every button and list here takes; `keyFontSize`: the keys'
    // size, which `t032`…`t255` take.
    CharacterPages(std::function<QString()> fontFamily, std::function<int()> keyFontSize, QObject *parent = nullptr);

    // "Liste" and `ListBox1`, at their places in the lower panel; the list is where remapping drags start.
    void createCharacterList(QWidget *panel);
    // The two pages stand empty until they are first shown: start-up then builds only what it paints.
    QWidget *createAllCharactersPage(QWidget *parent);
    QWidget *createLargeFormatPage(QWidget *parent);
    // Gives one of those pages its buttons and lists the first time it is shown; anything else is left.
    void build(QWidget *page);

    // Start-up: the list beside the notebook gets one item per code.
    void fillLists();
    // Every button and list built so far in the text's family now, `t032`…`t255` at the keys' size.
    void dress() const;

    void RefreshLargeButtons();
    // `UpDown1`: five characters back (up) or on (down).
    void stepLargeFormat(bool up);

signals:
    void characterChosen(const QString &caption, Insertion insertion);

private:
    void buildAllCharacters();
    void buildLargeFormat();
    void showLargeFrom(int index);
    void insertSelected(QListWidget *list);

    CharacterList *m_listBox1 = nullptr;
    CharacterList *m_listBox2 = nullptr;
    QScrollArea *m_allCharactersPage = nullptr;
    QWidget *m_largeFormatPage = nullptr;
    QWidget *m_allCharacters = nullptr;
    std::vector<CharacterButton *> m_characterButtons;   // t032 … t255
    std::array<CharacterButton *, 10> m_largeButtons{};  // bG1 … bG9, bG0
    std::function<QString()> m_fontFamily;
    std::function<int()> m_keyFontSize;
};
