#include "donation/creditsscroll.h"
#include "donation/launchprogram.h"
#include "recordinglauncher.h"

#include <QTest>

class TestLaunchProgram : public QObject
{
    Q_OBJECT

private slots:
    void fallbackOrder_data();
    void fallbackOrder();
    void scrollArithmetic();
    void emptyCreditsWrapBelowZero();
};

void TestLaunchProgram::fallbackOrder_data()
{
    const QString address = QStringLiteral("https://tapoli.example.org/");
    QTest::addColumn<QStringList>("starting");
    QTest::addColumn<int>("attempts");
    QTest::addColumn<bool>("opened");
    QTest::newRow("first browser") << QStringList{"opera"} << 1 << true;
    QTest::newRow("second browser") << QStringList{"netscape", "iexplore"} << 2 << true;
    QTest::newRow("third browser") << QStringList{"iexplore"} << 3 << true;
    QTest::newRow("default handler") << QStringList{address} << 4 << true;
    QTest::newRow("nothing starts") << QStringList{} << 4 << false;
}

void TestLaunchProgram::fallbackOrder()
{
    QFETCH(QStringList, starting);
    QFETCH(int, attempts);
    QFETCH(bool, opened);
    const QString address = QStringLiteral("https://tapoli.example.org/");
    RecordingLauncher launcher;
    launcher.starting = starting;
    QCOMPARE(openInBrowser(launcher, address), opened);
    const QList<QStringList> all{{"opera", address, "0"}, {"netscape", address, "0"}, {"iexplore", address, "0"},
                                 {address, "", "0"}};
    QCOMPARE(launcher.attempts, all.mid(0, attempts));
}

void TestLaunchProgram::scrollArithmetic()
{
    CreditsScroll scroll{16, 117, 22, 0};
    scroll.restart();
    QCOMPARE(scroll.offset, 133);
    QCOMPARE(scroll.firstLineY(true), 133);
    QCOMPARE(scroll.firstLineY(false), 4);
    scroll.tick();
    QCOMPARE(scroll.offset, 132);

    // The last line leaves the top at -(22 x 16); one pixel further, the text starts over from below.
    scroll.offset = -352;
    scroll.tick();
    QCOMPARE(scroll.offset, -353);
    scroll.tick();
    QCOMPARE(scroll.offset, 133);
}

void TestLaunchProgram::emptyCreditsWrapBelowZero()
{
    CreditsScroll scroll{16, 117, 0, 0};
    scroll.tick();
    QCOMPARE(scroll.offset, -1);
    scroll.tick();
    QCOMPARE(scroll.offset, 133);
}

QTEST_GUILESS_MAIN(TestLaunchProgram)
#include "tst_launchprogram.moc"
