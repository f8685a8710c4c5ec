#include "keyboards/characterbutton.h"

#include "keyboards/characternames.h"
#include "keyboards/characterset.h"
#include "text/textrules.h"

#include <QDrag>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QHash>
#include <QMouseEvent>
#include <QRawFont>
#include <QScrollArea>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolTip>

#include <limits>

CharacterButton::CharacterButton(QWidget *parent)
    : QPushButton(parent)
{
    // A click leaves the focus where the user types, as a keyboard's keys do: taking it and giving it
    // back would repaint the whole text area twice for every character. Tab still reaches the button.
    setFocusPolicy(Qt::TabFocus);
}

CharacterButton::CharacterButton(const QString &caption, QWidget *parent)
    : CharacterButton(parent)
{
    setCaption(caption);
}

void CharacterButton::setCaption(const QString &caption)
{
    setText(caption);
    const int code = CharacterSet::codeOfCaption(caption);
    if (code >= CharacterSet::FirstCode)
        setAccessibleName(CharacterNames::accessibleName(code));
    else if (!CharacterSet::shownCode(caption).isEmpty())
        setAccessibleName(QStringLiteral("CARACTÈRE DE COMMANDE ") + CharacterSet::shownCode(caption));
    else
        setAccessibleName(QString());
    setAccessibleDescription(CharacterNames::details(code));
}

QString CharacterButton::character() const
{
    return TextRules::characterOfCaption(text());
}

bool CharacterButton::fontHasCharacter() const
{
    const QString typed = character();
    if (typed.isEmpty() || CharacterSet::hasNoGlyph(typed) || typed == QLatin1String(" "))
        return true;
    // Asked of the chosen font itself: QFontMetrics would also count the fonts Qt falls back on.
    // Compared, not keyed: a font's key is a string built anew, and every paint of the key asks.
    if (font() != m_checkedFont || typed != m_checkedCharacter) {
        m_checkedFont = font();
        m_checkedCharacter = typed;
        // Every button of a page shares one font: look it up once, not once per button at the first paint.
        static QHash<QString, QRawFont> rawFonts;
        const QString key = font().key();
        auto found = rawFonts.constFind(key);
        if (found == rawFonts.constEnd())
            found = rawFonts.insert(key, QRawFont::fromFont(font()));
        m_fontHasCharacter = found->supportsCharacter(typed.at(0));
    }
    return m_fontHasCharacter;
}

QMimeData *CharacterButton::dragData() const
{
    auto *data = new QMimeData;
    data->setText(character());
    return data;
}

bool CharacterButton::event(QEvent *event)
{
    // Built when asked for, so it always describes the present caption in the present font.
    if (event->type() == QEvent::ToolTip) {
        const int code = CharacterSet::codeOfCaption(text());
        if (code < CharacterSet::FirstCode)
            return QPushButton::event(event);
        QString tip = CharacterNames::tooltip(code);
        if (!fontHasCharacter())
            tip += QStringLiteral("\nLa police « ") + font().family() + QStringLiteral(" » ne contient pas ce caractère.");
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), tip, this);
        return true;
    }
    return QPushButton::event(event);
}

void CharacterButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    if (CharacterSet::hasNoGlyph(text()))
        option.text = CharacterSet::shownCode(text());
    else if (!fontHasCharacter())
        option.palette.setColor(QPalette::ButtonText, option.palette.color(QPalette::Disabled, QPalette::ButtonText));
    painter.drawControl(QStyle::CE_PushButton, option);
}

void CharacterButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
    }
    QPushButton::mousePressEvent(event);
}

void CharacterButton::mouseMoveEvent(QMouseEvent *event)
{
    // A press released over the button is a click however far it wandered inside (a tremor, a touchpad):
    // only leaving the button while pressed carries the character out as text.
    if (m_pressed && (event->buttons() & Qt::LeftButton) && !character().isEmpty()
        && !hitButton(event->position().toPoint())) {
        m_pressed = false;
        setDown(false);
        auto *drag = new QDrag(this);
        drag->setMimeData(dragData());
        drag->exec(Qt::CopyAction);
        return;
    }
    QPushButton::mouseMoveEvent(event);
}

void CharacterButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        moveFocus(event->key());
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        clickKeepingFocus();
        return;
    default:
        QPushButton::keyPressEvent(event);
    }
}

void CharacterButton::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && isDown()) {
        setDown(false);
        clickKeepingFocus();
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

void CharacterButton::clickKeepingFocus()
{
    // A click sends the focus to the text; someone working from the keyboard stays on the grid.
    click();
    setFocus(Qt::TabFocusReason);
}

void CharacterButton::moveFocus(int key)
{
    const QPoint here = geometry().center();
    CharacterButton *best = nullptr;
    long bestScore = std::numeric_limits<long>::max();
    const QList<CharacterButton *> siblings = parentWidget()->findChildren<CharacterButton *>(Qt::FindDirectChildrenOnly);
    for (CharacterButton *other : siblings) {
        if (other == this || !other->isVisibleTo(parentWidget()))
            continue;
        const QPoint delta = other->geometry().center() - here;
        const int along = key == Qt::Key_Left ? -delta.x() : key == Qt::Key_Right ? delta.x()
                        : key == Qt::Key_Up ? -delta.y() : delta.y();
        const int across = key == Qt::Key_Left || key == Qt::Key_Right ? delta.y() : delta.x();
        if (along <= 0)
            continue;
        // Straight neighbours first: stepping sideways costs far more than stepping on.
        const long score = long(along) + 8L * qAbs(across);
        if (score < bestScore) {
            bestScore = score;
            best = other;
        }
    }
    if (!best)
        return;
    best->setFocus(Qt::TabFocusReason);
    for (QWidget *ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto *scrolling = qobject_cast<QScrollArea *>(ancestor)) {
            scrolling->ensureWidgetVisible(best);
            break;
        }
    }
}
