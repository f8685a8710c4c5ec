#include "settings/privateprofile.h"
#include "settings/settings.h"
#include "text/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void readClampsAndDefaults_data();
    void readClampsAndDefaults();
    void colourNumbers_data();
    void colourNumbers();
    void windowGeometryWithin_data();
    void windowGeometryWithin();
    void writesTwelveKeysInOrder();
    void recentCharacters_data();
    void recentCharacters();
    void saveKeepsOtherContent_data();
    void saveKeepsOtherContent();
    void unreadableFileIsKept_data();
    void unreadableFileIsKept();
};

void TestSettings::readClampsAndDefaults_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("textSize");
    QTest::addColumn<int>("scrollBars");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("keySize");
    QTest::addColumn<int>("options");   // 1: writing into the active window, 2: always on top, 4: dwell click
    QTest::addColumn<int>("dwellDelay");
    QTest::newRow("defaults") << QByteArray() << 12 << 0 << 0 << 10 << 0 << 1200;
    QTest::newRow("Taille=3") << QByteArray("Taille=3") << 6 << 0 << 0 << 10 << 0 << 1200;
    QTest::newRow("Taille=100") << QByteArray("Taille=100") << 72 << 0 << 0 << 10 << 0 << 1200;
    QTest::newRow("Taille not a number") << QByteArray("Taille=grand") << 12 << 0 << 0 << 10 << 0 << 1200;
    QTest::newRow("scroll bars none") << QByteArray("Ascenceurs=3") << 12 << 3 << 0 << 10 << 0 << 1200;
    QTest::newRow("scroll bars out of range") << QByteArray("Ascenceurs=9") << 12 << 0 << 0 << 10 << 0 << 1200;
    QTest::newRow("last page") << QByteArray("PageIndex=2") << 12 << 0 << 2 << 10 << 0 << 1200;
    QTest::newRow("page out of range") << QByteArray("PageIndex=5") << 12 << 0 << 0 << 10 << 0 << 1200;
    QTest::newRow("key size below the arrows' range") << QByteArray("taill=5") << 12 << 0 << 0 << 5 << 0 << 1200;
    QTest::newRow("key size above the arrows' range") << QByteArray("taill=30") << 12 << 0 << 0 << 30 << 0 << 1200;
    QTest::newRow("key size 0") << QByteArray("taill=0") << 12 << 0 << 0 << 10 << 0 << 1200;
    QTest::newRow("key size over 72") << QByteArray("taill=73") << 12 << 0 << 0 << 10 << 0 << 1200;
    QTest::newRow("writing into the active window") << QByteArray("EcrireFenetreActive=1") << 12 << 0 << 0 << 10 << 1 << 1200;
    QTest::newRow("always on top") << QByteArray("premierplan=1") << 12 << 0 << 0 << 10 << 2 << 1200;
    QTest::newRow("an option other than 1 is off") << QByteArray("PremierPlan=oui") << 12 << 0 << 0 << 10 << 0 << 1200;
    QTest::newRow("dwell click") << QByteArray("ClicAutomatique=1") << 12 << 0 << 0 << 10 << 4 << 1200;
    QTest::newRow("dwell delay offered") << QByteArray("DelaiClicAutomatique=500") << 12 << 0 << 0 << 10 << 0 << 500;
    QTest::newRow("dwell delay not offered") << QByteArray("delaiclicautomatique=700") << 12 << 0 << 0 << 10 << 0 << 1200;
    QTest::newRow("dwell delay not a number") << QByteArray("DelaiClicAutomatique=2s") << 12 << 0 << 0 << 10 << 0 << 1200;
    QTest::newRow("key size") << QByteArray("TAILL=15") << 12 << 0 << 0 << 15 << 0 << 1200;
    QTest::newRow("font name with a NUL") << QByteArray("Police=Ari\0al", 13) << 12 << 0 << 0 << 10 << 0 << 1200;
}

void TestSettings::readClampsAndDefaults()
{
    QFETCH(QByteArray, line);
    QFETCH(int, textSize);
    QFETCH(int, scrollBars);
    QFETCH(int, page);
    QFETCH(int, keySize);
    QFETCH(int, options);
    QFETCH(int, dwellDelay);
    const Settings settings = Settings::read(PrivateProfile::fromBytes("[params]\r\n" + line + "\r\n"));
    QCOMPARE(settings.textSize, textSize);
    QCOMPARE(settings.scrollBars, scrollBars);
    QCOMPARE(settings.pageIndex, page);
    QCOMPARE(settings.keyFontSize, keySize);
    QCOMPARE(int(settings.writeToActiveWindow) | int(settings.alwaysOnTop) << 1 | int(settings.dwellClick) << 2, options);
    QCOMPARE(settings.dwellDelay, dwellDelay);
    QCOMPARE(settings.fontName, QStringLiteral("Arial"));
    QCOMPARE(settings.formTop, -1);
}

