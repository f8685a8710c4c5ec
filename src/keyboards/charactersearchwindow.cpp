#include "keyboards/charactersearchwindow.h"

#include "keyboards/characterbutton.h"
#include "keyboards/characternames.h"
#include "keyboards/characterset.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// The all-characters page's buttons are 30 px; a larger key size makes them grow so its characters fit.
constexpr int SmallestSide = 30;
constexpr int DesignedColumns = 10;
constexpr int DesignedRows = 6;

} // namespace

CharacterSearchWindow::CharacterSearchWindow(QWidget *parent)
    : QMainWindow(parent, Qt::Tool)
{
    initWidget();
}

void CharacterSearchWindow::initWidget()
{
    setObjectName(QStringLiteral("RechercheCaractere"));
    setWindowTitle(QStringLiteral("Rechercher un caractère"));
    setAccessibleName(QStringLiteral("Rechercher un caractère"));

    auto *central = new QWidget(this);
    setCentralWidget(central);
    m_line = new QLineEdit(central);
    m_line->setObjectName(QStringLiteral("recherche"));
    m_line->setAccessibleName(QStringLiteral("Caractère cherché"));
    m_line->setAccessibleDescription(
        QStringLiteral("Mots du nom, code, entité HTML ou le caractère lui-même ; Entrée tape le premier trouvé."));
    m_line->setPlaceholderText(QStringLiteral("Nom, code (233, E9, U+00E9, Alt+0233, &eacute;) ou caractère"));
    m_line->installEventFilter(this);

    m_heading = new QLabel(central);
    m_heading->setObjectName(QStringLiteral("titreResultats"));

    m_scroll = new QScrollArea(central);
    m_scroll->setObjectName(QStringLiteral("resultats"));
    m_scroll->setAccessibleName(QStringLiteral("Résultats"));
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_heading->setBuddy(m_scroll);
    m_grid = new QWidget;
    m_grid->setObjectName(QStringLiteral("grilleResultats"));
    m_grid->setAccessibleName(QStringLiteral("Caractères trouvés"));
    // Every result there can be, made once: a search then only gives them captions and hides the rest.
    m_results.reserve(CharacterSet::Count);
    for (int index = 0; index < CharacterSet::Count; ++index) {
        auto *result = new CharacterButton(m_grid);
        result->setObjectName(QStringLiteral("resultat%1").arg(index + 1));
        result->setContextMenuPolicy(Qt::CustomContextMenu);
        result->installEventFilter(this);
        result->hide();
        connect(result, &QPushButton::clicked, this,
                [this, result] { emit characterChosen(result->text(), Insertion::FollowDirection); });
        connect(result, &QWidget::customContextMenuRequested, this, [this, result] { showContextMenu(result); });
        m_results.push_back(result);
    }
    m_scroll->setWidget(m_grid);
    // The results fill the rows of the area they are seen in, however wide the window is made.
    m_scroll->viewport()->installEventFilter(this);

    auto *column = new QVBoxLayout(central);
    column->addWidget(m_line);
    column->addWidget(m_heading);
    column->addWidget(m_scroll, 1);

    connect(m_line, &QLineEdit::textChanged, this, &CharacterSearchWindow::search);
    connect(m_line, &QLineEdit::returnPressed, this, [this] {
        if (!m_shown.isEmpty())
            m_results.front()->click();
    });
    resize(designedSize());
    placeResults();
    search();
}

void CharacterSearchWindow::setRecents(const RecentCharacters &recents)
{
    m_recents = recents;
    if (m_line->text().trimmed().isEmpty())
        search();
}

void CharacterSearchWindow::setLook(const QString &family, int keyPointSize)
{
    QFont lineFont = m_line->font();
    if (!family.isEmpty())
        lineFont.setFamily(family);
    m_line->setFont(lineFont);
    for (CharacterButton *result : m_results) {
        QFont font = result->font();
        if (!family.isEmpty())
            font.setFamily(family);
        if (keyPointSize > 0)
            font.setPointSize(keyPointSize);
        result->setFont(font);
    }
    if (!isVisible())
        resize(designedSize());
    placeResults();
}

void CharacterSearchWindow::focusSearch()
{
    m_line->setFocus(Qt::ShortcutFocusReason);
    m_line->selectAll();
}

QList<int> CharacterSearchWindow::shownCodes() const
{
    return m_shown;
}

void CharacterSearchWindow::search()
{
    const QString query = m_line->text();
    if (query.trimmed().isEmpty()) {
        m_heading->setText(QStringLiteral("Récents"));
        showCodes(m_recents.codes());
        return;
    }
    const QList<int> codes = m_search.find(query);
    m_heading->setText(codes.isEmpty()       ? QStringLiteral("Aucun caractère trouvé")
                       : codes.size() == 1 ? QStringLiteral("1 caractère")
                                           : QStringLiteral("%1 caractères").arg(codes.size()));
    showCodes(codes);
}

