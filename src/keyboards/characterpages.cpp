#include "keyboards/characterpages.h"

#include "keyboards/characterbutton.h"
#include "keyboards/characterlist.h"
#include "keyboards/characterset.h"
#include "keyboards/updownarrows.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace {

constexpr int ColumnLefts[20] = {18, 47, 77, 107, 137, 166, 196, 226, 256, 285,
                                 315, 345, 375, 405, 435, 464, 494, 524, 554, 584};
constexpr int LargeLefts[5] = {219, 279, 339, 399, 459};

QString buttonName(int code)
{
    return QStringLiteral("t%1").arg(code, 3, 10, QLatin1Char('0'));
}

} // namespace

CharacterPages::CharacterPages(std::function<QString()> fontFamily, std::function<int()> keyFontSize, QObject *parent)
    : QObject(parent)
    , m_fontFamily(std::move(fontFamily))
    , m_keyFontSize(std::move(keyFontSize))
{
}

void CharacterPages::createCharacterList(QWidget *panel)
{
    auto *label = new QLabel(QStringLiteral("Liste"), panel);
    label->setObjectName(QStringLiteral("Label1"));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(3, 40, 48, 16);
    m_listBox1 = new CharacterList(panel);
    m_listBox1->setObjectName(QStringLiteral("ListBox1"));
    m_listBox1->setAccessibleName(QStringLiteral("Liste des caractères"));
    m_listBox1->setGeometry(3, 58, 48, 155);
    m_listBox1->setDragEnabled(true);
    m_listBox1->setDragDropMode(QAbstractItemView::DragOnly);
    m_listBox1->setDefaultDropAction(Qt::CopyAction);
    connect(m_listBox1, &QListWidget::itemDoubleClicked, this, [this] { insertSelected(m_listBox1); });
}

QWidget *CharacterPages::createAllCharactersPage(QWidget *parent)
{
    m_allCharactersPage = new QScrollArea(parent);
    m_allCharactersPage->setObjectName(QStringLiteral("ScrollBox1"));
    m_allCharactersPage->setFrameShape(QFrame::NoFrame);
    m_allCharactersPage->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_allCharactersPage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return m_allCharactersPage;
}

QWidget *CharacterPages::createLargeFormatPage(QWidget *parent)
{
    m_largeFormatPage = new QWidget(parent);
    m_largeFormatPage->setObjectName(QStringLiteral("GrandFormat"));
    return m_largeFormatPage;
}

void CharacterPages::build(QWidget *page)
{
    if (page && page == m_allCharactersPage && !m_allCharacters)
        buildAllCharacters();
    else if (page && page == m_largeFormatPage && !m_listBox2)
        buildLargeFormat();
    else
        return;
    dress();
}

void CharacterPages::dress() const
{
    const QString family = m_fontFamily();
    const int keyFontSize = m_keyFontSize();
    auto apply = [&](QWidget *widget, bool keySized) {
        QFont font = widget->font();
        font.setFamily(family);
        if (keySized)
            font.setPointSize(keyFontSize);
        widget->setFont(font);
    };
    // The lists and the large buttons keep their own sizes; the all-characters buttons take the keys'.
    for (QWidget *list : {static_cast<QWidget *>(m_listBox1), static_cast<QWidget *>(m_listBox2)}) {
        if (list)
            apply(list, false);
    }
    for (CharacterButton *button : m_characterButtons)
        apply(button, true);
    for (CharacterButton *button : m_largeButtons) {
        if (button)
            apply(button, false);
    }
}

void CharacterPages::buildAllCharacters()
{
    m_allCharacters = new QWidget;
    m_allCharacters->setObjectName(QStringLiteral("TousCaracteres"));
    for (int code = CharacterSet::FirstCode; code <= CharacterSet::LastCode; ++code) {
        const int index = code - CharacterSet::FirstCode;
        // Twenty to a row; the last four codes stand centred on a twelfth row.
        const int row = index / 20;
        const int column = row < 11 ? index % 20 : 8 + index % 20;
        auto *button = new CharacterButton(CharacterSet::captionFor(CharacterSet::character(code)), m_allCharacters);
        button->setObjectName(buttonName(code));
        button->setGeometry(ColumnLefts[column], row < 11 ? 12 + 29 * row : 332, 30, 30);
        connect(button, &QPushButton::clicked, this,
                [this, button] { emit characterChosen(button->text(), Insertion::FollowDirection); });
        m_characterButtons.push_back(button);
    }
    m_allCharacters->setFixedSize(630, 12 + 29 * 11 + 30 + 12);
    m_allCharactersPage->setWidget(m_allCharacters);
    m_allCharacters->show();
}

