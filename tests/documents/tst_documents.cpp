#include "documents/documentloader.h"
#include "documents/documents.h"
#include "filesizelimit.h"
#include "keyboards/keyboardfiles.h"
#include "settings/settings.h"
#include "text/textcommands.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QThread>
#include <QTest>

#include <memory>

#include <sys/stat.h>

using Answer = Prompter::Answer;

class TestDocuments : public QObject, private WindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void saveAsWritesHeaderForOwnType_data();
    void saveAsWritesHeaderForOwnType();
    void saveAsAsksBeforeReplacing_data();
    void saveAsAsksBeforeReplacing();
    void failedSaveChangesNothing_data();
    void failedSaveChangesNothing();
    void sauverAsksFirst();
    void openWithHeaderRestoresAppearance();
    void openWithoutHeaderKeepsAppearance_data();
    void openWithoutHeaderKeepsAppearance();
    void unreadableFileChangesNothing_data();
    void unreadableFileChangesNothing();
    void windowsFileRoundTripsByteForByte_data();
    void windowsFileRoundTripsByteForByte();
    void insertionThroughAccessibilityWhileLoadingIsKept();
    void noBreakSpacesSurviveSaveUndoAndCopy();
    void textOutsideWindows1252_data();
    void textOutsideWindows1252();
    void commandLineOpensWithoutDialog();
    void commandLineFolderShowsDialog();
    void headerFontMissingTakesFirstFont();
    void openAfterKeyboardLoadShowsDialog_data();
    void openAfterKeyboardLoadShowsDialog();
    void changesOfferSaveForTapoliDocuments_data();
    void changesOfferSaveForTapoliDocuments();
    void initialiserForgetsTheDocument_data();
    void initialiserForgetsTheDocument();
    void exitDialogue_data();
    void exitDialogue();

private:
    QPlainTextEdit *texte() { return child<QPlainTextEdit>("texte"); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    void writeFile(const QString &file, const QByteArray &bytes);
    QByteArray readFile(const QString &file);
    void typeText(const QString &text);
    void openFile(const QString &file);
    void changeElsewhere(const QString &file, const QString &change);

    QTemporaryDir m_home;
    QTemporaryDir m_dir;
};

void TestDocuments::initTestCase()
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.path()));
}

void TestDocuments::init()
{
    // A window that closed wrote its settings; every case starts from the first-start defaults.
    QFile::remove(Settings::filePath());
    QDir(m_dir.path()).removeRecursively();
    QDir().mkpath(m_dir.path());
    QVERIFY(startWindow());
}

void TestDocuments::cleanup()
{
    m_window.reset();
}

void TestDocuments::writeFile(const QString &file, const QByteArray &bytes)
{
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes);
}

QByteArray TestDocuments::readFile(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
}

void TestDocuments::typeText(const QString &text)
{
    texte()->setFocus();
    QTest::keyClicks(texte(), text);
}

void TestDocuments::openFile(const QString &file)
{
    m_prompter.files = {file};
    child<QAction>("Charger")->trigger();
}

// What another program may do to an open document behind Tapoli's back.
void TestDocuments::changeElsewhere(const QString &file, const QString &change)
{
    QFile other(file);
    if (change == QLatin1String("appended")) {
        QVERIFY(other.open(QIODevice::Append));
        QCOMPARE(other.write("ligne d'ailleurs\r\n"), 18);
    } else if (change == QLatin1String("older copy")) {
        // Other bytes, the same size, and the time of the copy they came from, as a restored backup has.
        QVERIFY(other.open(QIODevice::ReadWrite));
        QVERIFY(other.putChar('A') && other.flush());
        QVERIFY(other.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    } else if (change == QLatin1String("deleted")) {
        QVERIFY(other.remove());
    }
}

void TestDocuments::saveAsWritesHeaderForOwnType_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("header");
    QTest::newRow("no extension") << "notes" << "notes.tpo" << true;
    QTest::newRow("bare dot") << "notes." << "notes.tpo" << true;
    QTest::newRow("upper case own type") << "NOTES.TPO" << "NOTES.TPO" << true;
    QTest::newRow("plain text") << "notes.txt" << "notes.txt" << false;
}

