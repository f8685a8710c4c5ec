#include "donation/donationwindow.h"

#include "shared/prompter.h"
#include "donation/credits.h"
#include "donation/launchprogram.h"
#include "donation/scrollingcredits.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace {

const QColor Maroon(128, 0, 0);
constexpr std::chrono::milliseconds RevealInterval(10000);

QFont boldArial(int pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

// A small picture of three payment cards above the donation button's caption.
QPixmap cardsGlyph()
{
    QPixmap glyph(72, 13);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    const QColor colours[3] = {QColor(0, 0, 128), QColor(255, 165, 0), QColor(0, 128, 0)};
    for (int card = 0; card < 3; ++card) {
        const QRect body(2 + card * 24, 0, 20, 12);
        painter.setPen(Qt::black);
        painter.setBrush(colours[card]);
        painter.drawRoundedRect(body, 2, 2);
        painter.fillRect(body.left() + 2, 4, 16, 2, Qt::yellow);
    }
    return glyph;
}

QToolButton *linkButton(const QString &caption, const QRect &geometry, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setGeometry(geometry);
    button->setFont(boldArial(11));
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QToolButton { color: yellow; border: none; }"
                                         "QToolButton:hover { text-decoration: underline; }"));
    return button;
}

} // namespace

DonationWindow::DonationWindow(Prompter &prompter, ProgramLauncher &launcher, std::chrono::milliseconds sinceStartUp,
                               QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_prompter(prompter)
    , m_launcher(launcher)
    , m_credits(new ScrollingCredits(this))
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("Donation"));
    setWindowTitle(QStringLiteral("Donation"));
    setModal(true);
    setFixedSize(439, 137);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Maroon);
    setPalette(colours);
    setAutoFillBackground(true);
    QFont standard = font();
    standard.setPixelSize(11);
    setFont(standard);

    m_credits->setObjectName(QStringLiteral("ScrollingCredits1"));
    m_credits->setGeometry(12, 9, 242, 117);
    QFont verdana(QStringLiteral("Verdana"));
    verdana.setPixelSize(13);
    m_credits->setCreditsFont(verdana);
    m_credits->setCreditsColor(Qt::white);
    m_credits->setBackgroundColor(Maroon);
    m_credits->setBorderColor(Qt::white);
    m_credits->setInterval(50);
    m_credits->setCredits(Credits::lines());

    m_btNet = linkButton(QStringLiteral("Donation par internet..."), {276, 11, 141, 46}, this);
    m_btNet->setObjectName(QStringLiteral("BtNet"));
    m_btNet->setIcon(cardsGlyph());
    m_btNet->setIconSize(QSize(72, 13));
    m_btNet->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_ouaibe = linkButton(QStringLiteral("Page Ouaibe Tapoli..."), {276, 59, 141, 27}, this);
    m_ouaibe->setObjectName(QStringLiteral("ouaibe"));

    m_close = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Fermer"), this);
    m_close->setObjectName(QStringLiteral("BitBtn1"));
    m_close->setGeometry(305, 97, 82, 29);
    m_close->setFont(boldArial(11));

    // Ticks every ten seconds from the program's start and is never stopped: each tick shows the close
    // button. The first tick of a window built later comes when the program's tenth second comes.
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(RevealInterval - sinceStartUp % RevealInterval);
    m_timer->start();

    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_timer, &QTimer::timeout, m_close, &QWidget::show);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_timer->intervalAsDuration() != RevealInterval)
            m_timer->setInterval(RevealInterval);
    });
    connect(m_btNet, &QToolButton::clicked, this,
            [this] { followLink(Credits::donationQuestion(), Credits::donationAddress()); });
    connect(m_ouaibe, &QToolButton::clicked, this,
            [this] { followLink(Credits::homePageQuestion(), Credits::homeAddress()); });
}

void DonationWindow::showEvent(QShowEvent *event)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_credits->setAnimate(true);
    m_close->hide();
    QDialog::showEvent(event);
}

void DonationWindow::hideEvent(QHideEvent *event)
{
    m_credits->setAnimate(false);
    QDialog::hideEvent(event);
}

void DonationWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_close->isHidden()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DonationWindow::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous() && m_close->isHidden()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void DonationWindow::followLink(const QString &question, const QString &address)
{
    if (m_prompter.ask(Prompter::Icon::Question, question, Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    if (!openInBrowser(m_launcher, address))
        m_prompter.tell(Credits::launchFailed());
}
