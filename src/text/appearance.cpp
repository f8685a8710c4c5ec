#include "text/appearance.h"

#include "shared/prompter.h"
#include "text/colourswatch.h"
#include "text/fontlist.h"
#include "text/textsize.h"
#include "text/textsizebox.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QTextOption>

namespace {

constexpr int ColourBarHeight = 18;

ColourSwatch *swatch(QWidget *texte, QPalette::ColorRole role, const QString &name, const QString &accessibleName,
                     QWidget *parent)
{
    auto *shown = new ColourSwatch(texte, role, parent);
    shown->setObjectName(name);
    shown->setAccessibleName(accessibleName);
    shown->setFixedSize(47, 13);
    return shown;
}

} // namespace

Appearance::Appearance(QPlainTextEdit *texte, Prompter &prompter, QObject *parent)
    : QObject(parent)
    , m_texte(texte)
    , m_prompter(prompter)
{
}

QWidget *Appearance::createColourBar(QWidget *parent)
{
    auto *bar = new QWidget(parent);
    bar->setObjectName(QStringLiteral("Panel2"));
    bar->setFixedHeight(ColourBarHeight);
    QFont small = bar->font();
    small.setPixelSize(11);
    bar->setFont(small);

    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 0, 6, 0);
    row->setSpacing(6);
    row->addWidget(new QLabel(QStringLiteral("Couleur fond :"), bar));
    ColourSwatch *couleurFond =
        swatch(m_texte, QPalette::Base, QStringLiteral("Couleurfond"), QStringLiteral("Couleur fond"), bar);
    row->addWidget(couleurFond);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Couleur caractères :"), bar));
    ColourSwatch *couleurTexte =
        swatch(m_texte, QPalette::Text, QStringLiteral("Couleurtexte"), QStringLiteral("Couleur caractères"), bar);
    row->addWidget(couleurTexte);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Ascenseurs :"), bar));
    m_ascenceurs = new QComboBox(bar);
    m_ascenceurs->setObjectName(QStringLiteral("Ascenceurs"));
    m_ascenceurs->setAccessibleName(QStringLiteral("Ascenseurs"));
    m_ascenceurs->addItems({QStringLiteral("Les deux"), QStringLiteral("Horizontal"), QStringLiteral("Vertical"),
                            QStringLiteral("Aucun")});
    m_ascenceurs->setFixedHeight(ColourBarHeight);
    row->addWidget(m_ascenceurs);
    row->addStretch(1);

    connect(couleurFond, &ColourSwatch::clicked, this, &Appearance::chooseBackground);
    connect(couleurTexte, &ColourSwatch::clicked, this, &Appearance::chooseTextColour);
    connect(m_ascenceurs, &QComboBox::activated, this, &Appearance::setScrollBars);
    return bar;
}

void Appearance::createTextControls(QWidget *panel)
{
    auto *group = new QGroupBox(QStringLiteral("Sens saisie "), panel);
    group->setObjectName(QStringLiteral("Alignement"));
    group->setGeometry(56, 0, 130, 50);
    m_alignement = new QButtonGroup(group);
    auto *leftToRight = new QRadioButton(QStringLiteral(">>droite"), group);
    leftToRight->setObjectName(QStringLiteral("Alignement0"));
    leftToRight->setGeometry(10, 15, 110, 17);
    leftToRight->setChecked(true);
    auto *rightToLeft = new QRadioButton(QStringLiteral("<<gauche"), group);
    rightToLeft->setObjectName(QStringLiteral("Alignement1"));
    rightToLeft->setGeometry(10, 31, 110, 17);
    m_alignement->addButton(leftToRight, directionIndex(Direction::LeftToRight));
    m_alignement->addButton(rightToLeft, directionIndex(Direction::RightToLeft));
    // Said outright: a text area left to guess would turn a line that starts in Arabic or Hebrew around.
    showDirection(Direction::LeftToRight);

    m_ckPolice = new QCheckBox(QStringLiteral("police"), panel);
    m_ckPolice->setObjectName(QStringLiteral("CKpolice"));
    m_ckPolice->setGeometry(192, 1, 120, 20);
    m_polices = new QComboBox(panel);
    m_polices->setObjectName(QStringLiteral("polices"));
    m_polices->setAccessibleName(QStringLiteral("Police du texte"));
    m_polices->setGeometry(192, 24, 178, 24);
    m_fontNames = new FontNameDelegate(m_polices);
    m_polices->setItemDelegate(m_fontNames);
    m_taillst = new TextSizeBox(panel);
    m_taillst->setObjectName(QStringLiteral("Taillst"));
    m_taillst->setAccessibleName(QStringLiteral("Taille du texte"));
    m_taillst->setRange(TextSize::Smallest, TextSize::Largest);
    m_taillst->setValue(10);
    m_taillst->setGeometry(374, 24, 52, 24);

    connect(m_polices, &QComboBox::activated, this, &Appearance::applyFontChoice);
    connect(m_taillst, &QSpinBox::valueChanged, this, &Appearance::chooseSize);
    connect(m_taillst, &TextSizeBox::refused, this, &Appearance::refuseSize);
    // Back to the text once the size is chosen; not at each digit typed, which would take the next one.
    connect(m_taillst, &TextSizeBox::stepped, m_texte, qOverload<>(&QWidget::setFocus));
    connect(m_taillst, &QAbstractSpinBox::editingFinished, this, [this] {
        if (m_taillst->hasFocus())
            m_texte->setFocus();
    });
    // The radio button's state, not the mouse: a key or an assistive tool checks it as well as a click.
    connect(m_alignement, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (const std::optional<Direction> direction = directionFromNumber(index); checked && direction)
            chooseDirection(*direction);
    });
    connect(m_ckPolice, &QCheckBox::toggled, this, &Appearance::showOwnTypefaces);
}