void TestDocuments::saveAsWritesHeaderForOwnType()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(bool, header);
    typeText("un");
    QTest::keyClick(texte(), Qt::Key_Return);
    QTest::mouseClick(child<QPushButton>("t233"), Qt::LeftButton);
    const QString font = child<QComboBox>("polices")->currentText();
    m_prompter.files = {path(chosen)};

    child<QAction>("SauverSous")->trigger();

    QCOMPARE(m_prompter.fileRequests.first().filter,
             QStringLiteral("Fichiers TAPOLI|*.tpo|Fichiers Texte|*.txt|Fichiers INI|*.ini|Tous fichiers|*.*"));
    QVERIFY(!m_prompter.fileRequests.first().confirmOverwrite);
    const QByteArray text("un\r\n\xE9\r\n");
    const QByteArray expected = header ? "[TAPOLI]\r\nPolice=" + font.toLatin1() + "\r\nTaillePol=12\r\nAlignement=0\r\n[TXT]\r\n" + text
                                       : text;
    QCOMPARE(readFile(path(written)), expected);
    QCOMPARE(texte()->toPlainText(), QStringLiteral("un\né"));
    QCOMPARE(m_window->documents().fileName(), path(written));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tapoli v4.2 [") + path(written) + QLatin1Char(']'));
    QVERIFY(!texte()->document()->isModified());
    QVERIFY2(m_prompter.shown.isEmpty(), qPrintable(m_prompter.shown.value(0).text));
}

void TestDocuments::saveAsAsksBeforeReplacing_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("existing");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("no keeps the file") << "notes.txt" << "notes.txt" << int(Answer::No) << false;
    QTest::newRow("yes replaces it") << "notes.txt" << "notes.txt" << int(Answer::Yes) << true;
    QTest::newRow("name completed to an existing one") << "notes" << "notes.tpo" << int(Answer::No) << false;
}

void TestDocuments::saveAsAsksBeforeReplacing()
{
    QFETCH(QString, chosen);
    QFETCH(QString, existing);
    QFETCH(int, answer);
    QFETCH(bool, replaced);
    writeFile(path(existing), "old\r\n");
    typeText("new");
    m_prompter.files = {path(chosen)};
    m_prompter.answers = {Answer(answer)};
    child<QAction>("SauverSous")->trigger();
    QCOMPARE(m_prompter.texts(), QStringList{QStringLiteral("Ce fichier existe déjà:\n") + path(existing)
                                             + QStringLiteral("\nVoulez-vous le remplacer ?")});
    QCOMPARE(m_prompter.shown.first().icon, Prompter::Icon::Warning);
    QCOMPARE(m_prompter.shown.first().buttons, Prompter::Buttons::YesNo);
    QCOMPARE(readFile(path(existing)), replaced ? QByteArray("new\r\n") : QByteArray("old\r\n"));
    QCOMPARE(m_window->documents().fileName().isEmpty(), !replaced);
    QCOMPARE(texte()->document()->isModified(), !replaced);
    if (!replaced)
        return;
    // The file just written is the one "Sauver" replaces without asking more than its own question.
    typeText("!");
    m_prompter.answers = {Answer::Yes};
    child<QAction>("Sauver")->trigger();
    QCOMPARE(m_prompter.texts().last(), QStringLiteral("Sauvegarder ") + path(existing) + QStringLiteral(" ???"));
    QCOMPARE(readFile(path(existing)), QByteArray("new!\r\n"));
}

void TestDocuments::failedSaveChangesNothing_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<QString>("elsewhere");   // another program's change after the open, answered "Non"; none: a full disk
    QTest::addColumn<int>("lines");           // enough of them and the document is read aside
    QTest::newRow("Sauver sous...") << true << QString() << 1;
    QTest::newRow("Sauver") << false << QString() << 1;
    QTest::newRow("Sauver, appended to elsewhere") << false << "appended" << 1;
    QTest::newRow("Sauver, an older copy of the same size put back") << false << "older copy" << 1;
    QTest::newRow("Sauver, read aside, appended to elsewhere") << false << "appended" << 300000;
}

void TestDocuments::failedSaveChangesNothing()
{
    QFETCH(bool, saveAs);
    QFETCH(QString, elsewhere);
    QFETCH(int, lines);
    writeFile(path("doc.txt"), QByteArray("ancien texte\r\n").repeated(lines));
    openFile(path("doc.txt"));
    // Typing waits for the whole document: the change comes after it was read, wherever that was.
    typeText(QString(200, QLatin1Char('x')));
    QTRY_VERIFY(m_window->findChild<DocumentLoader *>()->isWhole());
    changeElsewhere(path("doc.txt"), elsewhere);
    const QByteArray old = readFile(path("doc.txt"));
    const QString caption = m_window->windowTitle();
    const bool saveEnabled = child<QAction>("Sauver")->isEnabled();
    m_prompter.files = {path("doc.txt")};
    m_prompter.answers = {Answer::Yes, Answer::No};
    {
        FileSizeLimit limit(elsewhere.isEmpty() ? 8 : RLIM_INFINITY);
        QVERIFY(limit.isActive());
        child<QAction>(saveAs ? "SauverSous" : "Sauver")->trigger();
    }
    if (elsewhere.isEmpty()) {
        QCOMPARE(m_prompter.texts().last(), QStringLiteral("Erreur: TAPOLI ne peut pas sauvegarder ce fichier"));
    } else {
        QCOMPARE(m_prompter.texts().last(), QStringLiteral("Le fichier ") + path("doc.txt")
                     + QStringLiteral(" a été modifié par un autre programme depuis son ouverture. Voulez-vous le remplacer ?"));
        QCOMPARE(m_prompter.shown.last().icon, Prompter::Icon::Warning);
        QCOMPARE(m_prompter.shown.last().buttons, Prompter::Buttons::YesNo);
    }
    QCOMPARE(readFile(path("doc.txt")), old);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"doc.txt"});
    QCOMPARE(m_window->windowTitle(), caption);
    QCOMPARE(m_window->documents().fileName(), path("doc.txt"));
    QVERIFY(texte()->document()->isModified());
    QCOMPARE(child<QAction>("Sauver")->isEnabled(), saveEnabled);
}

