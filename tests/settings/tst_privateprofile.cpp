#include "settings/privateprofile.h"

#include <QTest>

class TestPrivateProfile : public QObject
{
    Q_OBJECT

private slots:
    void lookup_data();
    void lookup();
    void integers_data();
    void integers();
    void writeKeepsEverythingElse_data();
    void writeKeepsEverythingElse();
    void valuesOutsideWindows1252();
    void roundTrip();
};

void TestPrivateProfile::lookup_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << QByteArray("[params]\r\nPolice=Arial\r\n") << "Arial";
    QTest::newRow("key case") << QByteArray("[params]\r\npolice=Verdana\r\n") << "Verdana";
    QTest::newRow("section case") << QByteArray("[PARAMS]\r\nPolice=Verdana\r\n") << "Verdana";
    QTest::newRow("first of two keys") << QByteArray("[params]\r\nPolice=A\r\nPolice=B\r\n") << "A";
    QTest::newRow("first of two sections") << QByteArray("[params]\r\nx=1\r\n[params]\r\nPolice=B\r\n") << "default";
    QTest::newRow("blanks trimmed") << QByteArray("  [ params ]  \r\n  Police  =  Times New Roman  \r\n") << "Times New Roman";
    QTest::newRow("double quotes") << QByteArray("[params]\r\nPolice=\"Arial\"\r\n") << "Arial";
    QTest::newRow("single quotes") << QByteArray("[params]\r\nPolice='Arial'\r\n") << "Arial";
    QTest::newRow("unmatched quote kept") << QByteArray("[params]\r\nPolice=\"Arial\r\n") << "\"Arial";
    QTest::newRow("comment line and line without equals") << QByteArray("[params]\r\n;Police=X\r\nPolice\r\nPolice=Y\r\n") << "Y";
    QTest::newRow("other section") << QByteArray("[autre]\r\nPolice=X\r\n") << "default";
    QTest::newRow("key before any section") << QByteArray("Police=X\r\n[params]\r\n") << "default";
    QTest::newRow("missing file") << QByteArray() << "default";
    QTest::newRow("LF and CR") << QByteArray("[params]\nformTop=1\rPolice=Z") << "Z";
    QTest::newRow("windows-1252 value") << QByteArray("[params]\r\nPolice=Caract\xE8res\r\n") << QStringLiteral("Caractères");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF[params]\r\nPolice=\xC3\xA9\r\n") << QStringLiteral("é");
    QTest::newRow("empty value") << QByteArray("[params]\r\nPolice=\r\n") << "";
}

void TestPrivateProfile::lookup()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, value);
    QCOMPARE(PrivateProfile::fromBytes(file).readString("params", "Police", "default"), value);
}

void TestPrivateProfile::integers_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("number");
    QTest::newRow("number") << QByteArray("12") << 12;
    QTest::newRow("negative") << QByteArray("-1") << -1;
    QTest::newRow("blanks") << QByteArray("  40 ") << 40;
    QTest::newRow("quoted") << QByteArray("\"7\"") << 7;
    QTest::newRow("not a number") << QByteArray("douze") << 99;
    QTest::newRow("trailing letters") << QByteArray("12px") << 99;
    QTest::newRow("empty") << QByteArray("") << 99;
    QTest::newRow("white as a colour") << QByteArray("16777215") << 16777215;
}

void TestPrivateProfile::integers()
{
    QFETCH(QByteArray, value);
    QFETCH(int, number);
    QCOMPARE(PrivateProfile::fromBytes("[params]\r\nTaille=" + value + "\r\n").readInt("params", "Taille", 99), number);
}

void TestPrivateProfile::writeKeepsEverythingElse_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    const QString name = QStringLiteral("/k/b.cltpo");
    QTest::newRow("replaces the key's line only")
        << QByteArray("; mes r\xE9glages\r\n[params]\r\nPolice=Arial\r\nClavier=C:\\k\\a.cltpo\r\nautre=1\r\n\r\n[suite]\r\nx=2\r\n")
        << name << QByteArray("; mes r\xE9glages\r\n[params]\r\nPolice=Arial\r\nclavier=/k/b.cltpo\r\nautre=1\r\n\r\n[suite]\r\nx=2\r\n");
    QTest::newRow("appends to its section, before blank lines")
        << QByteArray("[params]\r\nPolice=Arial\r\n\r\n[suite]\r\nx=2\r\n")
        << name << QByteArray("[params]\r\nPolice=Arial\r\nclavier=/k/b.cltpo\r\n\r\n[suite]\r\nx=2\r\n");
    QTest::newRow("appends the section") << QByteArray("[suite]\r\nx=2\r\n")
                                         << name << QByteArray("[suite]\r\nx=2\r\n[params]\r\nclavier=/k/b.cltpo\r\n");
    QTest::newRow("new file") << QByteArray() << name << QByteArray("[params]\r\nclavier=/k/b.cltpo\r\n");
    QTest::newRow("LF file written CR LF") << QByteArray("[params]\nclavier=x\n")
                                           << name << QByteArray("[params]\r\nclavier=/k/b.cltpo\r\n");
    // A value that cannot stay on its line leaves the file as it was.
    const QByteArray old("[params]\r\nclavier=/k/a.cltpo\r\n");
    QTest::newRow("line feeds refused") << old << QStringLiteral("x\nEcrireFenetreActive=1\nPremierPlan=1\ny.cltpo") << old;
    QTest::newRow("carriage return refused") << old << QStringLiteral("x\rPremierPlan=1") << old;
    QTest::newRow("NUL refused") << old << QStringLiteral("/k/a") + QChar(0) + QStringLiteral("b.cltpo") << old;
    QTest::newRow("new file, line feed refused") << QByteArray() << QStringLiteral("x\ny") << QByteArray();
}

void TestPrivateProfile::writeKeepsEverythingElse()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    PrivateProfile profile = PrivateProfile::fromBytes(before);
    QCOMPARE(profile.writeString("params", "clavier", value), after != before);
    QCOMPARE(profile.toBytes(), after);
}

void TestPrivateProfile::valuesOutsideWindows1252()
{
    PrivateProfile profile = PrivateProfile::fromBytes("[params]\r\nPolice=Arial\r\n");
    profile.writeString("params", "clavier", QStringLiteral("/home/ζ/k.cltpo"));
    const QByteArray bytes = profile.toBytes();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF[params]\r\n"));
    QCOMPARE(PrivateProfile::fromBytes(bytes).readString("params", "Clavier", QString()), QStringLiteral("/home/ζ/k.cltpo"));
}

void TestPrivateProfile::roundTrip()
{
    PrivateProfile profile;
    profile.writeString("params", "Police", QStringLiteral("Times New Roman"));
    profile.writeInt("params", "formTop", -1);
    profile.writeInt("params", "fond", 16777215);
    const PrivateProfile again = PrivateProfile::fromBytes(profile.toBytes());
    QCOMPARE(again.readString("params", "police", QString()), QStringLiteral("Times New Roman"));
    QCOMPARE(again.readInt("params", "FORMTOP", 0), -1);
    QCOMPARE(again.readInt("params", "fond", 0), 16777215);
    QCOMPARE(again.lines(), profile.lines());
}

QTEST_GUILESS_MAIN(TestPrivateProfile)
#include "tst_privateprofile.moc"
