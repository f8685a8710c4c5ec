#include "filesizelimit.h"
#include "text/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using TextFile::Encoding;

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void decodeLines_data();
    void decodeLines();
    void encodeLines_data();
    void encodeLines();
    void windows1252ThatLooksLikeUtf8_data();
    void windows1252ThatLooksLikeUtf8();
    void encodeForSaving_data();
    void encodeForSaving();
    void readRefusesWhatIsNotAFile_data();
    void readRefusesWhatIsNotAFile();
    void failedWriteKeepsOldFile();
    void writeReplacesWhole_data();
    void writeReplacesWhole();
};

void TestTextFile::decodeLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"} << false;
    QTest::newRow("no final break") << QByteArray("a\r\nb") << QStringList{"a", "b"} << false;
    QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"} << false;
    QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"} << false;
    QTest::newRow("mixed, empty lines kept") << QByteArray("a\r\n\rb\n\nc") << QStringList{"a", "", "b", "", "c"} << false;
    QTest::newRow("empty") << QByteArray() << QStringList{} << false;
    QTest::newRow("one break") << QByteArray("\r\n") << QStringList{""} << false;
    QTest::newRow("windows-1252") << QByteArray("\xE9t\xE9 \x80") << QStringList{QStringLiteral("été €")} << false;
    QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBFok") << QStringList{"ok"} << true;
    QTest::newRow("a second BOM is text") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << QStringList{QStringLiteral("\uFEFFx")} << true;
    QTest::newRow("a sequence cut short at the end") << QByteArray("\xEF\xBB\xBF" "a\xF1") << QStringList{QStringLiteral("a\uFFFD")} << true;
    QTest::newRow("UTF-8 BOM, CR") << QByteArray("\xEF\xBB\xBF\xC3\xA9\ra") << QStringList{QStringLiteral("é"), "a"} << true;
    QTest::newRow("UTF-8 text") << QByteArray("\xC3\xA9t\xC3\xA9") << QStringList{QStringLiteral("été")} << true;
    // Long files are checked a piece at a time: a character across two pieces, a fault far into the file.
    QTest::newRow("UTF-8 across pieces") << QByteArray(256 * 1024 - 1, 'a') + "\xC3\xA9"
                                         << QStringList{QString(256 * 1024 - 1, u'a') + QStringLiteral("é")} << true;
    for (int before : {4, 3, 1}) {
        QTest::addRow("four-byte character %d bytes before a piece's end", before)
            << QByteArray(256 * 1024 - before, 'a') + "\xF0\x9F\x98\x80\xC3\xA9"
            << QStringList{QString(256 * 1024 - before, u'a') + QStringLiteral("\U0001F600é")} << true;
    }
    QTest::newRow("Windows-1252 past the first piece") << QByteArray(300 * 1024, 'a') + "\xC3\xA9\xE9"
                                                       << QStringList{QString(300 * 1024, u'a') + QStringLiteral("Ã©é")}
                                                       << false;
    QTest::newRow("invalid UTF-8 is windows-1252") << QByteArray("\xC3(") << QStringList{QStringLiteral("Ã(")} << false;
}

void TestTextFile::decodeLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(bool, utf8);
    const TextFile::Decoded decoded = TextFile::decodeLines(bytes);
    QCOMPARE(decoded.lines, lines);
    QCOMPARE(decoded.encoding != Encoding::Windows1252, utf8);
    QCOMPARE(decoded.encoding == Encoding::Utf8WithBom, bytes.startsWith("\xEF\xBB\xBF"));
}

void TestTextFile::encodeLines_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("lossless");
    const int cp1252 = int(Encoding::Windows1252);
    QTest::newRow("windows-1252") << QStringList{QStringLiteral("é€"), ""} << cp1252 << QByteArray("\xE9\x80\r\n\r\n") << true;
    QTest::newRow("nothing") << QStringList{} << cp1252 << QByteArray() << true;
    QTest::newRow("greek cannot be held") << QStringList{QStringLiteral("αβ")} << cp1252 << QByteArray("??\r\n") << false;
    QTest::newRow("UTF-8 with BOM holds greek") << QStringList{QStringLiteral("αβ")} << int(Encoding::Utf8WithBom)
                                                << QByteArray("\xEF\xBB\xBF\xCE\xB1\xCE\xB2\r\n") << false;
    QTest::newRow("UTF-8 as it came") << QStringList{QStringLiteral("é")} << int(Encoding::Utf8)
                                      << QByteArray("\xC3\xA9\r\n") << true;
}

void TestTextFile::encodeLines()
{
    QFETCH(QStringList, lines);
    QFETCH(int, encoding);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, lossless);
    bool held = !lossless;
    QCOMPARE(TextFile::encodeLines(lines, Encoding(encoding), &held), bytes);
    QCOMPARE(held, lossless);
}