void Appearance::fillFontPicker()
{
    const QSignalBlocker blocker(m_polices);
    m_polices->clear();
    m_polices->addItems(installedScalableFamilies());
    m_polices->setCurrentIndex(-1);
}

void Appearance::selectFont(const QString &name)
{
    const QSignalBlocker blocker(m_polices);
    m_polices->setCurrentIndex(m_polices->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

bool Appearance::hasFont(const QString &name) const
{
    return m_polices->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
}

QString Appearance::firstFont() const
{
    return m_polices->itemText(0);
}

QString Appearance::fontName() const
{
    return m_polices->currentText();
}

QString Appearance::fontFamily() const
{
    return m_texte->font().family();
}

int Appearance::textSize() const
{
    return m_taillst->value();
}

QString Appearance::sizeText() const
{
    return m_taillst->text();
}

Direction Appearance::direction() const
{
    return directionFromNumber(m_alignement->checkedId()).value_or(Direction::LeftToRight);
}

void Appearance::apply(const TextLook &look, LookCause cause)
{
    LookChange change{look, cause};
    QFont textFont = m_texte->font();
    if (look.family) {
        selectFont(*look.family);
        if (m_polices->currentIndex() < 0 || m_polices->currentText().isEmpty())
            selectFont(arialFamily());
        change.look.family = m_polices->currentIndex() < 0 ? arialFamily() : m_polices->currentText();
        textFont.setFamily(*change.look.family);
    }
    if (look.size) {
        // A size typed is already in the box: set again, it would rewrite the box under the user's caret.
        if (m_taillst->value() != *look.size) {
            const QSignalBlocker blocker(m_taillst);
            m_taillst->setValue(*look.size);
        }
        change.look.size = m_taillst->value();
        textFont.setPointSize(*change.look.size);
    }
    if (look.family || look.size)
        m_texte->setFont(textFont);
    if (look.direction) {
        if (QAbstractButton *button = m_alignement->button(directionIndex(*look.direction))) {
            const QSignalBlocker blocker(m_alignement);
            button->setChecked(true);
        }
        showDirection(*look.direction);
    }
    if (change.look.family)
        emit fontFamilyChanged(*change.look.family);
    emit lookChanged(change);
}

void Appearance::showDirection(Direction direction)
{
    const bool rightToLeft = direction == Direction::RightToLeft;
    QTextOption option = m_texte->document()->defaultTextOption();
    option.setAlignment(rightToLeft ? Qt::AlignRight : Qt::AlignLeft);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    m_texte->document()->setDefaultTextOption(option);
}

void Appearance::setColours(const QColor &background, const QColor &text)
{
    QPalette colours = m_texte->palette();
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Text, text);
    m_texte->setPalette(colours);
}

QColor Appearance::background() const
{
    return m_texte->palette().color(QPalette::Base);
}

QColor Appearance::textColour() const
{
    return m_texte->palette().color(QPalette::Text);
}

int Appearance::scrollBars() const
{
    return m_ascenceurs->currentIndex();
}

void Appearance::setScrollBars(int index)
{
    m_ascenceurs->setCurrentIndex(qBound(0, index, m_ascenceurs->count() - 1));
    const bool horizontal = index != 2 && index != 3;
    const bool vertical = index != 1 && index != 3;
    m_texte->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_texte->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void Appearance::applyFontChoice()
{
    apply({m_polices->currentIndex() < 0 ? QString() : m_polices->currentText(), {}, {}}, LookCause::User);
}

void Appearance::chooseSize(int size)
{
    apply({{}, size, {}}, LookCause::User);
}

void Appearance::refuseSize()
{
    // Nothing the box takes: the size stays, and what follows a change of it follows all the same.
    apply({{}, m_taillst->value(), {}}, LookCause::User);
}

void Appearance::chooseDirection(Direction direction)
{
    apply({{}, {}, direction}, LookCause::User);
    m_texte->setFocus();
}

void Appearance::showOwnTypefaces(bool own)
{
    m_fontNames->setOwnTypeface(own);
    m_polices->update();
    if (QAbstractItemView *popup = m_polices->view())
        popup->viewport()->update();
}

void Appearance::chooseBackground()
{
    if (const auto chosen = m_prompter.chooseColor(background()))
        setColours(*chosen, textColour());
}

void Appearance::chooseTextColour()
{
    if (const auto chosen = m_prompter.chooseColor(textColour()))
        setColours(background(), *chosen);
}