void TestSettings::colourNumbers_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("white") << 16777215 << QColor(255, 255, 255);
    QTest::newRow("black") << 0 << QColor(0, 0, 0);
    QTest::newRow("red is the low byte") << 255 << QColor(255, 0, 0);
    QTest::newRow("form colour") << 10930928 << QColor(240, 202, 166);
    QTest::newRow("system colour falls back") << -2147483643 << QColor(1, 2, 3);
}

void TestSettings::colourNumbers()
{
    QFETCH(int, number);
    QFETCH(QColor, colour);
    QCOMPARE(colourFromWindowsNumber(number, QColor(1, 2, 3)), colour);
    if (number >= 0)
        QCOMPARE(windowsColourNumber(colour), number);
}

void TestSettings::windowGeometryWithin_data()
{
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("placed");
    const QRect screen(0, 0, 1280, 800);
    QTest::newRow("fits as it is") << QRect(10, 20, 760, 500) << screen << QRect(10, 20, 760, 500);
    QTest::newRow("larger than the screen") << QRect(10, 20, 100000, 100000) << screen << screen;
    QTest::newRow("past the right edge") << QRect(900, 20, 719, 434) << screen << QRect(561, 20, 719, 434);
    QTest::newRow("above a panel at the top") << QRect(10, 10, 719, 434) << QRect(0, 30, 1280, 770)
                                              << QRect(10, 30, 719, 434);
    QTest::newRow("taller than the area under a panel") << QRect(10, 40, 719, 2000) << QRect(0, 30, 1280, 770)
                                                        << QRect(10, 30, 719, 770);
    QTest::newRow("second screen, past its right edge") << QRect(3000, 100, 800, 600) << QRect(1280, 0, 1920, 1080)
                                                        << QRect(2400, 100, 800, 600);
}

void TestSettings::windowGeometryWithin()
{
    QFETCH(QRect, stored);
    QFETCH(QRect, available);
    QFETCH(QRect, placed);
    QCOMPARE(::windowGeometryWithin(stored, available), placed);
}

void TestSettings::writesTwelveKeysInOrder()
{
    Settings settings;
    settings.keyboardFileName = QStringLiteral("/k/mon.cltpo");
    settings.background = QColor(255, 0, 0);
    settings.alwaysOnTop = true;
    settings.dwellDelay = 2000;
    settings.recentCharacters.add(QStringLiteral("é"));
    PrivateProfile profile;
    settings.write(profile);
    // The twelve keys of Windows' file, in its order, then Tapoli's five of its own.
    const QByteArray written("[params]\r\nPolice=Arial\r\nTaille=12\r\nclavier=/k/mon.cltpo\r\n"
                             "formTop=-1\r\nformLeft=-1\r\nformwidth=-1\r\nformheight=-1\r\n"
                             "fond=255\r\ntexte=0\r\nAscenceurs=0\r\nPageIndex=0\r\ntaill=10\r\n"
                             "EcrireFenetreActive=0\r\nPremierPlan=1\r\nClicAutomatique=0\r\nDelaiClicAutomatique=2000\r\n"
                             "CaracteresRecents=\"\xE9\"\r\n");
    QCOMPARE(profile.toBytes(), written);
    QCOMPARE(Settings::read(profile).keyboardFileName, QStringLiteral("/k/mon.cltpo"));
    QVERIFY(Settings::read(profile).alwaysOnTop && !Settings::read(profile).writeToActiveWindow);
    QCOMPARE(Settings::read(profile).dwellDelay, 2000);

    // Names that cannot stay on their line leave the ones the file holds, or the defaults.
    settings.keyboardFileName = QStringLiteral("x\nEcrireFenetreActive=1\ny.cltpo");
    settings.fontName = QStringLiteral("Ari\ral");
    settings.write(profile);
    QCOMPARE(profile.toBytes(), written);
    PrivateProfile fresh;
    settings.write(fresh);
    QVERIFY(fresh.toBytes().startsWith("[params]\r\nPolice=Arial\r\nTaille=12\r\nclavier=\r\nformTop=-1\r\n"));
}

