#pragma once

#include "text/direction.h"

#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;
class KeyButton;
class UpDownArrows;

// The "Clavier" page: the 81 remappable keys, the case switch, the key size arrows (`UpDown2`) and
// the layout box. The keys' captions are the layout itself, and their size is kept here: nothing else
// keeps a copy of either.
class KeyboardPage : public QWidget
{
    Q_OBJECT

public:
    explicit KeyboardPage(QWidget *parent = nullptr);

    // The keys in the order keyboard files list them.
    const std::vector<KeyButton *> &keys() const { return m_keys; }

    // What `nomClavier` shows: the layout file's name without folder or extension, "<...>" before any.
    void setLayoutName(const QString &name);
    int keyFontSize() const { return m_keyFontSize; }
    void setKeyFontSize(int pointSize);
    void setFontFamily(const QString &family);

signals:
    void characterChosen(const QString &caption, Insertion insertion);
    void keyRemapped();
    // The arrows changed the keys' size.
    void keySizeStepped();
    void keyFontSizeChanged(int pointSize);
    // "charge..." and "sauve...".
    void loadRequested();
    void saveRequested();

private:
    void createKeys();
    void createLayoutBox();
    void applyCase();
    void remapKey(KeyButton *key, const QString &character);
    void stepKeySize(bool up);

    std::vector<KeyButton *> m_keys;
    std::vector<KeyButton *> m_letterKeys;
    int m_keyFontSize;
    QLabel *m_nomClavier = nullptr;
    QRadioButton *m_mini = nullptr;
};
