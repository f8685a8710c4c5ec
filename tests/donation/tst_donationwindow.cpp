#include "app/mainwindow.h"
#include "donation/donationwindow.h"
#include "donation/scrollingcredits.h"
#include "recordinglauncher.h"
#include "scriptedprompter.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using Answer = Prompter::Answer;

class TestDonationWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void standsAsDesigned();
    void creditsScrollAndRestartOnReopen();
    void closeButtonHiddenOnEveryOpening();
    void closeButtonKeepsTheStartUpBeat();
    void escapeClosesOnlyOnceTheButtonShows_data();
    void escapeClosesOnlyOnceTheButtonShows();
    void links_data();
    void links();
    void menuOpensItModally();

private:
    void open();

    ScriptedPrompter m_prompter;
    RecordingLauncher m_launcher;
    std::unique_ptr<DonationWindow> m_window;
};

void TestDonationWindow::init()
{
    m_prompter = ScriptedPrompter();
    m_launcher = RecordingLauncher();
    m_window = std::make_unique<DonationWindow>(m_prompter, m_launcher);
}

void TestDonationWindow::cleanup()
{
    m_window.reset();
}

void TestDonationWindow::open()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestDonationWindow::standsAsDesigned()
{
    open();
    QCOMPARE(m_window->size(), QSize(439, 137));
    QVERIFY(m_window->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(m_window->palette().color(QPalette::Window), QColor(128, 0, 0));
    QCOMPARE(m_window->credits()->geometry(), QRect(12, 9, 242, 117));
    const QStringList lines = m_window->credits()->Credits();
    QCOMPARE(lines.size(), 22);
    QCOMPARE(lines.first(), QStringLiteral("Ce logiciel est gratuit."));
    QCOMPARE(lines.at(1), QString());
    QVERIFY(lines.at(2).contains(QLatin1String("C++")) && lines.at(2).contains(QLatin1String("Qt")));
    QCOMPARE(lines.mid(8, 9), (QStringList{"Si vous utilisez Tapoli", "de manière intensive,",
                                           "Vous pouvez aider son auteur", "(c'est moi !)",
                                           "en faisant une petite donation.", "", "Ceci peut se faire",
                                           "par carte de crédit", "sur le serveur sécurisé"}));
    for (int chosen : {3, 5, 6, 17})
        QVERIFY(!lines.at(chosen).isEmpty());
    for (int empty : {4, 7, 18})
        QVERIFY(lines.at(empty).isEmpty());
    QCOMPARE(lines.at(19), QStringLiteral("Montant minimum : 10 € !"));
    QCOMPARE(lines.last(), QStringLiteral("Merci d'avance !"));
    QCOMPARE(m_window->findChild<QToolButton *>("BtNet")->text(), QStringLiteral("Donation par internet..."));
    QCOMPARE(m_window->findChild<QToolButton *>("ouaibe")->text(), QStringLiteral("Page Ouaibe Tapoli..."));
    QCOMPARE(m_window->closeButton()->text(), QStringLiteral("&Fermer"));
}

void TestDonationWindow::creditsScrollAndRestartOnReopen()
{
    open();
    ScrollingCredits *credits = m_window->credits();
    QVERIFY(credits->Animate());
    const int start = credits->scroll().lineHeight + credits->height();
    QCOMPARE(credits->scroll().offset, start);
    // One pixel up every 50 ms.
    auto *step = credits->findChild<QTimer *>();
    QCOMPARE(step->interval(), 50);
    QMetaObject::invokeMethod(step, "timeout");
    QCOMPARE(credits->scroll().offset, start - 1);
    QTRY_VERIFY(credits->scroll().offset < start - 2);

    m_window->close();
    QVERIFY(!credits->Animate());
    const int stopped = credits->scroll().offset;
    QTest::qWait(120);
    QCOMPARE(credits->scroll().offset, stopped);

    open();
    QCOMPARE(credits->scroll().offset, start);
}

void TestDonationWindow::closeButtonHiddenOnEveryOpening()
{
    QTimer *timer = m_window->revealTimer();
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 10000);
    open();
    QVERIFY(!m_window->closeButton()->isVisible());

    timer->setInterval(20);
    QTRY_VERIFY(m_window->closeButton()->isVisible());
    QTest::mouseClick(m_window->closeButton(), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());

    timer->setInterval(10000);
    open();
    QVERIFY(!m_window->closeButton()->isVisible());
}

