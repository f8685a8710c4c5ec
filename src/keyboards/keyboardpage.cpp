#include "keyboards/keyboardpage.h"

#include "keyboards/updownarrows.h"
#include "keyboards/buttonfamilies.h"
#include "keyboards/keybutton.h"
#include "keyboards/characterset.h"
#include "keyboards/keydefinitions.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

KeyboardPage::KeyboardPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Clavier"));
    createKeys();
    createLayoutBox();
}

void KeyboardPage::createKeys()
{
    const std::vector<KeyDefinition> &definitions = keyDefinitions();
    m_keys.reserve(definitions.size());
    for (const KeyDefinition &definition : definitions) {
        auto *key = new KeyButton(definition.caption, this);
        key->setObjectName(definition.name);
        key->setGeometry(definition.left, definition.top, definition.size(), definition.size());
        connect(key, &QPushButton::clicked, this, [this, key] { emit keyClicked(key->text()); });
        connect(key, &KeyButton::characterDropped, this, [this, key](const QString &character) {
            remapKey(key, character);
        });
        m_keys.push_back(key);
    }
}

void KeyboardPage::createLayoutBox()
{
    auto *box = new QFrame(this);
    box->setObjectName(QStringLiteral("Bevel1"));
    box->setFrameShape(QFrame::Panel);
    box->setFrameShadow(QFrame::Sunken);
    box->setGeometry(8, 98, 118, 36);

    auto *title = new QLabel(QStringLiteral("Clavier"), box);
    title->setObjectName(QStringLiteral("Label2"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setGeometry(4, 2, 110, 15);

    m_nomClavier = new QLabel(QStringLiteral("<...>"), box);
    m_nomClavier->setObjectName(QStringLiteral("nomClavier"));
    m_nomClavier->setTextFormat(Qt::PlainText);
    m_nomClavier->setGeometry(4, 18, 110, 15);

    m_charge = new QPushButton(QStringLiteral("charge..."), this);
    m_charge->setObjectName(QStringLiteral("ChargeClavier"));
    m_charge->setGeometry(130, 98, 62, 18);
    m_sauve = new QPushButton(QStringLiteral("sauve..."), this);
    m_sauve->setObjectName(QStringLiteral("SauveClavier"));
    m_sauve->setGeometry(130, 116, 62, 18);

    m_maju = new QRadioButton(QStringLiteral("MAJ"), this);
    m_maju->setObjectName(QStringLiteral("maju"));
    m_maju->setGeometry(198, 98, 52, 18);
    m_maju->setChecked(true);
    m_mini = new QRadioButton(QStringLiteral("min"), this);
    m_mini->setObjectName(QStringLiteral("Mini"));
    m_mini->setGeometry(198, 116, 52, 18);
    // Follows the state, however it changes: a click, a key, or an assistive tool's toggle.
    connect(m_mini, &QRadioButton::toggled, this, &KeyboardPage::applyCase);

    auto *sizeLabel = new QLabel(QStringLiteral("Taille:"), this);
    sizeLabel->setObjectName(QStringLiteral("Label3"));
    sizeLabel->setGeometry(254, 108, 40, 16);
    m_upDown2 = new UpDownArrows(this);
    m_upDown2->setObjectName(QStringLiteral("UpDown2"));
    m_upDown2->setAccessibleName(QStringLiteral("Taille des touches"));
    m_upDown2->setArrowNames(QStringLiteral("Agrandir les touches"), QStringLiteral("Réduire les touches"));
    m_upDown2->setGeometry(296, 98, 17, 36);
}

void KeyboardPage::remapKey(KeyButton *key, const QString &character)
{
    if (character.isEmpty())
        return;
    key->setCaption(CharacterSet::captionFor(character.left(1)));
    emit keyRemapped();
}

void KeyboardPage::applyCase()
{
    const bool upper = !m_mini->isChecked();
    for (KeyButton *key : m_keys) {
        if (ButtonFamilies::isLetterKey(key->objectName()))
            key->setCaption(ButtonFamilies::withCase(key->text(), upper));
    }
}
