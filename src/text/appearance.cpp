#include "text/appearance.h"

#include "app/appstate.h"
#include "shared/prompter.h"
#include "text/colourswatch.h"
#include "documents/documentheader.h"
#include "keyboards/buttonfamilies.h"
#include "text/fontlist.h"
#include "text/textcommands.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextDocument>
#include <QTextOption>

Appearance::Appearance(const Controls &controls, QPlainTextEdit *texte, QWidget *window, AppState &state,
                       Prompter &prompter, TextCommands &commands, QObject *parent)
    : QObject(parent)
    , m_controls(controls)
    , m_texte(texte)
    , m_window(window)
    , m_state(state)
    , m_prompter(prompter)
    , m_commands(commands)
    , m_fontNames(new FontNameDelegate(controls.polices))
{
    m_controls.polices->setItemDelegate(m_fontNames);
    // The size applies when the user has finished typing it, not at each digit.
    m_controls.Taillst->setKeyboardTracking(false);

    connect(m_controls.polices, &QComboBox::activated, this, &Appearance::policesChange);
    connect(m_controls.Taillst, &QSpinBox::valueChanged, this, &Appearance::TaillstChange);
    // The radio button's state, not the mouse: a key or an assistive tool checks it as well as a click.
    connect(m_controls.Alignement, &QButtonGroup::idToggled, this, [this](int direction, bool checked) {
        if (checked)
            AlignementClick(direction);
    });
    connect(m_controls.Ascenceurs, &QComboBox::activated, this, &Appearance::AscenceursChange);
    connect(m_controls.CKpolice, &QCheckBox::clicked, this, &Appearance::CKpoliceClick);
    connect(m_controls.Couleurfond, &ColourSwatch::clicked, this, &Appearance::CouleurfondRelease);
    connect(m_controls.Couleurtexte, &ColourSwatch::clicked, this, &Appearance::CouleurtexteRelease);
}

void Appearance::fillFontPicker()
{
    const QSignalBlocker blocker(m_controls.polices);
    m_controls.polices->clear();
    m_controls.polices->addItems(installedScalableFamilies());
    m_controls.polices->setCurrentIndex(-1);
}

void Appearance::selectFont(const QString &name)
{
    const QSignalBlocker blocker(m_controls.polices);
    m_controls.polices->setCurrentIndex(m_controls.polices->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void Appearance::setTextSize(int size)
{
    {
        const QSignalBlocker blocker(m_controls.Taillst);
        m_controls.Taillst->setValue(size);
    }
    QFont font = m_texte->font();
    font.setPointSize(m_controls.Taillst->value());
    m_texte->setFont(font);
}

void Appearance::setColours(const QColor &background, const QColor &text)
{
    QPalette colours = m_texte->palette();
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Text, text);
    m_texte->setPalette(colours);
    m_controls.Couleurfond->setColour(background);
    m_controls.Couleurtexte->setColour(text);
}

int Appearance::direction() const
{
    return m_controls.Alignement->checkedId() == 1 ? 1 : 0;
}

QString Appearance::fontName() const
{
    return m_controls.polices->currentText();
}

bool Appearance::hasFontSelected() const
{
    return m_controls.polices->currentIndex() >= 0;
}

void Appearance::selectFirstFont()
{
    const QSignalBlocker blocker(m_controls.polices);
    m_controls.polices->setCurrentIndex(m_controls.polices->count() > 0 ? 0 : -1);
}

QString Appearance::sizeText() const
{
    return m_controls.Taillst->text();
}

void Appearance::policesChange()
{
    QComboBox *polices = m_controls.polices;
    if (polices->currentIndex() < 0 || polices->currentText().isEmpty())
        selectFont(arialFamily());
    applyFontFamily(polices->currentIndex() < 0 ? arialFamily() : polices->currentText());
    enableSaveEntries();
    m_state.KeyboardModified = true;
}

void Appearance::TaillstChange(int size)
{
    if (size >= 6 && size <= 72) {
        QFont font = m_texte->font();
        font.setPointSize(size);
        m_texte->setFont(font);
        m_texte->setFocus();
    }
    enableSaveEntries();
}

void Appearance::AlignementClick(int direction)
{
    applyDirection(direction);
    enableSaveForTapoliDocument();
    m_texte->setFocus();
    m_state.KeyboardModified = true;
}

void Appearance::applyDirection(int direction)
{
    const bool rightToLeft = direction == 1;
    if (QAbstractButton *button = m_controls.Alignement->button(rightToLeft ? 1 : 0)) {
        const QSignalBlocker blocker(m_controls.Alignement);
        button->setChecked(true);
    }
    QTextOption option = m_texte->document()->defaultTextOption();
    option.setAlignment(rightToLeft ? Qt::AlignRight : Qt::AlignLeft);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    m_texte->document()->setDefaultTextOption(option);
    m_commands.setDirection(rightToLeft ? 1 : 0);
}

void Appearance::AscenceursChange(int index)
{
    const bool horizontal = index != 2 && index != 3;
    const bool vertical = index != 1 && index != 3;
    m_texte->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_texte->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void Appearance::CKpoliceClick()
{
    m_fontNames->setOwnTypeface(m_controls.CKpolice->isChecked());
    m_controls.polices->update();
    if (QAbstractItemView *popup = m_controls.polices->view())
        popup->viewport()->update();
}

void Appearance::CouleurfondRelease()
{
    const auto chosen = m_prompter.chooseColor(m_texte->palette().color(QPalette::Base));
    if (!chosen)
        return;
    setColours(*chosen, m_texte->palette().color(QPalette::Text));
}

void Appearance::CouleurtexteRelease()
{
    const auto chosen = m_prompter.chooseColor(m_texte->palette().color(QPalette::Text));
    if (!chosen)
        return;
    setColours(m_texte->palette().color(QPalette::Base), *chosen);
}

void Appearance::applyFontFamily(const QString &family)
{
    QFont textFont = m_texte->font();
    textFont.setFamily(family);
    m_texte->setFont(textFont);
    applyFamilyWithin(m_window, family);
}

void Appearance::dressNewPage(QWidget *page)
{
    applyFamilyWithin(page, m_texte->font().family());
}

void Appearance::applyFamilyWithin(QWidget *root, const QString &family)
{
    const QList<QListWidget *> lists = root->findChildren<QListWidget *>();
    for (QListWidget *list : lists) {
        if (list->objectName() == QLatin1String("ListBox1") || list->objectName() == QLatin1String("ListBox2")) {
            QFont listFont = list->font();
            listFont.setFamily(family);
            list->setFont(listFont);
        }
    }
    const QList<QPushButton *> buttons = root->findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (ButtonFamilies::takesTextFont(button->objectName())) {
            QFont buttonFont = button->font();
            buttonFont.setFamily(family);
            button->setFont(buttonFont);
        }
    }
}

void Appearance::enableSaveEntries()
{
    m_commands.saveEntries().saveAs->setEnabled(true);
    enableSaveForTapoliDocument();
}

void Appearance::enableSaveForTapoliDocument()
{
    // Font, size and direction are recorded only in Tapoli's own documents, so only there is a change
    // something to save. Without a document name "Sauver" would have nothing to write to.
    if (DocumentHeader::isTapoliDocument(m_state.OpenDialog1.fileName) && !m_state.DocumentFileName.isEmpty())
        m_commands.saveEntries().save->setEnabled(true);
}
