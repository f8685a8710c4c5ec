#include "app/dwellclick.h"

#include "settings/settings.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace {

// How far a pointer at rest may wander (a tremor, an eye tracker's jitter) before it counts as moved on.
constexpr int RestingDistance = 6;
// Often enough for the bar to grow smoothly, rarely enough to cost nothing.
constexpr int TickMilliseconds = 30;

// The bar along the bottom of the button, laid over it so that any button can carry it; the pointer
// goes through it to the button.
class DwellMark : public QWidget
{
public:
    explicit DwellMark(QWidget *button)
        : QWidget(button)
    {
        setObjectName(QStringLiteral("marqueClicAutomatique"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(button->rect());
        show();
    }

    void setProgress(qreal progress)
    {
        m_progress = qBound<qreal>(0, progress, 1);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const int thickness = qMax(3, height() / 7);
        const QRect track(1, height() - thickness - 1, width() - 2, thickness);
        painter.fillRect(track, palette().color(QPalette::Mid));
        painter.fillRect(QRect(track.topLeft(), QSize(qRound(track.width() * m_progress), thickness)),
                         palette().color(QPalette::Highlight));
    }

private:
    qreal m_progress = 0;
};

QString delayCaption(int milliseconds)
{
    return QLocale(QLocale::French).toString(milliseconds / 1000.0, 'g', 2) + QStringLiteral(" s");
}

} // namespace

DwellClick::DwellClick(QMenu *menu, Eligible eligible, QObject *parent)
    : QObject(parent)
    , m_toggle(new QAction(QStringLiteral("Clic automatique"), this))
    , m_delayMenu(new QMenu(QStringLiteral("Délai du clic automatique"), menu))
    , m_delays(new QActionGroup(this))
    , m_eligible(std::move(eligible))
    , m_delay(Settings().dwellDelay)
{
    m_toggle->setObjectName(QStringLiteral("ClicAutomatique"));
    m_toggle->setCheckable(true);
    const QString description = QStringLiteral(
        "Laisser le pointeur immobile sur une touche la clique au bout du délai choisi, sans appuyer sur le bouton de la souris.");
    m_toggle->setStatusTip(description);
    m_toggle->setWhatsThis(description);
    m_toggle->setToolTip(description);
    m_delayMenu->setObjectName(QStringLiteral("DelaiClicAutomatique"));
    m_delayMenu->setAccessibleDescription(
        QStringLiteral("Temps pendant lequel le pointeur doit rester sur une touche pour la cliquer."));
    m_delays->setExclusive(true);
    for (int milliseconds : Settings::dwellDelays()) {
        QAction *entry = m_delayMenu->addAction(delayCaption(milliseconds));
        entry->setCheckable(true);
        entry->setData(milliseconds);
        m_delays->addAction(entry);
    }
    selectDelay(m_delay);
    menu->addAction(m_toggle);
    menu->addMenu(m_delayMenu);
    connect(m_toggle, &QAction::toggled, this, &DwellClick::setOn);
    connect(m_delays, &QActionGroup::triggered, this, [this](QAction *entry) { m_delay = entry->data().toInt(); });
    m_ticks.setInterval(TickMilliseconds);
    connect(&m_ticks, &QTimer::timeout, this, &DwellClick::tick);
}

DwellClick::~DwellClick() = default;

void DwellClick::restore(const Settings &settings)
{
    m_delay = settings.dwellDelay;
    selectDelay(m_delay);
    m_toggle->setChecked(settings.dwellClick);
}

void DwellClick::store(Settings &settings) const
{
    settings.dwellClick = m_toggle->isChecked();
    settings.dwellDelay = m_delay;
}

void DwellClick::selectDelay(int milliseconds)
{
    for (QAction *entry : m_delays->actions())
        entry->setChecked(entry->data().toInt() == milliseconds);
}

void DwellClick::setOn(bool on)
{
    // Watched only while on: with it off, not one event of the program passes through here.
    if (on) {
        qApp->installEventFilter(this);
        return;
    }
    qApp->removeEventFilter(this);
    cancel();
    m_clicked = nullptr;
}

bool DwellClick::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter: {
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button)
            break;
        m_pointer = static_cast<QEnterEvent *>(event)->globalPosition().toPoint();
        // A pointer that comes in pressed is dragging or clicking: the press decides, not the rest.
        if (button != m_clicked && button->isEnabled() && QGuiApplication::mouseButtons() == Qt::NoButton
            && m_eligible(button))
            begin(button);
        break;
    }
    case QEvent::Leave:
    case QEvent::Hide:
        if (watched == m_target)
            cancel();
        if (watched == m_clicked)
            m_clicked = nullptr;
        break;
    case QEvent::MouseMove:
        // The window sees every move; the buttons, which do not track the mouse, would not.
        if (qobject_cast<QWindow *>(watched)) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            m_pointer = mouse->globalPosition().toPoint();
            if (m_clicked && mouse->buttons() == Qt::NoButton
                && (m_pointer - m_clickedAt).manhattanLength() > RestingDistance) {
                QAbstractButton *again = m_clicked;
                m_clicked = nullptr;
                begin(again);
            }
        }
        break;
    case QEvent::MouseButtonPress:
        // Someone who clicks after all has clicked this button: the rest does not click it a second time.
        if (qobject_cast<QWindow *>(watched) && m_target) {
            m_clicked = m_target;
            m_clickedAt = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
            cancel();
        }
        break;
    case QEvent::MouseButtonRelease:
        // A press that drifted clicked where it was let go: the pointer rests from there.
        if (qobject_cast<QWindow *>(watched) && m_clicked)
            m_clickedAt = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        break;
    default:
        break;
    }
    return false;
}

void DwellClick::begin(QAbstractButton *button)
{
    cancel();
    m_target = button;
    m_mark = new DwellMark(button);
    m_elapsed.start();
    m_ticks.start();
}

void DwellClick::cancel()
{
    m_ticks.stop();
    delete m_mark;
    m_target = nullptr;
}

void DwellClick::tick()
{
    if (!m_target) {
        cancel();
        return;
    }
    const qint64 elapsed = m_elapsed.elapsed();
    if (elapsed < m_delay) {
        static_cast<DwellMark *>(m_mark.data())->setProgress(qreal(elapsed) / m_delay);
        return;
    }
    QAbstractButton *button = m_target;
    cancel();
    m_clicked = button;
    m_clickedAt = m_pointer;
    button->click();
}