void TestSettings::recentCharacters_data()
{
    QTest::addColumn<QByteArray>("stored");   // the value in tapoli.ini at start, in its Windows-1252 bytes
    QTest::addColumn<QString>("typed");       // then typed, one character after the other
    QTest::addColumn<QString>("recent");      // most recent first
    QTest::newRow("first start") << QByteArray() << "" << "";
    QTest::newRow("most recent first") << QByteArray() << "é€" << "€é";
    QTest::newRow("each once") << QByteArray() << "abab" << "ba";
    QTest::newRow("twenty at most") << QByteArray() << "abcdefghijklmnopqrstuvwxyz" << "zyxwvutsrqponmlkjihg";
    QTest::newRow("after a restart") << QByteArray("\"\x80\xE9\"") << "a" << "a€é";
    QTest::newRow("typed again after a restart") << QByteArray("\"\x80\xE9\"") << "é" << "é€";
    QTest::newRow("written by hand, unquoted") << QByteArray("\xE9\xE0") << "" << "éà";
    QTest::newRow("blanks at the ends") << QByteArray() << " a\u00A0" << "\u00A0a ";
    QTest::newRow("quotes among them") << QByteArray() << "\"'" << "'\"";
    QTest::newRow("nothing a button does not type") << QByteArray("\"\x81\x7F\xE9\xE9\"") << "\tΩ" << "é";
    QTest::newRow("twenty at most in the file") << QByteArray("abcdefghijklmnopqrstuvwxyz") << "" << "abcdefghijklmnopqrst";
}

void TestSettings::recentCharacters()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, typed);
    QFETCH(QString, recent);
    const QByteArray line = stored.isNull() ? QByteArray() : "CaracteresRecents=" + stored + "\r\n";
    Settings settings = Settings::read(PrivateProfile::fromBytes("[params]\r\n" + line));
    for (const QChar character : typed)
        settings.recentCharacters.add(QString(character));
    QCOMPARE(settings.recentCharacters.text(), recent);

    PrivateProfile written;
    settings.write(written);
    const QByteArray bytes = written.toBytes();
    QVERIFY(bytes.endsWith("\r\nCaracteresRecents=\"" + CodePage::encode(recent) + "\"\r\n"));
    QCOMPARE(Settings::read(PrivateProfile::fromBytes(bytes)).recentCharacters, settings.recentCharacters);
}

void TestSettings::saveKeepsOtherContent_data()
{
    QTest::addColumn<int>("otherBytes");   // the size of a section of another program's, before [autre]
    QTest::newRow("small file") << 0;
    QTest::newRow("file over 1 MiB") << 2 * 1024 * 1024;
}

void TestSettings::saveKeepsOtherContent()
{
    QFETCH(int, otherBytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/tapoli.ini"));
    QCOMPARE(Settings().save(path), Settings::SaveResult::Saved);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite | QIODevice::Append));
    file.write("[gros]\r\n" + QByteArray(otherBytes / 16, 'x').replace("x", "cle=123456789ab\r\n"));
    file.write("[autre]\r\ncle=valeur\r\n");
    file.close();

    Settings changed;
    changed.pageIndex = 2;
    QCOMPARE(changed.save(path), Settings::SaveResult::Saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains("\r\nPageIndex=2\r\n"));
    QVERIFY(bytes.endsWith("\r\n[autre]\r\ncle=valeur\r\n"));
    QVERIFY(bytes.size() > otherBytes);
    QCOMPARE(Settings::load(path).pageIndex, 2);
}

void TestSettings::unreadableFileIsKept_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("over the bound of every text file") << "large";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a FIFO") << "fifo";
    QTest::newRow("closed to reading") << "closed";
}

void TestSettings::unreadableFileIsKept()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tapoli.ini"));
    const QByteArray name = QFile::encodeName(path);
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(name.constData(), 0644), 0);
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[params]\r\nPageIndex=2\r\n[autre]\r\ncle=valeur\r\n");
        // Sparse: past the bound without filling the disk.
        if (kind == QLatin1String("large"))
            QVERIFY(file.resize(64 * 1024 * 1024 + 1));
        file.close();
        if (kind == QLatin1String("closed")
            && (::chmod(name.constData(), 0) != 0 || ::access(name.constData(), R_OK) == 0))
            QSKIP("whoever runs this test reads through permission bits (root does)");
    }
    const QFileInfo before(path);
    QCOMPARE(Settings::load(path).pageIndex, 0);

    Settings changed;
    changed.pageIndex = 1;
    QCOMPARE(changed.save(path), Settings::SaveResult::UnreadableKept);
    const QFileInfo after(path);
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.lastModified(), before.lastModified());
    QCOMPARE(after.isFile(), before.isFile());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("tapoli.ini")});
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
