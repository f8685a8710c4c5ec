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

    QWidget *createAllCharactersPage(QWidget *parent);
    QWidget *createLargeFormatPage(QWidget *parent);

    // Start-up, first step: both lists get one item per code.
    void fillLists();
    // Start-up, once the text font is applied: each button of the all-characters page gets its character.
    void fillCharacterButtons();
    // Start-up, last step: the large-format page opens on "a".
    void showLargeFrom(int index);

    void RefreshLargeButtons();
    void UpDown1Click(bool up);

signals:
    void characterClicked(const QString &caption);

private:
    void insertSelected(QListWidget *list);

    QListWidget *m_listBox1;
    QListWidget *m_listBox2 = nullptr;
    TextCommands &m_commands;
    QWidget *m_allCharacters = nullptr;
    std::array<CharacterButton *, 10> m_largeButtons{};
};