void TestTextFile::windows1252ThatLooksLikeUtf8_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readsBack");
    QTest::newRow("plain French") << QStringLiteral("été à Noël") << true;
    QTest::newRow("ASCII") << QStringLiteral("abc") << true;
    QTest::newRow("mojibake that is valid UTF-8") << QStringLiteral("Ã©") << false;
    QTest::newRow("starts like a byte-order mark") << QStringLiteral("ï»¿x") << false;
}

void TestTextFile::windows1252ThatLooksLikeUtf8()
{
    QFETCH(QString, text);
    QFETCH(bool, readsBack);
    const QByteArray bytes = TextFile::encodeLines({text}, Encoding::Windows1252);
    QCOMPARE(TextFile::readsBackAsWindows1252(bytes), readsBack);
    QCOMPARE(TextFile::decodeLines(bytes).lines == QStringList{text}, readsBack);
}

void TestTextFile::encodeForSaving_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("wanted");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("outside");
    const int cp1252 = int(Encoding::Windows1252);
    QTest::newRow("French in Windows-1252") << QStringLiteral("été") << cp1252 << QByteArray("\xE9t\xE9\r\n") << false;
    QTest::newRow("greek goes to UTF-8") << QStringLiteral("α") << cp1252 << QByteArray("\xEF\xBB\xBF\xCE\xB1\r\n") << true;
    QTest::newRow("what would read as UTF-8") << QStringLiteral("Ã©") << cp1252
                                              << QByteArray("\xEF\xBB\xBF\xC3\x83\xC2\xA9\r\n") << false;
    QTest::newRow("UTF-8 stays UTF-8") << QStringLiteral("é") << int(Encoding::Utf8) << QByteArray("\xC3\xA9\r\n") << false;
}

void TestTextFile::encodeForSaving()
{
    QFETCH(QString, line);
    QFETCH(int, wanted);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, outside);
    const TextFile::Encoded encoded = TextFile::encodeForSaving({line}, Encoding(wanted));
    QCOMPARE(encoded.bytes, bytes);
    QCOMPARE(encoded.outsideWindows1252, outside);
    QCOMPARE(TextFile::decodeLines(bytes).encoding, encoded.encoding);
}

void TestTextFile::readRefusesWhatIsNotAFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("folder") << QStringLiteral("folder");
    QTest::newRow("fifo") << QStringLiteral("fifo");
    QTest::newRow("too large") << QStringLiteral("large");
}

void TestTextFile::readRefusesWhatIsNotAFile()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("target"));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("large")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(2048, 'x'));
    }
    const TextFile::ReadResult result = TextFile::read(path, 1024);
    QVERIFY(!result.ok);
    QVERIFY(result.bytes.isEmpty());
}

void TestTextFile::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.txt"));
    const QByteArray old("old content\r\n");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    QString error;
    {
        FileSizeLimit limit(16);
        QVERIFY(limit.isActive());
        QVERIFY(!TextFile::writeWhole(path, QByteArray(4096, 'n'), &error));
    }
    QVERIFY(!error.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.txt")});
}

void TestTextFile::writeReplacesWhole_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("one name") << QStringLiteral("plain");
    QTest::newRow("a second name reads the new bytes") << QStringLiteral("linked");
    QTest::newRow("another user's file stays theirs") << QStringLiteral("owned");
}

void TestTextFile::writeReplacesWhole()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.txt"));
    const QByteArray name = QFile::encodeName(path);
    const QByteArray secondName = QFile::encodeName(dir.filePath(QStringLiteral("g.txt")));
    QVERIFY(TextFile::writeWhole(path, "a much longer first content"));
    if (kind == QLatin1String("linked"))
        QCOMPARE(::link(name.constData(), secondName.constData()), 0);
    if (kind == QLatin1String("owned")) {
        if (::geteuid() != 0)
            QSKIP("only root may give a file to another user");
        QCOMPARE(::chown(name.constData(), 65534, 65534), 0);
        QCOMPARE(::chmod(name.constData(), 0640), 0);
    }
    struct stat before;
    QCOMPARE(::stat(name.constData(), &before), 0);
    const QStringList entries = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);

    TextFile::Stamp written;
    QVERIFY(TextFile::writeWhole(path, "short", nullptr, &written));
    const TextFile::ReadResult result = TextFile::read(path);
    QVERIFY(result.ok);
    QCOMPARE(result.bytes, QByteArray("short"));
    struct stat after;
    QCOMPARE(::stat(name.constData(), &after), 0);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(written.size, qint64(5));
    QVERIFY(!TextFile::isChangedSince(path, written));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), entries);
    if (kind == QLatin1String("linked"))
        QCOMPARE(TextFile::read(QFile::decodeName(secondName)).bytes, QByteArray("short"));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
