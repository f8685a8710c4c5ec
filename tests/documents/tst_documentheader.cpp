#include "documents/documentheader.h"

#include <QTest>

using DocumentHeader::Values;

class TestDocumentHeader : public QObject
{
    Q_OBJECT

private slots:
    void ownType_data();
    void ownType();
    void detection_data();
    void detection();
    void strip_data();
    void strip();
    void headerLines();
    void sizeAndDirection_data();
    void sizeAndDirection();
};

void TestDocumentHeader::ownType_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("own");
    QTest::newRow("tpo") << "/d/notes.tpo" << true;
    QTest::newRow("upper case") << "/d/NOTES.TPO" << true;
    QTest::newRow("contains tpo") << "/d/notes.xtpo" << true;
    QTest::newRow("txt") << "/d/notes.txt" << false;
    QTest::newRow("no extension") << "/d/tpo" << false;
    QTest::newRow("only the folder has it") << "/d/x.tpo/notes" << false;
    QTest::newRow("keyboard layout") << "/d/k.cltpo" << true;
}

void TestDocumentHeader::ownType()
{
    QFETCH(QString, path);
    QFETCH(bool, own);
    QCOMPARE(DocumentHeader::isTapoliDocument(path), own);
}

void TestDocumentHeader::detection_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("direction");
    const QStringList header{"[TAPOLI]", "Police=DejaVu Sans", "TaillePol=20", "Alignement=1", "[TXT]"};
    QTest::newRow("header and text") << header + QStringList{"un", "deux"} << true << "DejaVu Sans" << "20" << "1";
    QTest::newRow("value after the first equals sign") << QStringList{"[TAPOLI]", "Police=A=B", "TaillePol=9", "Alignement=0", "[TXT]"}
                                                     << true << "A=B" << "9" << "0";
    QTest::newRow("count 3: no direction line") << QStringList{"[TAPOLI]", "Police=X", "TaillePol=9", "[TXT]", "t"}
                                             << false << "" << "" << "";
    QTest::newRow("count 5: the text mentions Police=") << header + QStringList{"Police=ici"} << false << "" << "" << "";
    QTest::newRow("count 4 without an exact [TXT]")
        << QStringList{"[TAPOLI]", "Police=X", "Police=Y", "TaillePol=9", "Alignement=0", "[TXT] "} << false << "" << "" << "";
    QTest::newRow("markers below some text") << QStringList{"avant", "Police=X", "TaillePol=9", "Alignement=1", "[TXT]", "t"}
                                            << true << "X" << "9" << "1";
    QTest::newRow("plain text") << QStringList{"bonjour"} << false << "" << "" << "";
    QTest::newRow("empty") << QStringList{} << false << "" << "" << "";
}

void TestDocumentHeader::detection()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, found);
    QFETCH(QString, font);
    QFETCH(QString, size);
    QFETCH(QString, direction);
    const auto values = DocumentHeader::read(lines);
    QCOMPARE(values.has_value(), found);
    if (found) {
        QCOMPARE(values->fontName, font);
        QCOMPARE(values->size, size);
        QCOMPARE(values->direction, direction);
    }
}

void TestDocumentHeader::strip_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("text");
    QTest::newRow("header") << QStringList{"[TAPOLI]", "Police=X", "TaillePol=9", "Alignement=0", "[TXT]", "a", "[TXT]"}
                            << QStringList{"a", "[TXT]"};
    QTest::newRow("no [TXT] line: nothing left") << QStringList{"[TAPOLI]", "Police=X", "a"} << QStringList{};
    QTest::newRow("not at the top: untouched") << QStringList{"a", "[TAPOLI]", "[TXT]"} << QStringList{"a", "[TAPOLI]", "[TXT]"};
    QTest::newRow("empty") << QStringList{} << QStringList{};
}

void TestDocumentHeader::strip()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, text);
    QCOMPARE(DocumentHeader::stripped(lines), text);
}

void TestDocumentHeader::headerLines()
{
    const QStringList lines = DocumentHeader::withHeader({"texte"}, {"Arial", "12", "0"});
    QCOMPARE(lines, (QStringList{"[TAPOLI]", "Police=Arial", "TaillePol=12", "Alignement=0", "[TXT]", "texte"}));
    QCOMPARE(DocumentHeader::stripped(lines), QStringList{"texte"});
    QCOMPARE(DocumentHeader::read(lines)->fontName, QStringLiteral("Arial"));
}

void TestDocumentHeader::sizeAndDirection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("direction");
    QTest::newRow("numbers") << "14" << 14 << 0;
    QTest::newRow("one") << "1" << 6 << 1;
    QTest::newRow("not a number") << "abc" << 12 << 0;
    QTest::newRow("empty") << "" << 12 << 0;
    QTest::newRow("too large") << "100" << 72 << 0;
    QTest::newRow("blanks") << " 20 " << 20 << 0;
}

void TestDocumentHeader::sizeAndDirection()
{
    QFETCH(QString, text);
    QFETCH(int, size);
    QFETCH(int, direction);
    QCOMPARE(DocumentHeader::sizeFrom(text), size);
    QCOMPARE(directionIndex(DocumentHeader::directionFrom(text)), direction);
}

QTEST_GUILESS_MAIN(TestDocumentHeader)
#include "tst_documentheader.moc"