void TestDocuments::sauverAsksFirst()
{
    writeFile(path("doc.txt"), "a\r\n");
    openFile(path("doc.txt"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tapoli v4.2 -- ") + path("doc.txt"));
    QTest::keyClick(texte(), Qt::Key_End);
    typeText("b");
    QVERIFY(child<QAction>("Sauver")->isEnabled());

    m_prompter.answers = {Answer::No};
    child<QAction>("Sauver")->trigger();
    QCOMPARE(m_prompter.texts(), QStringList{QStringLiteral("Sauvegarder ") + path("doc.txt") + QStringLiteral(" ???")});
    QCOMPARE(m_prompter.shown.first().icon, Prompter::Icon::Question);
    QCOMPARE(m_prompter.shown.first().buttons, Prompter::Buttons::YesNo);
    QCOMPARE(readFile(path("doc.txt")), QByteArray("a\r\n"));

    m_prompter.answers = {Answer::Yes};
    child<QAction>("Sauver")->trigger();
    QCOMPARE(readFile(path("doc.txt")), QByteArray("ab\r\n"));
    QVERIFY(!child<QAction>("Sauver")->isEnabled());
    QVERIFY(!texte()->document()->isModified());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tapoli v4.2 -- ") + path("doc.txt"));

    // The file Tapoli has just written is no other program's change: the next "Sauver" asks only this.
    typeText("c");
    m_prompter.answers = {Answer::Yes};
    child<QAction>("Sauver")->trigger();
    QCOMPARE(m_prompter.texts().mid(2), QStringList{QStringLiteral("Sauvegarder ") + path("doc.txt") + QStringLiteral(" ???")});
    QCOMPARE(readFile(path("doc.txt")), QByteArray("abc\r\n"));
}

void TestDocuments::openWithHeaderRestoresAppearance()
{
    child<QPushButton>("tchA")->setText("é");
    openFile(QFINDTESTDATA("../data/windows-made.tpo"));
    QVERIFY2(m_prompter.shown.isEmpty(), qPrintable(m_prompter.shown.value(0).text));
    QCOMPARE(texte()->toPlainText(), QStringLiteral("Été à Noël\n\n€ 5 — « bientôt »"));
    QCOMPARE(child<QComboBox>("polices")->currentText(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(texte()->font().family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(texte()->font().pointSize(), 20);
    QCOMPARE(child<QSpinBox>("Taillst")->value(), 20);
    QCOMPARE(texte()->document()->defaultTextOption().textDirection(), Qt::RightToLeft);
    QVERIFY(!m_window->keyboardFiles().isModified());
    QVERIFY(!texte()->document()->isModified());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tapoli v4.2 -- ") + QFINDTESTDATA("../data/windows-made.tpo"));
    // The header's font and direction count as changes to a named document of Tapoli's type.
    QVERIFY(child<QAction>("Sauver")->isEnabled());
}

void TestDocuments::openWithoutHeaderKeepsAppearance_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("no header") << QByteArray("simple\r\ntexte\r\n") << "simple\ntexte";
    QTest::newRow("count 3") << QByteArray("[TAPOLI]\r\nPolice=DejaVu Serif\r\nTaillePol=30\r\n[TXT]\r\nt\r\n")
                             << "[TAPOLI]\nPolice=DejaVu Serif\nTaillePol=30\n[TXT]\nt";
}

void TestDocuments::openWithoutHeaderKeepsAppearance()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const QString font = texte()->font().family();
    writeFile(path("plain.tpo"), bytes);
    openFile(path("plain.tpo"));
    QCOMPARE(texte()->toPlainText(), text);
    QCOMPARE(texte()->font().family(), font);
    QCOMPARE(texte()->font().pointSize(), 12);
    QCOMPARE(texte()->document()->defaultTextOption().textDirection(), Qt::LeftToRight);
    QCOMPARE(m_window->documents().fileName(), path("plain.tpo"));
}

void TestDocuments::unreadableFileChangesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("folder, own type") << "folder" << "Erreur: TAPOLI ne peut pas charger ce fichier";
    QTest::newRow("FIFO, read without hanging") << "fifo" << "Erreur: TAPOLI ne peut pas charger ce fichier";
    QTest::newRow("too large") << "large"
                               << "Erreur: TAPOLI ne peut pas charger ce fichier\n(il dépasse 64 Mo, trop pour la zone de texte).";
}

void TestDocuments::unreadableFileChangesNothing()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    const QString file = path("bad.tpo");
    if (kind == "folder") {
        QVERIFY(QDir().mkpath(file));
    } else if (kind == "fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    } else {
        QFile large(file);
        QVERIFY(large.open(QIODevice::WriteOnly));
        QVERIFY(large.resize(64 * 1024 * 1024 + 1));
    }
    typeText("garde");
    openFile(file);
    QCOMPARE(m_prompter.texts(), QStringList{message});
    QCOMPARE(texte()->toPlainText(), QStringLiteral("garde"));
    QVERIFY(m_window->documents().fileName().isEmpty());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tapoli v4.2 -- Pas de fichier"));
    // Nothing waits for a document that will not come, and the text area is not left busy.
    typeText("s");
    QTest::mouseClick(child<QPushButton>("tchA"), Qt::LeftButton);
    QCOMPARE(texte()->toPlainText(), QStringLiteral("gardesA"));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestDocuments::windowsFileRoundTripsByteForByte_data()
{
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("oneLine");
    QTest::addColumn<bool>("readAside");
    QTest::newRow("as made on Windows") << 1 << false << false;
    // Long documents: the keys and saves that come while one loads wait for all of it, without holding
    // the window up meanwhile.
    QTest::newRow("loaded a slice at a time") << 40000 << false << false;
    QTest::newRow("read aside first") << 150000 << false << true;
    QTest::newRow("one line longer than a slice") << 8000 << true << false;
}

void TestDocuments::windowsFileRoundTripsByteForByte()
{
    QFETCH(int, copies);
    QFETCH(bool, oneLine);
    QFETCH(bool, readAside);
    QByteArray made = readFile(QFINDTESTDATA("../data/windows-made.tpo"));
    const qsizetype textStart = made.indexOf("[TXT]\r\n") + 7;
    if (oneLine)
        made = made.left(textStart) + made.mid(textStart).replace("\r\n", "  ") + "\r\n";
    const QByteArray original = made.left(textStart) + made.mid(textStart).repeated(copies);
    writeFile(path("copie.tpo"), original);
    const auto *loader = m_window->findChild<DocumentLoader *>();
    if (copies > 1) {
        // "Sauver" while it loads saves it under its own name, not the one open before.
        writeFile(path("premier.tpo"), made);
        openFile(path("premier.tpo"));
        openFile(path("copie.tpo"));
        QCOMPARE(!loader->isWhole(), !oneLine);
        m_prompter.answers = {Answer::Yes};
        child<QAction>("Sauver")->trigger();
        QTRY_VERIFY(loader->isWhole());
        QCOMPARE(readFile(path("premier.tpo")), made);
        QVERIFY(m_prompter.shown.last().text.contains(QStringLiteral("copie.tpo")));
        QCOMPARE(readFile(path("copie.tpo")), original);
    }
    if (readAside) {
        // A second document asked for while the first is being read is the one shown, for good.
        openFile(path("copie.tpo"));
        openFile(path("premier.tpo"));
        QTRY_VERIFY(loader->findChildren<QThread *>().isEmpty());
        QCOMPARE(texte()->document()->blockCount(), 3);
        QCOMPARE(m_window->documents().fileName(), path("premier.tpo"));
    }
    openFile(path("copie.tpo"));
    QCOMPARE(!loader->isWhole(), copies > 1 && !oneLine);
    QTest::mouseClick(child<QPushButton>("tchA"), Qt::LeftButton);
    // Typed on the keyboard meanwhile, and not lost: it lands at the caret once the text is whole.
    QTest::keyClick(texte(), Qt::Key_B);
    QCOMPARE(!loader->isWhole(), copies > 1 && !oneLine);
    // "Sauver" comes on with the first edit, which waits for the whole text too.
    QTRY_VERIFY(loader->isWhole());
    m_prompter.answers = {Answer::Yes};
    child<QAction>("Sauver")->trigger();
    QByteArray expected = original;
    expected.replace("[TXT]\r\n", "[TXT]\r\nbA");
    QCOMPARE(readFile(path("copie.tpo")), expected);
    if (copies == 1)
        return;
    // The text area's own undo is back once the text is whole.
    QTest::keyClick(texte(), Qt::Key_Z, Qt::ControlModifier);
    const QString firstLine = texte()->document()->firstBlock().text();
    QVERIFY2(firstLine.startsWith(QLatin1Char('A')) && !firstLine.startsWith(QLatin1String("bA")), qPrintable(firstLine.left(9)));
    // Closed while it loads, the window asks nothing: the document is on disk as it was.
    openFile(path("copie.tpo"));
    if (oneLine)
        return;
    QVERIFY(!loader->isWhole());
    m_prompter.shown.clear();
    QVERIFY(m_window->close());
    QVERIFY2(m_prompter.shown.isEmpty(), qPrintable(m_prompter.shown.value(0).text));
    QCOMPARE(readFile(path("copie.tpo")), expected);
    // Nor does it leave the busy pointer behind.
    m_window.reset();
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestDocuments::insertionThroughAccessibilityWhileLoadingIsKept()
{
    writeFile(path("long.txt"), QByteArray("une ligne\r\n").repeated(300000));
    openFile(path("long.txt"));
    const auto *loader = m_window->findChild<DocumentLoader *>();
    QVERIFY(!loader->isWhole());
    // A screen reader or a switch program may write into the text area even while it is read-only.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(texte());
    QVERIFY(accessible && accessible->editableTextInterface());
    accessible->editableTextInterface()->insertText(0, QStringLiteral("X"));
    QTRY_VERIFY(loader->isWhole());
    const QString loaded = texte()->document()->toRawText();
    QVERIFY(loaded.startsWith(QLatin1String("Xune ligne")));
    QVERIFY(texte()->document()->isModified());
    QTest::mouseClick(child<QPushButton>("tchB"), Qt::LeftButton);
    child<QPushButton>("entree")->click();
    child<QPushButton>("supprimer")->click();
    QCOMPARE(texte()->document()->toRawText(), loaded);
}

void TestDocuments::noBreakSpacesSurviveSaveUndoAndCopy()
{
    writeFile(path("nbsp.txt"), "10\xA0\x80 \xAB\xA0oui\xA0\xBB\r\n");
    openFile(path("nbsp.txt"));
    QTest::mouseClick(child<QPushButton>("t160"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("supprimer"), Qt::LeftButton);
    QVERIFY(texte()->toPlainText().size() == 12);
    m_prompter.files = {path("copie.txt")};
    child<QAction>("SauverSous")->trigger();
    QCOMPARE(readFile(path("copie.txt")), QByteArray("10\xA0\x80 \xAB\xA0oui\xA0\xBB\r\n"));
    child<QPushButton>("copie")->click();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("10\u00A0€ «\u00A0oui\u00A0»"));
}

void TestDocuments::textOutsideWindows1252_data()
{
    QTest::addColumn<QByteArray>("start");     // empty: a new text
    QTest::addColumn<bool>("cleared");         // "Initialiser" before the paste
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<int>("answer");           // -1: no question about UTF-8
    QTest::addColumn<QByteArray>("written");
    const QString greek = QStringLiteral("αβ");
    QTest::newRow("new text, UTF-8 accepted") << QByteArray() << false << greek << int(Answer::Yes)
                                              << QByteArray("\xEF\xBB\xBF\xCE\xB1\xCE\xB2\r\n");
    QTest::newRow("new text, UTF-8 refused") << QByteArray() << false << greek << int(Answer::No) << QByteArray("<missing>");
    QTest::newRow("UTF-8 file stays UTF-8") << QByteArray("\xC3\xA9\r\n") << false << greek << -1
                                            << QByteArray("\xCE\xB1\xCE\xB2\xC3\xA9\r\n");
    QTest::newRow("UTF-8 file with BOM keeps it") << QByteArray("\xEF\xBB\xBFx\r\n") << false << greek << -1
                                                  << QByteArray("\xEF\xBB\xBF\xCE\xB1\xCE\xB2x\r\n");
    QTest::newRow("after a UTF-8 file, a new text is Windows-1252") << QByteArray("\xC3\xA9\r\n") << true
                                                                     << QStringLiteral("é") << -1 << QByteArray("\xE9\r\n");
    QTest::newRow("pasted line separator") << QByteArray() << false << QStringLiteral("a\u2028b") << -1
                                           << QByteArray("a\r\nb\r\n");
    QTest::newRow("pasted paragraph separator") << QByteArray() << false << QStringLiteral("c\u2029d") << -1
                                                << QByteArray("c\r\nd\r\n");
}

void TestDocuments::textOutsideWindows1252()
{
    QFETCH(QByteArray, start);
    QFETCH(bool, cleared);
    QFETCH(QString, pasted);
    QFETCH(int, answer);
    QFETCH(QByteArray, written);
    QString file = path("grec.txt");
    if (!start.isEmpty()) {
        writeFile(file, start);
        openFile(file);
    }
    if (cleared) {
        child<QPushButton>("Initialiser")->click();
        file = path("nouveau.txt");
    }
    QApplication::clipboard()->setText(pasted);
    QTextCursor cursor = texte()->textCursor();
    cursor.setPosition(0);
    texte()->setTextCursor(cursor);
    child<QAction>("Coller")->trigger();

    if (m_window->documents().fileName().isEmpty()) {
        m_prompter.files = {file};
        m_prompter.answers = {Answer(answer)};
        child<QAction>("SauverSous")->trigger();
        if (answer < 0)
            QVERIFY2(m_prompter.shown.isEmpty(), qPrintable(m_prompter.shown.value(0).text));
        else
            QCOMPARE(m_prompter.texts().last(), QStringLiteral("Ce texte contient des caractères que le codage "
                                                               "Windows-1252 ne peut pas enregistrer.\n"
                                                               "Voulez-vous l'enregistrer en UTF-8 ?"));
    } else {
        // A file read as UTF-8 is written back as UTF-8 without asking.
        m_prompter.answers = {Answer::Yes};
        child<QAction>("Sauver")->trigger();
        QCOMPARE(m_prompter.shown.size(), 1);
    }
    QCOMPARE(readFile(file), written);
    QCOMPARE(texte()->document()->isModified(), answer == int(Answer::No));
}

void TestDocuments::commandLineOpensWithoutDialog()
{
    const QString file = path("arg.tpo");
    writeFile(file, "[TAPOLI]\r\nPolice=DejaVu Serif\r\nTaillePol=16\r\nAlignement=0\r\n[TXT]\r\nbonjour\r\n");
    QVERIFY(startWindow({file}));
    QTRY_COMPARE(m_window->windowTitle(), QStringLiteral("Tapoli v4.2 -- ") + file);
    QCOMPARE(texte()->toPlainText(), QStringLiteral("bonjour"));
    QCOMPARE(texte()->font().pointSize(), 16);
    QVERIFY(m_prompter.fileRequests.isEmpty());
    QVERIFY(!m_window->keyboardFiles().isModified());

    child<QAction>("Charger")->trigger();
    QCOMPARE(m_prompter.fileRequests.size(), 1);
    QCOMPARE(m_prompter.fileRequests.first().folder, m_dir.path());
    QCOMPARE(texte()->toPlainText(), QStringLiteral("bonjour"));

    // A text opened and never changed is closed without a question.
    child<QPushButton>("Quitte")->click();
    QVERIFY(!m_window->isVisible());
    QVERIFY2(m_prompter.shown.isEmpty(), qPrintable(m_prompter.shown.value(0).text));
}

void TestDocuments::commandLineFolderShowsDialog()
{
    QVERIFY(startWindow({m_dir.path()}));
    QTRY_COMPARE(m_prompter.fileRequests.size(), 1);
    QCOMPARE(m_prompter.fileRequests.first().folder, m_dir.path());
    QVERIFY2(m_prompter.shown.isEmpty(), qPrintable(m_prompter.shown.value(0).text));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tapoli v4.2 -- Pas de fichier"));
}

void TestDocuments::headerFontMissingTakesFirstFont()
{
    writeFile(path("police.tpo"), "[TAPOLI]\r\nPolice=No Such Font\r\nTaillePol=14\r\nAlignement=0\r\n[TXT]\r\nt\r\n");
    openFile(path("police.tpo"));
    QCOMPARE(m_prompter.texts(), QStringList{QStringLiteral("Le police de caractères associée à ce fichier\n"
                                                            "n'est pas disponible sur ce système...")});
    QCOMPARE(m_prompter.shown.first().icon, Prompter::Icon::None);
    QCOMPARE(child<QComboBox>("polices")->currentIndex(), 0);
    QCOMPARE(texte()->font().family(), child<QComboBox>("polices")->itemText(0));
}

void TestDocuments::openAfterKeyboardLoadShowsDialog_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("lower case") << "k.cltpo";
    QTest::newRow("upper case") << "K.CLTPO";
}

void TestDocuments::openAfterKeyboardLoadShowsDialog()
{
    QFETCH(QString, name);
    const QString layout = path(name);
    writeFile(layout, "DejaVu Sans\r\n12;0\r\n");
    m_prompter.files = {layout};
    child<QPushButton>("ChargeClavier")->click();
    // The layout's name ends in "tpo", but no document is named: there is nothing for "Sauver" to write to.
    QVERIFY(!child<QAction>("Sauver")->isEnabled());
    child<QAction>("Charger")->trigger();
    QCOMPARE(m_prompter.fileRequests.size(), 2);
    QCOMPARE(texte()->toPlainText(), QString());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tapoli v4.2 -- Pas de fichier"));
}

void TestDocuments::changesOfferSaveForTapoliDocuments_data()
{
    QTest::addColumn<QString>("lastOpened");
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("saveAs");
    const QString tpo = QStringLiteral("notes.tpo");
    const QString upper = QStringLiteral("NOTES.XTPO");
    const QString txt = QStringLiteral("notes.txt");
    QTest::newRow("direction, tpo") << tpo << QStringLiteral("direction") << true << false;
    QTest::newRow("direction, upper-case xtpo") << upper << QStringLiteral("direction") << true << false;
    QTest::newRow("direction, txt") << txt << QStringLiteral("direction") << false << false;
    QTest::newRow("font, tpo") << tpo << QStringLiteral("font") << true << true;
    QTest::newRow("font, txt") << txt << QStringLiteral("font") << false << true;
    QTest::newRow("size, tpo") << tpo << QStringLiteral("size") << true << true;
    QTest::newRow("size, nothing opened") << QString() << QStringLiteral("size") << false << true;
    // Typed and refused, the size stays, and the font choice's last step is taken all the same.
    QTest::newRow("refused size, nothing opened") << QString() << QStringLiteral("refused size") << false << true;
}

void TestDocuments::changesOfferSaveForTapoliDocuments()
{
    QFETCH(QString, lastOpened);
    QFETCH(QString, change);
    QFETCH(bool, save);
    QFETCH(bool, saveAs);
    if (!lastOpened.isEmpty()) {
        writeFile(path(lastOpened), "sans en-tête\r\n");
        openFile(path(lastOpened));
    }
    child<QAction>("SauverSous")->setEnabled(false);
    child<QAction>("Sauver")->setEnabled(false);
    if (change == QLatin1String("direction"))
        QTest::mouseClick(child<QRadioButton>("Alignement1"), Qt::LeftButton);
    else if (change == QLatin1String("font"))
        emit child<QComboBox>("polices")->activated(0);
    else if (change == QLatin1String("size"))
        child<QSpinBox>("Taillst")->setValue(20);
    else
        QTest::keyClicks(child<QSpinBox>("Taillst")->findChild<QLineEdit *>(), "5");
    QCOMPARE(child<QAction>("Sauver")->isEnabled(), save);
    QCOMPARE(child<QAction>("SauverSous")->isEnabled(), saveAs);
    QCOMPARE(m_window->keyboardFiles().isModified(), !change.endsWith(QLatin1String("size")));
}

void TestDocuments::initialiserForgetsTheDocument_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("yes forgets it") << int(Answer::Yes) << true;
    QTest::newRow("no keeps it") << int(Answer::No) << false;
}

void TestDocuments::initialiserForgetsTheDocument()
{
    QFETCH(int, answer);
    QFETCH(bool, cleared);
    writeFile(path("doc.txt"), "texte\r\n");
    openFile(path("doc.txt"));
    typeText("x");
    m_prompter.answers = {Answer(answer)};
    child<QPushButton>("Initialiser")->click();
    QCOMPARE(m_window->documents().fileName().isEmpty(), cleared);
    QCOMPARE(m_window->windowTitle(), cleared ? QStringLiteral("Tapoli v4.2 -- Pas de fichier")
                                              : QStringLiteral("Tapoli v4.2 -- ") + path("doc.txt"));
    QCOMPARE(child<QAction>("SauverSous")->isEnabled(), !cleared);
    QCOMPARE(child<QAction>("Sauver")->isEnabled(), !cleared);
}

void TestDocuments::exitDialogue_data()
{
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("keyboardModified");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<bool>("saveDialogAnswered");
    QTest::addColumn<bool>("writeFails");
    QTest::addColumn<bool>("viaCloseButton");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("elsewhere");   // another program's change to the named file after the open
    const QString keyboard = QStringLiteral("Le clavier actuel a été modifié.\nVoulez-vous le sauvegarder?");
    const QString unnamed = QStringLiteral("Voulez-vous sauvegarder le texte saisi ?");
    const QString named = QStringLiteral("Sauvegarder %1 ???");
    const QString changed = QStringLiteral("Le fichier %1 a été modifié par un autre programme depuis son ouverture. "
                                           "Voulez-vous le remplacer ?");
    const int yes = int(Answer::Yes), no = int(Answer::No), cancel = int(Answer::Cancel);
    QTest::newRow("unnamed, cancel stays") << false << false << QList<int>{cancel} << false << false << false
                                           << QStringList{unnamed} << false << false << QString();
    QTest::newRow("unnamed, no closes") << false << false << QList<int>{no} << false << false << false
                                        << QStringList{unnamed} << true << false << QString();
    QTest::newRow("unnamed, yes then dialog cancelled stays") << false << false << QList<int>{yes} << false << false
                                                              << false << QStringList{unnamed} << false << false << QString();
    QTest::newRow("unnamed, yes and saved closes") << false << false << QList<int>{yes} << true << false << false
                                                   << QStringList{unnamed} << true << true << QString();
    QTest::newRow("unnamed, yes but write fails stays") << false << false << QList<int>{yes} << true << true << false
                                                        << QStringList{unnamed, "Erreur: TAPOLI ne peut pas sauvegarder ce fichier"}
                                                        << false << false << QString();
    QTest::newRow("named, yes saves and closes") << true << false << QList<int>{yes} << false << false << false
                                                 << QStringList{named} << true << true << QString();
    QTest::newRow("named, no closes") << true << false << QList<int>{no} << false << false << false
                                      << QStringList{named} << true << false << QString();
    QTest::newRow("named, write fails stays") << true << false << QList<int>{yes} << false << true << false
                                              << QStringList{named, "Erreur: TAPOLI ne peut pas sauvegarder ce fichier"}
                                              << false << false << QString();
    QTest::newRow("keyboard asked first") << false << true << QList<int>{no, no} << false << false << false
                                          << QStringList{keyboard, unnamed} << true << false << QString();
    QTest::newRow("close button, cancel stays") << false << false << QList<int>{cancel} << false << false << true
                                                << QStringList{unnamed} << false << false << QString();
    QTest::newRow("close button, no closes") << false << false << QList<int>{no} << false << false << true
                                             << QStringList{unnamed} << true << false << QString();
    QTest::newRow("named, changed elsewhere, no stays") << true << false << QList<int>{yes, no} << false << false
                                                        << false << QStringList{named, changed} << false << false
                                                        << "appended";
    QTest::newRow("named, changed elsewhere, yes replaces and closes") << true << false << QList<int>{yes, yes} << false
                                                                       << false << false << QStringList{named, changed}
                                                                       << true << true << "appended";
    // Nothing is left there to lose: the save makes the file again.
    QTest::newRow("named, deleted elsewhere, saved without asking more") << true << false << QList<int>{yes} << false
                                                                         << false << false << QStringList{named} << true
                                                                         << true << "deleted";
}

void TestDocuments::exitDialogue()
{
    QFETCH(bool, named);
    QFETCH(bool, keyboardModified);
    QFETCH(QList<int>, answers);
    QFETCH(bool, saveDialogAnswered);
    QFETCH(bool, writeFails);
    QFETCH(bool, viaCloseButton);
    QFETCH(QStringList, questions);
    QFETCH(bool, closed);
    QFETCH(bool, written);
    QFETCH(QString, elsewhere);
    const QString file = path("doc.txt");
    if (named) {
        writeFile(file, "old\r\n");
        openFile(file);
        changeElsewhere(file, elsewhere);
    }
    if (keyboardModified)
        QTest::mouseClick(child<QRadioButton>("Alignement1"), Qt::LeftButton);
    else
        QVERIFY(!m_window->keyboardFiles().isModified());
    typeText("texte");
    for (int answer : answers)
        m_prompter.answers << Answer(answer);
    if (saveDialogAnswered)
        m_prompter.files = {file};

    {
        FileSizeLimit limit(writeFails ? 2 : RLIM_INFINITY);
        if (viaCloseButton)
            m_window->close();
        else
            child<QPushButton>("Quitte")->click();
    }

    QCOMPARE(m_prompter.texts(), questions.replaceInStrings("%1", file));
    // Every question is one; the unnamed text's alone offers Cancel, and replacing another program's change warns.
    for (const ScriptedPrompter::Shown &shown : m_prompter.shown) {
        const auto buttons = shown.text.endsWith(QLatin1String("saisi ?")) ? Prompter::Buttons::YesNoCancel
                                                                          : Prompter::Buttons::YesNo;
        const auto icon = shown.text.endsWith(QLatin1String("remplacer ?")) ? Prompter::Icon::Warning
                                                                           : Prompter::Icon::Question;
        QVERIFY(shown.text.startsWith(QLatin1String("Erreur")) || (shown.icon == icon && shown.buttons == buttons));
    }
    QCOMPARE(m_window->isVisible(), !closed);
    QCOMPARE(readFile(file).contains("texte"), written);
}

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
