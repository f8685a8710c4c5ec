#include "app/tapolistyle.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QMenuBar>
#include <QStyleFactory>
#include <QTest>

#include <memory>

class TestTapoliStyle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void menuBarLoadsNoImageDecoder();
    void groupBoxFrameMatchesFusion_data();
    void groupBoxFrameMatchesFusion();
    void extensionArrowsAreDrawn_data();
    void extensionArrowsAreDrawn();

private:
    static bool imageDecodersLoaded();
};

bool TestTapoliStyle::imageDecodersLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

void TestTapoliStyle::initTestCase()
{
    if (imageDecodersLoaded())
        QSKIP("image format plugins were loaded before the test could start");
    QApplication::setStyle(new TapoliStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
}

void TestTapoliStyle::menuBarLoadsNoImageDecoder()
{
    // Loading them costs milliseconds of start-up before the window can show.
    QMenuBar bar;
    bar.addAction(QStringLiteral("[ Quitter ]"));
    // Nor during the first paint, where the group box "Sens saisie" is drawn.
    QGroupBox box(QStringLiteral("Sens saisie"));
    box.resize(130, 60);
    box.grab();
    QVERIFY(!imageDecodersLoaded());
}

void TestTapoliStyle::groupBoxFrameMatchesFusion_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("titled") << QStringLiteral("Sens saisie");
    QTest::newRow("untitled") << QString();
}

void TestTapoliStyle::groupBoxFrameMatchesFusion()
{
    QFETCH(QString, title);
    QGroupBox ours(title);
    QGroupBox fusions(title);
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    fusions.setStyle(fusion.get());
    for (QGroupBox *box : {&ours, &fusions})
        box->resize(130, 60);
    QCOMPARE(ours.grab().toImage(), fusions.grab().toImage());
}

void TestTapoliStyle::extensionArrowsAreDrawn_data()
{
    QTest::addColumn<int>("pixmap");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("size");
    QTest::newRow("horizontal bar") << int(QStyle::SP_ToolBarHorizontalExtensionButton) << true << 16;
    QTest::newRow("vertical bar") << int(QStyle::SP_ToolBarVerticalExtensionButton) << false << 16;
    QTest::newRow("horizontal bar at 200 %") << int(QStyle::SP_ToolBarHorizontalExtensionButton) << true << 32;
    QTest::newRow("vertical bar at 200 %") << int(QStyle::SP_ToolBarVerticalExtensionButton) << false << 32;
}

void TestTapoliStyle::extensionArrowsAreDrawn()
{
    QFETCH(int, pixmap);
    QFETCH(bool, horizontal);
    QFETCH(int, size);
    const QIcon icon = QApplication::style()->standardIcon(QStyle::StandardPixmap(pixmap));
    const QImage drawn = icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(drawn.size(), QSize(size, size));

    // Read along the bar: across the image for a horizontal bar, down it for a vertical one.
    const auto inkedAt = [&drawn, horizontal](int along, int across) {
        return qAlpha(horizontal ? drawn.pixel(along, across) : drawn.pixel(across, along)) > 128;
    };
    int inked = 0;
    int first = size;
    int last = -1;
    for (int along = 0; along < size; ++along) {
        for (int across = 0; across < size; ++across) {
            if (inkedAt(along, across)) {
                ++inked;
                first = qMin(first, along);
                last = qMax(last, along);
            }
        }
    }
    QVERIFY(inked > size / 2);
    // Chevrons point the way the hidden entries are: their open ends come first, their tips last.
    const auto spread = [&inkedAt, size](int along) {
        int top = size;
        int bottom = -1;
        for (int across = 0; across < size; ++across) {
            if (inkedAt(along, across)) {
                top = qMin(top, across);
                bottom = qMax(bottom, across);
            }
        }
        return bottom - top;
    };
    QVERIFY2(spread(first) > spread(last), qPrintable(QStringLiteral("%1 vs %2").arg(spread(first)).arg(spread(last))));
    // And they are centred across the bar.
    for (int along = first; along <= last; ++along) {
        for (int across = 0; across < size; ++across)
            QCOMPARE(inkedAt(along, across), inkedAt(along, size - 1 - across));
    }
}

QTEST_MAIN(TestTapoliStyle)
#include "tst_tapolistyle.moc"
