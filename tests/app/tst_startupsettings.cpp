#include "keyboards/charactersearchwindow.h"
#include "keyboards/keyboardfiles.h"
#include "keyboards/updownarrows.h"
#include "settings/settings.h"
#include "text/fontlist.h"
#include "windowfixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <memory>

class TestStartupSettings : public QObject, private WindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void storedChoicesComeBack();
    void geometry_data();
    void geometry();
    void storedLayoutLoadsAndWins();
    void missingLayoutIsSkippedSilently();
    void closeWritesEveryKey();
    void unreadableFileIsKeptAndSaidSo();

private:
    void writeSettings(const QByteArray &params);
    QByteArray readSettings();
    void start();

    QTemporaryDir m_config;
    QSize m_frame;   // what the platform's window frame adds to a window's size
};

void TestStartupSettings::initTestCase()
{
    qputenv("TAPOLI_CONFIG_DIR", QFile::encodeName(m_config.path()));
    QWidget framed;
    framed.show();
    QVERIFY(QTest::qWaitForWindowExposed(&framed));
    m_frame = framed.frameGeometry().size() - framed.size();
}

void TestStartupSettings::init()
{
    QFile::remove(Settings::filePath());
}

void TestStartupSettings::cleanup()
{
    m_window.reset();
}

