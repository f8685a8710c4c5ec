#include "keyboards/keyboardpage.h"

#include "keyboards/characterset.h"
#include "keyboards/keybutton.h"
#include "keyboards/keydefinitions.h"
#include "keyboards/keyrules.h"
#include "keyboards/updownarrows.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

KeyboardPage::KeyboardPage(QWidget *parent)
    : QWidget(parent)
    , m_keyFontSize(font().pointSize())
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
        connect(key, &QPushButton::clicked, this,
                [this, key] { emit characterChosen(key->text(), Insertion::FollowDirection); });
        connect(key, &KeyButton::characterDropped, this, [this, key](const QString &character) {
            remapKey(key, character);
        });
        m_keys.push_back(key);
        if (definition.isLetter())
            m_letterKeys.push_back(key);
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

    auto *charge = new QPushButton(QStringLiteral("charge..."), this);
    charge->setObjectName(QStringLiteral("ChargeClavier"));
    charge->setGeometry(130, 98, 62, 18);
    auto *sauve = new QPushButton(QStringLiteral("sauve..."), this);
    sauve->setObjectName(QStringLiteral("SauveClavier"));
    sauve->setGeometry(130, 116, 62, 18);
    connect(charge, &QPushButton::clicked, this, &KeyboardPage::loadRequested);
    connect(sauve, &QPushButton::clicked, this, &KeyboardPage::saveRequested);

    auto *maju = new QRadioButton(QStringLiteral("MAJ"), this);
    maju->setObjectName(QStringLiteral("maju"));
    maju->setGeometry(198, 98, 52, 18);
    maju->setChecked(true);
    m_mini = new QRadioButton(QStringLiteral("min"), this);
    m_mini->setObjectName(QStringLiteral("Mini"));
    m_mini->setGeometry(198, 116, 52, 18);
    // Follows the state, however it changes: a click, a key, or an assistive tool's toggle.
    connect(m_mini, &QRadioButton::toggled, this, &KeyboardPage::applyCase);

    auto *sizeLabel = new QLabel(QStringLiteral("Taille:"), this);
    sizeLabel->setObjectName(QStringLiteral("Label3"));
    sizeLabel->setGeometry(254, 108, 40, 16);
    auto *arrows = new UpDownArrows(this);
    arrows->setObjectName(QStringLiteral("UpDown2"));
    arrows->setAccessibleName(QStringLiteral("Taille des touches"));
    arrows->setArrowNames(QStringLiteral("Agrandir les touches"), QStringLiteral("Réduire les touches"));
    arrows->setGeometry(296, 98, 17, 36);
    connect(arrows, &UpDownArrows::stepped, this, &KeyboardPage::stepKeySize);
}

void KeyboardPage::setLayoutName(const QString &name)
{
    m_nomClavier->setText(name);
}

void KeyboardPage::setKeyFontSize(int pointSize)
{
    m_keyFontSize = pointSize;
    for (KeyButton *key : m_keys) {
        QFont font = key->font();
        font.setPointSize(pointSize);
        key->setFont(font);
    }
    emit keyFontSizeChanged(pointSize);
}

void KeyboardPage::setFontFamily(const QString &family)
{
    for (KeyButton *key : m_keys) {
        QFont font = key->font();
        font.setFamily(family);
        key->setFont(font);
    }
}

void KeyboardPage::stepKeySize(bool up)
{
    const auto size = KeyRules::steppedKeySize(m_keyFontSize, up);
    if (!size)
        return;
    setKeyFontSize(*size);
    emit keySizeStepped();
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
    for (KeyButton *key : m_letterKeys)
        key->setCaption(KeyRules::withCase(key->text(), upper));
}
