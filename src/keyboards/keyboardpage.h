#pragma once

#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;
class KeyButton;
class UpDownArrows;

// The "Clavier" page: the 81 remappable keys, the case switch, the key size arrows and the layout box.
// The keys' captions are the layout itself; nothing else keeps a copy of them.
class KeyboardPage : public QWidget
{
    Q_OBJECT

public:
    explicit KeyboardPage(QWidget *parent = nullptr);

    // The keys in the order keyboard files list them.
    const std::vector<KeyButton *> &keys() const { return m_keys; }

    QLabel *nomClavier() const { return m_nomClavier; }
    QPushButton *chargeClavier() const { return m_charge; }
    QPushButton *sauveClavier() const { return m_sauve; }
    UpDownArrows *upDown2() const { return m_upDown2; }

signals:
    void keyClicked(const QString &caption);
    void keyRemapped();

private:
    void createKeys();
    void createLayoutBox();
    void applyCase();
    void remapKey(KeyButton *key, const QString &character);

    std::vector<KeyButton *> m_keys;
    QLabel *m_nomClavier = nullptr;
    QPushButton *m_charge = nullptr;
    QPushButton *m_sauve = nullptr;
    QRadioButton *m_maju = nullptr;
    QRadioButton *m_mini = nullptr;
    UpDownArrows *m_upDown2 = nullptr;
};