void CharacterSearchWindow::showCodes(const QList<int> &codes)
{
    m_shown = codes;
    // Only what changes is touched: most keys typed into the line change a few results, not all. The
    // grid repaints once, after all of them.
    m_grid->setUpdatesEnabled(false);
    for (size_t index = 0; index < m_results.size(); ++index) {
        CharacterButton *result = m_results[index];
        if (qsizetype(index) < codes.size()) {
            const QString caption = CharacterSet::captionFor(CharacterSet::character(codes.at(qsizetype(index))));
            if (result->text() != caption)
                result->setCaption(caption);
            if (result->isHidden())
                result->show();
        } else if (!result->isHidden()) {
            result->hide();
        }
    }
    markFirst(m_line->hasFocus());
    sizeGrid();
    m_grid->setUpdatesEnabled(true);
    m_scroll->verticalScrollBar()->setValue(0);
}

void CharacterSearchWindow::markFirst(bool marked)
{
    // Enter in the line types the first result: it shows as the button Enter presses.
    m_results.front()->setDefault(marked && !m_shown.isEmpty());
}

int CharacterSearchWindow::buttonSide() const
{
    return qMax(SmallestSide, QFontMetrics(m_results.front()->font()).height() + 12);
}

QSize CharacterSearchWindow::designedSize() const
{
    const int side = buttonSide();
    const QLayout *column = centralWidget()->layout();
    const QMargins margins = column ? column->contentsMargins() : QMargins();
    const int spacing = column ? column->spacing() : 0;
    const int width = DesignedColumns * side + m_scroll->verticalScrollBar()->sizeHint().width()
        + 2 * m_scroll->frameWidth() + margins.left() + margins.right();
    const int height = m_line->sizeHint().height() + m_heading->sizeHint().height() + DesignedRows * side
        + 2 * m_scroll->frameWidth() + 2 * spacing + margins.top() + margins.bottom();
    return {width, height};
}

void CharacterSearchWindow::placeResults()
{
    // Every result has its place, shown or not: a widget shown before it was ever placed works out its
    // own size first, which would cost a search that brings dozens of them.
    const int side = buttonSide();
    m_columns = qMax(1, m_scroll->viewport()->width() / side);
    for (size_t index = 0; index < m_results.size(); ++index)
        m_results[index]->setGeometry(int(index) % m_columns * side, int(index) / m_columns * side, side, side);
    sizeGrid();
}

void CharacterSearchWindow::sizeGrid()
{
    const int side = buttonSide();
    const int rows = (int(m_shown.size()) + m_columns - 1) / m_columns;
    m_grid->setFixedSize(m_columns * side, rows * side);
}

bool CharacterSearchWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport()) {
        if (event->type() == QEvent::Resize)
            placeResults();
        return false;
    }
    if (watched == m_line) {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            markFirst(event->type() == QEvent::FocusIn);
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Down
            && !m_shown.isEmpty()) {
            m_results.front()->setFocus(Qt::TabFocusReason);
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    auto *result = static_cast<QWidget *>(watched);
    // Up from the first row goes back to the line, and typing on a result goes on typing into the line.
    if (key->key() == Qt::Key_Up && result->y() == 0) {
        m_line->setFocus(Qt::TabFocusReason);
        return true;
    }
    const bool editsTheLine = key->key() == Qt::Key_Backspace
        || (!key->text().isEmpty() && key->text().at(0).isPrint() && key->key() != Qt::Key_Space
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)));
    if (editsTheLine) {
        m_line->setFocus(Qt::TabFocusReason);
        QCoreApplication::sendEvent(m_line, event);
        return true;
    }
    return false;
}

void CharacterSearchWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void CharacterSearchWindow::showContextMenu(CharacterButton *result)
{
    const int code = CharacterSet::codeOfCaption(result->text());
    if (code < CharacterSet::FirstCode)
        return;
    if (!m_menu) {
        m_menu = new QMenu(this);
        m_menu->setObjectName(QStringLiteral("menuResultat"));
    }
    m_menu->clear();
    const QString character = result->character();
    const QString codePoint = CharacterNames::codePoint(code);
    const QString entity = CharacterNames::htmlEntity(code);
    QAction *copyCharacter = m_menu->addAction(QStringLiteral("Copier le caractère"),
                                               this, [character] { QApplication::clipboard()->setText(character); });
    // A control character would reach the clipboard as nothing anyone could see or paste.
    copyCharacter->setEnabled(!character.isEmpty());
    m_menu->addAction(QStringLiteral("Copier le code (%1)").arg(codePoint), this,
                      [codePoint] { QApplication::clipboard()->setText(codePoint); });
    // Doubled, or the menu would take the entity's "&" for the mark of a shortcut letter.
    m_menu->addAction(QStringLiteral("Copier l'entité HTML (%1)").arg(QString(entity).replace(QLatin1Char('&'), QStringLiteral("&&"))),
                      this, [entity] { QApplication::clipboard()->setText(entity); });
    m_menu->popup(result->mapToGlobal(result->rect().center()));
}