void TestDonationWindow::closeButtonKeepsTheStartUpBeat()
{
    // Built 27.5 s after the start, the window shows its close button at the program's 30th second.
    DonationWindow late(m_prompter, m_launcher, std::chrono::milliseconds(27500));
    QCOMPARE(late.revealTimer()->interval(), 2500);
    QMetaObject::invokeMethod(late.revealTimer(), "timeout");
    QCOMPARE(late.revealTimer()->interval(), 10000);
}

void TestDonationWindow::escapeClosesOnlyOnceTheButtonShows_data()
{
    QTest::addColumn<bool>("buttonShown");
    QTest::newRow("before the button") << false;
    QTest::newRow("once the button shows") << true;
}

void TestDonationWindow::escapeClosesOnlyOnceTheButtonShows()
{
    QFETCH(bool, buttonShown);
    open();
    if (buttonShown)
        QMetaObject::invokeMethod(m_window->revealTimer(), "timeout");
    QCOMPARE(m_window->closeButton()->isVisible(), buttonShown);
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QCOMPARE(m_window->isVisible(), !buttonShown);
}

void TestDonationWindow::links_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("starting");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("attempts");
    QTest::addColumn<bool>("failureShown");
    const QString donation = QStringLiteral("https://liberapay.com/");
    const QString home = QStringLiteral("https://tapoli.example.org/");
    QTest::newRow("no does nothing") << "BtNet" << int(Answer::No) << QStringList{"opera"} << donation << 0 << false;
    QTest::newRow("donation, opera") << "BtNet" << int(Answer::Yes) << QStringList{"opera"} << donation << 1 << false;
    QTest::newRow("home page, default handler") << "ouaibe" << int(Answer::Yes) << QStringList{home} << home << 4 << false;
    QTest::newRow("nothing starts") << "ouaibe" << int(Answer::Yes) << QStringList{} << home << 4 << true;
}

void TestDonationWindow::links()
{
    QFETCH(QString, button);
    QFETCH(int, answer);
    QFETCH(QStringList, starting);
    QFETCH(QString, address);
    QFETCH(int, attempts);
    QFETCH(bool, failureShown);
    open();
    m_launcher.starting = starting;
    m_prompter.answers = {Answer(answer)};
    QTest::mouseClick(m_window->findChild<QToolButton *>(button), Qt::LeftButton);

    const QString question = button == "BtNet"
        ? QStringLiteral("Voulez-vous vous rendre sur le site web de Liberapay pour enregistrer votre donation ?\n"
                         "(vous devez être connecté à l'internet...)")
        : QStringLiteral("Voulez-vous vous rendre sur la page ouaibe TAPOLI ?\n(vous devez être connecté à l'internet...)");
    QStringList shown{question};
    if (failureShown)
        shown << QStringLiteral("Erreur - Execution impossible.");
    QCOMPARE(m_prompter.texts(), shown);
    QCOMPARE(m_prompter.shown.first().buttons, Prompter::Buttons::YesNo);
    QCOMPARE(m_launcher.attempts.size(), attempts);
    for (const QStringList &attempt : m_launcher.attempts)
        QVERIFY(attempt.contains(address));
}

void TestDonationWindow::menuOpensItModally()
{
    m_window.reset();
    MainWindow main(m_prompter, m_launcher, {});
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(!main.donationWindow());
    QTimer::singleShot(50, &main, [&main] {
        QVERIFY(main.donationWindow()->isVisible());
        QVERIFY(main.donationWindow()->isModal());
        main.donationWindow()->reject();
    });
    main.findChild<QAction *>("DonationDeSoutien")->trigger();
    QVERIFY(main.donationWindow());
    QVERIFY(!main.donationWindow()->isVisible());
}

QTEST_MAIN(TestDonationWindow)
#include "tst_donationwindow.moc"