void CharacterPages::buildLargeFormat()
{
    QWidget *page = m_largeFormatPage;
    auto *memo = new QTextEdit(page);
    memo->setObjectName(QStringLiteral("Memo2"));
    memo->setAccessibleName(QStringLiteral("Mode d'emploi de la liste"));
    memo->setGeometry(14, 9, 100, 124);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setReadOnly(true);
    memo->setTextInteractionFlags(Qt::NoTextInteraction);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont memoFont = memo->font();
    memoFont.setPixelSize(13);
    memoFont.setBold(true);
    memo->setFont(memoFont);
    constexpr int MemoMargin = 1;
    memo->document()->setDocumentMargin(MemoMargin);
    memo->setPlainText(QStringLiteral("LISTE >>\n1 clic: \nchange\nclavier\n\n2 clic: \nchoisis\ncaractère"));
    // All eight lines must show: where the font's own line spacing would push the last one out of
    // the memo, the lines are set closer, which the letters' height (without the leading) allows.
    const int lines = memo->document()->blockCount();
    const int spacing = qMin(QFontMetrics(memoFont).lineSpacing(), (memo->height() - 2 * MemoMargin) / lines);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setLineHeight(spacing, QTextBlockFormat::FixedHeight);
    QTextCursor all(memo->document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(centred);

    m_listBox2 = new CharacterList(page);
    m_listBox2->setObjectName(QStringLiteral("ListBox2"));
    m_listBox2->setAccessibleName(QStringLiteral("Liste des caractères du grand format"));
    m_listBox2->setGeometry(123, 8, 77, 118);
    QFont listFont = m_listBox2->font();
    listFont.setPixelSize(40);
    listFont.setBold(true);
    m_listBox2->setFont(listFont);
    m_listBox2->addItems(CharacterSet::all());

    static const char *const Names[10] = {"bG1", "bG2", "bG3", "bG4", "bG5", "bG6", "bG7", "bG8", "bG9", "bG0"};
    for (int index = 0; index < 10; ++index) {
        auto *button = new CharacterButton(QStringLiteral(" "), page);
        button->setObjectName(QLatin1String(Names[index]));
        button->setGeometry(LargeLefts[index % 5], index < 5 ? 8 : 69, 60, 59);
        QFont large = button->font();
        large.setPixelSize(53);
        button->setFont(large);
        QPalette black = button->palette();
        black.setColor(QPalette::ButtonText, Qt::black);
        button->setPalette(black);
        connect(button, &QPushButton::clicked, this,
                [this, button] { emit characterChosen(button->text(), Insertion::FollowDirection); });
        m_largeButtons[size_t(index)] = button;
    }

    auto *spinner = new UpDownArrows(page);
    spinner->setObjectName(QStringLiteral("UpDown1"));
    spinner->setAccessibleName(QStringLiteral("Défilement des caractères"));
    spinner->setArrowNames(QStringLiteral("Caractères précédents"), QStringLiteral("Caractères suivants"));
    spinner->setGeometry(531, 32, 28, 74);
    connect(spinner, &UpDownArrows::stepped, this, &CharacterPages::stepLargeFormat);

    // The page opens on "a".
    showLargeFrom(65);
    connect(m_listBox2, &QListWidget::currentRowChanged, this, &CharacterPages::RefreshLargeButtons);
    connect(m_listBox2, &QListWidget::itemDoubleClicked, this, [this] { insertSelected(m_listBox2); });

    // Built while the page may already be on screen, where new children stay hidden until shown.
    const QList<QWidget *> children = page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children)
        child->show();
}

void CharacterPages::fillLists()
{
    const QSignalBlocker blocker(m_listBox1);
    m_listBox1->clear();
    m_listBox1->addItems(CharacterSet::all());
}

void CharacterPages::showLargeFrom(int index)
{
    m_listBox2->setCurrentRow(index);
    RefreshLargeButtons();
}

void CharacterPages::RefreshLargeButtons()
{
    const QStringList captions = CharacterSet::largeCaptions(m_listBox2->currentRow());
    for (size_t index = 0; index < m_largeButtons.size(); ++index)
        m_largeButtons[index]->setCaption(captions.at(int(index)));
}

void CharacterPages::stepLargeFormat(bool up)
{
    int code = CharacterSet::codeOfCaption(m_largeButtons[0]->text());
    if (code < 0)
        code = CharacterSet::FirstCode;
    showLargeFrom(CharacterSet::steppedIndex(code, up));
}

void CharacterPages::insertSelected(QListWidget *list)
{
    if (const QListWidgetItem *item = list->currentItem())
        emit characterChosen(item->text(), Insertion::InPlace);
}
