#pragma once

#include <QObject>

#include <array>

class QListWidget;
class CharacterButton;
class QScrollArea;
class QTextEdit;
class QWidget;
class TextCommands;
class UpDownArrows;

// The "Tous caractères" and "GRAND FORMAT" pages and the character list beside the notebook:
// every character of codes 32 to 255, as buttons, as two lists, and ten at a time in big type.
class CharacterPages : public QObject
{
    Q_OBJECT

public:
    CharacterPages(QListWidget *listBox1, TextCommands &commands, QObject *parent = nullptr);

    // The two pages stand empty until they are first shown: start-up then builds only what it paints.
    QWidget *createAllCharactersPage(QWidget *parent);
    QWidget *createLargeFormatPage(QWidget *parent);
    // Gives one of those pages its buttons and lists; false when the page was built already or is
    // not one of them. The new buttons carry the default font: the caller dresses them.
    bool build(QWidget *page);

    // Start-up: the list beside the notebook gets one item per code.
    void fillLists();
    void showLargeFrom(int index);

    void RefreshLargeButtons();
    void UpDown1Click(bool up);

signals:
    void characterClicked(const QString &caption);

private:
    void buildAllCharacters();
    void buildLargeFormat();
    void insertSelected(QListWidget *list);

    QListWidget *m_listBox1;
    QListWidget *m_listBox2 = nullptr;
    TextCommands &m_commands;
    QScrollArea *m_allCharactersPage = nullptr;
    QWidget *m_largeFormatPage = nullptr;
    QWidget *m_allCharacters = nullptr;
    std::array<CharacterButton *, 10> m_largeButtons{};
};