void TestStartupSettings::writeSettings(const QByteArray &params)
{
    QFile file(Settings::filePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[params]\r\n" + params);
}

QByteArray TestStartupSettings::readSettings()
{
    QFile file(Settings::filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestStartupSettings::start()
{
    QVERIFY(startWindow({}, false));
}

void TestStartupSettings::storedChoicesComeBack()
{
    writeSettings("Police=DejaVu Serif\r\nTaille=3\r\nfond=255\r\ntexte=65280\r\nAscenceurs=3\r\n"
                  "PageIndex=2\r\ntaill=15\r\n");
    start();
    auto *texte = child<QPlainTextEdit>("texte");
    QCOMPARE(child<QComboBox>("polices")->currentText(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(texte->font().family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(texte->font().pointSize(), 6);
    QCOMPARE(child<QSpinBox>("Taillst")->value(), 6);
    QCOMPARE(texte->palette().color(QPalette::Base), QColor(255, 0, 0));
    QCOMPARE(texte->palette().color(QPalette::Text), QColor(0, 255, 0));
    QVERIFY(!texte->verticalScrollBar()->isVisible());
    QVERIFY(!texte->horizontalScrollBar()->isVisible());
    QCOMPARE(child<QTabWidget>("tables")->currentIndex(), 2);
    QCOMPARE(child<QPushButton>("tchA")->font().pointSize(), 15);
    // The all-characters page, built when first opened, takes the stored key size without marking
    // the keyboard modified.
    child<QTabWidget>("tables")->setCurrentIndex(1);
    QCOMPARE(child<QPushButton>("t065")->font().pointSize(), 15);
    QCOMPARE(child<QPushButton>("t065")->font().family(), QStringLiteral("DejaVu Serif"));
    QVERIFY(!m_window->keyboardFiles().isModified());
    QVERIFY(m_prompter.shown.isEmpty());
}

void TestStartupSettings::geometry_data()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QRect>("applied");   // the window's place and size; none: the centred design ones
    QTest::newRow("on screen") << QByteArray("formTop=20\r\nformLeft=10\r\nformwidth=780\r\nformheight=500\r\n")
                               << QRect(10, 20, 780, 500);
    QTest::newRow("larger than the screen")
        << QByteArray("formTop=20\r\nformLeft=10\r\nformwidth=100000\r\nformheight=100000\r\n")
        << QRect(available.topLeft(), available.size() - m_frame);
    QTest::newRow("past the screen's right edge")
        << "formTop=20\r\nformLeft=" + QByteArray::number(available.right() - 100) + "\r\nformwidth=719\r\nformheight=434\r\n"
        << QRect(available.right() + 1 - 719 - m_frame.width(), 20, 719, 434);
    QTest::newRow("below the minimum size, near the right edge")
        << "formTop=20\r\nformLeft=" + QByteArray::number(available.right() - 100) + "\r\nformwidth=100\r\nformheight=100\r\n"
        << QRect(available.right() + 1 - 719 - m_frame.width(), 20, 719, 434);
    QTest::newRow("defaults") << QByteArray() << QRect();
    QTest::newRow("top at the screen's height")
        << "formTop=" + QByteArray::number(screen.height()) + "\r\nformLeft=10\r\nformwidth=800\r\nformheight=500\r\n" << QRect();
    QTest::newRow("left past the screen")
        << "formTop=20\r\nformLeft=" + QByteArray::number(screen.width()) + "\r\nformwidth=800\r\nformheight=500\r\n" << QRect();
    QTest::newRow("negative width") << QByteArray("formTop=20\r\nformLeft=10\r\nformwidth=-5\r\nformheight=500\r\n") << QRect();
}

void TestStartupSettings::geometry()
{
    QFETCH(QByteArray, stored);
    QFETCH(QRect, applied);
    writeSettings(stored);
    start();
    if (!applied.isNull()) {
        QCOMPARE(m_window->pos(), applied.topLeft());
        QCOMPARE(m_window->size(), applied.size());
        // What the window took is what the next start finds.
        QVERIFY(m_window->close());
        QVERIFY(readSettings().contains("\r\nformwidth=" + QByteArray::number(applied.width()) + "\r\nformheight="
                                        + QByteArray::number(applied.height()) + "\r\n"));
    } else {
        QCOMPARE(m_window->size(), QSize(719, 434));
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        // Within the few pixels a window frame adds.
        QVERIFY(qAbs(m_window->geometry().center().x() - centre.x()) <= 4);
        QVERIFY(qAbs(m_window->geometry().center().y() - centre.y()) <= 4);
    }
}

void TestStartupSettings::storedLayoutLoadsAndWins()
{
    const QString layout = m_config.filePath(QStringLiteral("mon.cltpo"));
    QFile file(layout);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("DejaVu Sans Mono\r\n18;1\r\ntchA=\xE7\r\n");
    file.close();
    writeSettings("Police=DejaVu Serif\r\nTaille=30\r\nclavier=" + QFile::encodeName(layout) + "\r\n");
    start();
    QCOMPARE(child<QComboBox>("polices")->currentText(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(child<QPlainTextEdit>("texte")->font().pointSize(), 18);
    QCOMPARE(child<QPlainTextEdit>("texte")->document()->defaultTextOption().textDirection(), Qt::RightToLeft);
    QCOMPARE(child<QPushButton>("tchA")->text(), QStringLiteral("ç"));
    QCOMPARE(child<QLabel>("nomClavier")->text(), QStringLiteral("mon"));
    QVERIFY(!m_window->keyboardFiles().isModified());

    // A layout whose name cannot stay on its line loads, and the settings keep the one before.
    const QString other = m_config.filePath(QStringLiteral("autre.cltpo"));
    const QString odd = m_config.filePath(QStringLiteral("x\nEcrireFenetreActive=1\nPremierPlan=1\ny.cltpo"));
    QVERIFY(QFile::copy(layout, other) && QFile::copy(layout, odd));
    m_prompter.files = {other, odd};
    QTest::mouseClick(child<QPushButton>("ChargeClavier"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("ChargeClavier"), Qt::LeftButton);
    QCOMPARE(m_window->keyboardFiles().fileName(), odd);
    QCOMPARE(m_prompter.texts(), QStringList{QStringLiteral("Le nom de ce fichier clavier contient un saut de ligne :\n"
                                                            "Tapoli ne pourra pas le recharger au prochain démarrage.")});
    QVERIFY(m_window->close());
    const QByteArray bytes = readSettings();
    QVERIFY2(bytes.contains("\r\nclavier=" + QFile::encodeName(other) + "\r\nformTop="), bytes.constData());
    QVERIFY(bytes.endsWith("\r\nEcrireFenetreActive=0\r\nPremierPlan=0\r\nClicAutomatique=0\r\nDelaiClicAutomatique=1200\r\n"
                           "CaracteresRecents=\"\"\r\n"));
}

void TestStartupSettings::missingLayoutIsSkippedSilently()
{
    writeSettings("Police=DejaVu Serif\r\nClavier=/nulle/part/mon.cltpo\r\n");
    start();
    QVERIFY(m_prompter.shown.isEmpty());
    QCOMPARE(child<QComboBox>("polices")->currentText(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(child<QLabel>("nomClavier")->text(), QStringLiteral("<...>"));
    m_window->close();
    QVERIFY(readSettings().contains("\r\nclavier=/nulle/part/mon.cltpo\r\n"));
}

void TestStartupSettings::closeWritesEveryKey()
{
    start();
    child<QTabWidget>("tables")->setCurrentIndex(1);
    // The keys' size as it is at the close, not as it was read.
    QTest::mouseClick(child<UpDownArrows>("UpDown2")->upButton(), Qt::LeftButton);
    child<QAction>("ClicAutomatique")->trigger();
    child<QMenu>("DelaiClicAutomatique")->actions().at(1)->trigger();
    QTest::mouseClick(child<QPushButton>("Button11"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("Button25"), Qt::LeftButton);
    // Neither the layout nor the text typed is to be saved.
    m_prompter.answers = {Prompter::Answer::No, Prompter::Answer::No};
    QVERIFY(m_window->close());
    const QByteArray bytes = readSettings();
    const QString font = arialFamily();
    const QByteArray expected = "[params]\r\nPolice=" + font.toLatin1() + "\r\nTaille=12\r\nclavier=\r\nformTop="
        + QByteArray::number(m_window->y()) + "\r\nformLeft=" + QByteArray::number(m_window->x())
        + "\r\nformwidth=719\r\nformheight=434\r\nfond=16777215\r\ntexte=0\r\nAscenceurs=0\r\nPageIndex=1\r\ntaill=11\r\n"
        "EcrireFenetreActive=0\r\nPremierPlan=0\r\nClicAutomatique=1\r\nDelaiClicAutomatique=800\r\n"
        "CaracteresRecents=\"\x80\xE9\"\r\n";
    QCOMPARE(bytes, expected);

    start();
    QCOMPARE(child<QTabWidget>("tables")->currentIndex(), 1);
    QVERIFY(child<QAction>("ClicAutomatique")->isChecked());
    QVERIFY(child<QMenu>("DelaiClicAutomatique")->actions().at(1)->isChecked());
    child<QAction>("RechercherCaractere")->trigger();
    QCOMPARE(child<CharacterSearchWindow>("RechercheCaractere")->shownCodes(), (QList<int>{128, 233}));
}

void TestStartupSettings::unreadableFileIsKeptAndSaidSo()
{
    const QString path = Settings::filePath();
    QVERIFY(QDir().mkdir(path));
    start();
    QVERIFY(m_prompter.shown.isEmpty());
    QVERIFY(m_window->close());
    QCOMPARE(m_prompter.texts(),
             QStringList{QStringLiteral("Erreur: TAPOLI ne peut pas lire en entier son fichier de réglages\n") + path
                         + QStringLiteral("\nCe fichier est laissé tel quel : les choix de cette séance n'y sont pas "
                                          "enregistrés.")});
    QVERIFY(QFileInfo(path).isDir());
    QVERIFY(QDir(path).removeRecursively());
}

QTEST_MAIN(TestStartupSettings)
#include "tst_startupsettings.moc"
