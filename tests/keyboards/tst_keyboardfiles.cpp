#include "filesizelimit.h"
#include "keyboards/characterlist.h"
#include "keyboards/keyboardfiles.h"
#include "text/fontlist.h"
#include "windowfixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestKeyboardFiles : public QObject, private WindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void saveWritesTheLayout_data();
    void saveWritesTheLayout();
    void saveOfUnchangedLayoutAsksFirst();
    void cancelledOrRefusedSaveWritesNothing_data();
    void cancelledOrRefusedSaveWritesNothing();
    void failedSaveKeepsOldFileAndState();
    void loadWindowsMadeLayout();
    void loadThenSaveProposesCurrentFile();
    void unreadableLayoutChangesNothing_data();
    void unreadableLayoutChangesNothing();
    void emptyLayoutKeepsEverything();
    void shippedLayoutsAreOffered();
    void missingFontFallsBackSilently();
    void dropFromListRemapsKey_data();
    void dropFromListRemapsKey();
    void dropFromElsewhereIsRefused();

private:
    QString folder() const { return m_data.path() + QStringLiteral("/tapoli/claviers"); }
    void writeFile(const QString &path, const QByteArray &bytes);
    QByteArray readFile(const QString &path);
    bool drop(QPushButton *key, QMimeData *data);
    void remapTchA() { drop(child<QPushButton>("tchA"), listMime(QStringLiteral("é"))); }
    static QMimeData *listMime(const QString &character);

    QTemporaryDir m_data;
};

void TestKeyboardFiles::initTestCase()
{
    QVERIFY(m_data.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));
}

void TestKeyboardFiles::init()
{
    QDir(folder()).removeRecursively();
    QVERIFY(startWindow({}, false));
}

void TestKeyboardFiles::cleanup()
{
    m_window.reset();
}

void TestKeyboardFiles::writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray TestKeyboardFiles::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QMimeData *TestKeyboardFiles::listMime(const QString &character)
{
    auto *data = new QMimeData;
    data->setData(CharacterList::mimeType(), character.toUtf8());
    data->setText(character);
    return data;
}

bool TestKeyboardFiles::drop(QPushButton *key, QMimeData *data)
{
    const QPointF centre = QRectF(key->rect()).center();
    QDragEnterEvent enter(centre.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(key, &enter);
    const bool entered = enter.isAccepted();
    QDropEvent dropped(centre, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(key, &dropped);
    delete data;
    return entered && dropped.isAccepted();
}

void TestKeyboardFiles::saveWritesTheLayout_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << QStringLiteral("mon") << QStringLiteral("mon.cltpo");
    QTest::newRow("bare dot") << QStringLiteral("mon.") << QStringLiteral("mon.cltpo");
    QTest::newRow("other extension") << QStringLiteral("mon.txt") << QStringLiteral("mon.txt");
}

void TestKeyboardFiles::saveWritesTheLayout()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    remapTchA();
    QVERIFY(m_window->keyboardFiles().isModified());
    const QString font = child<QComboBox>("polices")->currentText();
    m_prompter.files = {folder() + QLatin1Char('/') + chosen};

    QTest::mouseClick(child<QPushButton>("SauveClavier"), Qt::LeftButton);

    QVERIFY(m_prompter.shown.isEmpty());
    QCOMPARE(m_prompter.fileRequests.size(), 1);
    QCOMPARE(m_prompter.fileRequests.first().folder, folder());
    QCOMPARE(m_prompter.fileRequests.first().filter, QStringLiteral("Claviers TAPOLI|*.cltpo"));
    QCOMPARE(m_prompter.fileRequests.first().fileName, QStringLiteral("Clavier") + font + QStringLiteral("12.cltpo"));
    QVERIFY(!m_prompter.fileRequests.first().confirmOverwrite);

    const QString path = folder() + QLatin1Char('/') + written;
    const QByteArray bytes = readFile(path);
    QVERIFY(bytes.startsWith(font.toLatin1() + "\r\n12;0\r\ntchA=\xE9\r\ntchZ=Z\r\n"));
    QVERIFY(bytes.contains("\r\nButton10=&&\r\n"));
    QVERIFY(bytes.contains("\r\nButton25=\x80\r\n"));
    QVERIFY(bytes.endsWith("\r\nButton52=\xE4\r\n"));
    QCOMPARE(bytes.count("\r\n"), 83);
    QCOMPARE(bytes.count('\n'), 83);
    QCOMPARE(m_window->keyboardFiles().fileName(), path);
    QVERIFY(!m_window->keyboardFiles().isModified());
    QCOMPARE(child<QLabel>("nomClavier")->text(), QStringLiteral("mon"));
}

void TestKeyboardFiles::saveOfUnchangedLayoutAsksFirst()
{
    m_prompter.answers = {Prompter::Answer::No};
    QTest::mouseClick(child<QPushButton>("SauveClavier"), Qt::LeftButton);
    QCOMPARE(m_prompter.texts(), QStringList{QStringLiteral(
                                     "Le clavier actuel n'a pas été modifié.\nVoulez-vous vraiment le sauvegarder?")});
    QCOMPARE(m_prompter.shown.first().icon, Prompter::Icon::Question);
    QCOMPARE(m_prompter.shown.first().buttons, Prompter::Buttons::YesNo);
    QVERIFY(m_prompter.fileRequests.isEmpty());

    m_prompter.answers = {Prompter::Answer::Yes};
    m_prompter.files = {folder() + QStringLiteral("/same")};
    QTest::mouseClick(child<QPushButton>("SauveClavier"), Qt::LeftButton);
    QVERIFY(QFile::exists(folder() + QStringLiteral("/same.cltpo")));
}

void TestKeyboardFiles::cancelledOrRefusedSaveWritesNothing_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("dialog cancelled") << true;
    QTest::newRow("overwrite refused") << false;
}

void TestKeyboardFiles::cancelledOrRefusedSaveWritesNothing()
{
    QFETCH(bool, cancel);
    const QString path = folder() + QStringLiteral("/old.cltpo");
    writeFile(path, "old bytes\r\n");
    remapTchA();
    if (!cancel) {
        m_prompter.files = {path};
        m_prompter.answers = {Prompter::Answer::No};
    }
    QTest::mouseClick(child<QPushButton>("SauveClavier"), Qt::LeftButton);
    if (!cancel) {
        QCOMPARE(m_prompter.texts(), QStringList{QStringLiteral("Ce fichier existe déjà:\n") + path
                                                 + QStringLiteral("\nVoulez-vous le remplacer ?")});
        QCOMPARE(m_prompter.shown.first().icon, Prompter::Icon::Warning);
        QCOMPARE(m_prompter.shown.first().buttons, Prompter::Buttons::YesNo);
    }
    QCOMPARE(readFile(path), QByteArray("old bytes\r\n"));
    QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList{QStringLiteral("old.cltpo")});
    QVERIFY(m_window->keyboardFiles().isModified());
    QVERIFY(m_window->keyboardFiles().fileName().isEmpty());
    QCOMPARE(child<QLabel>("nomClavier")->text(), QStringLiteral("<...>"));
}

void TestKeyboardFiles::failedSaveKeepsOldFileAndState()
{
    const QString path = folder() + QStringLiteral("/old.cltpo");
    writeFile(path, "old bytes\r\n");
    remapTchA();
    m_prompter.files = {path};
    m_prompter.answers = {Prompter::Answer::Yes};
    {
        FileSizeLimit limit(8);
        QVERIFY(limit.isActive());
        QTest::mouseClick(child<QPushButton>("SauveClavier"), Qt::LeftButton);
    }
    QCOMPARE(m_prompter.texts().last(), QStringLiteral("Erreur: TAPOLI ne peut pas sauvegarder ce fichier"));
    QCOMPARE(readFile(path), QByteArray("old bytes\r\n"));
    QVERIFY(m_window->keyboardFiles().isModified());
    QVERIFY(m_window->keyboardFiles().fileName().isEmpty());
    QCOMPARE(child<QLabel>("nomClavier")->text(), QStringLiteral("<...>"));
}

void TestKeyboardFiles::loadWindowsMadeLayout()
{
    const QString path = QFINDTESTDATA("../data/windows-made.cltpo");
    QVERIFY(!path.isEmpty());
    m_prompter.files = {path};
    QTest::mouseClick(child<QPushButton>("ChargeClavier"), Qt::LeftButton);

    QCOMPARE(m_prompter.fileRequests.first().folder, folder());
    QCOMPARE(m_prompter.fileRequests.first().filter, QStringLiteral("Claviers TAPOLI|*.cltpo"));
    QVERIFY(m_prompter.shown.isEmpty());
    auto *texte = child<QPlainTextEdit>("texte");
    QCOMPARE(child<QComboBox>("polices")->currentText(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(texte->font().family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(child<QPushButton>("tchA")->font().family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(child<QSpinBox>("Taillst")->value(), 14);
    QCOMPARE(texte->font().pointSize(), 14);
    QCOMPARE(texte->document()->defaultTextOption().textDirection(), Qt::RightToLeft);
    QCOMPARE(child<QPushButton>("tchA")->text(), QStringLiteral("é"));
    QCOMPARE(child<QPushButton>("tchQ")->text(), QStringLiteral("&&"));
    QCOMPARE(child<QPushButton>("Button10")->text(), QStringLiteral("="));
    QCOMPARE(child<QPushButton>("tchE")->text(), QStringLiteral("€"));
    QCOMPARE(child<QPushButton>("tchZ")->text(), QStringLiteral("œ"));
    QCOMPARE(child<QPushButton>("tchR")->text(), QStringLiteral("R"));
    QCOMPARE(child<QPushButton>("entree")->text(), QStringLiteral("< Entrée >"));
    QCOMPARE(m_window->keyboardFiles().fileName(), path);
    QVERIFY(!m_window->keyboardFiles().isModified());
    QCOMPARE(child<QLabel>("nomClavier")->text(), QStringLiteral("windows-made"));

    QTest::mouseClick(child<QPushButton>("tchQ"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("tchA"), Qt::LeftButton);
    QCOMPARE(texte->toPlainText(), QStringLiteral("é&"));
}

void TestKeyboardFiles::loadThenSaveProposesCurrentFile()
{
    const QString path = folder() + QStringLiteral("/mine.cltpo");
    writeFile(path, "DejaVu Sans\r\n12;0\r\ntchA=\xE0\r\n");
    m_prompter.files = {path};
    QTest::mouseClick(child<QPushButton>("ChargeClavier"), Qt::LeftButton);
    m_prompter.answers = {Prompter::Answer::Yes, Prompter::Answer::Yes};
    m_prompter.files = {path};
    QTest::mouseClick(child<QPushButton>("SauveClavier"), Qt::LeftButton);
    QCOMPARE(m_prompter.fileRequests.last().fileName, path);
    QVERIFY(readFile(path).startsWith("DejaVu Sans\r\n12;0\r\ntchA=\xE0\r\ntchZ=Z\r\n"));
}

void TestKeyboardFiles::unreadableLayoutChangesNothing_data()
{
    QTest::addColumn<bool>("tooLarge");
    QTest::newRow("a folder") << false;
    QTest::newRow("over 64 MiB") << true;
}

void TestKeyboardFiles::unreadableLayoutChangesNothing()
{
    QFETCH(bool, tooLarge);
    const QString font = child<QComboBox>("polices")->currentText();
    remapTchA();
    const QString path = folder() + QStringLiteral("/gone.cltpo");
    m_prompter.files = {path};
    if (tooLarge) {
        writeFile(path, "Arial\r\n12;0\r\n");
        QVERIFY(QFile::resize(path, 64 * 1024 * 1024 + 1));
    } else {
        QDir().mkpath(path);
    }
    QTest::mouseClick(child<QPushButton>("ChargeClavier"), Qt::LeftButton);
    QCOMPARE(m_prompter.texts(), QStringList{QStringLiteral("Fichier Clavier introuvable.")});
    QCOMPARE(m_prompter.shown.first().icon, Prompter::Icon::None);
    QCOMPARE(child<QPushButton>("tchA")->text(), QStringLiteral("é"));
    QCOMPARE(child<QComboBox>("polices")->currentText(), font);
    QVERIFY(m_window->keyboardFiles().fileName().isEmpty());
    QVERIFY(!m_window->keyboardFiles().isModified());
    QCOMPARE(child<QLabel>("nomClavier")->text(), QStringLiteral("<...>"));
}

void TestKeyboardFiles::emptyLayoutKeepsEverything()
{
    const QString first = folder() + QStringLiteral("/premier.cltpo");
    writeFile(first, "DejaVu Serif\r\n16;1\r\n");
    const QString empty = folder() + QStringLiteral("/vide.cltpo");
    writeFile(empty, QByteArray());
    m_prompter.files = {first, empty};
    QTest::mouseClick(child<QPushButton>("ChargeClavier"), Qt::LeftButton);
    remapTchA();
    QTest::mouseClick(child<QPushButton>("ChargeClavier"), Qt::LeftButton);
    QVERIFY(m_prompter.shown.isEmpty());
    QCOMPARE(child<QPushButton>("tchA")->text(), QStringLiteral("é"));
    QCOMPARE(child<QPlainTextEdit>("texte")->font().pointSize(), 16);
    QVERIFY(child<QRadioButton>("Alignement1")->isChecked());
    QCOMPARE(m_window->keyboardFiles().fileName(), first);
    QCOMPARE(child<QLabel>("nomClavier")->text(), QStringLiteral("premier"));
    QVERIFY(!m_window->keyboardFiles().isModified());
}

void TestKeyboardFiles::shippedLayoutsAreOffered()
{
    QVERIFY(!QDir(folder()).exists());
    QTest::mouseClick(child<QPushButton>("ChargeClavier"), Qt::LeftButton);
    // The dialog opens with no name, and cancelling it loads nothing.
    QVERIFY(m_prompter.fileRequests.first().fileName.isEmpty());
    QCOMPARE(child<QLabel>("nomClavier")->text(), QStringLiteral("<...>"));
    QVERIFY(m_window->keyboardFiles().fileName().isEmpty());
    const QStringList offered = QDir(folder()).entryList({"*.cltpo"}, QDir::Files);
    QCOMPARE(offered.size(), 6);
    QVERIFY(offered.contains("francais-typographie.cltpo"));

    // The copies are the user's own now: they load, and can be saved over.
    const QString french = folder() + QStringLiteral("/francais-typographie.cltpo");
    QVERIFY(QFileInfo(french).isWritable());
    m_prompter.files = {french};
    QTest::mouseClick(child<QPushButton>("ChargeClavier"), Qt::LeftButton);
    QVERIFY(m_prompter.shown.isEmpty());
    QCOMPARE(child<QLabel>("nomClavier")->text(), QStringLiteral("francais-typographie"));

    // A folder the user already has is left as it is.
    QFile::remove(french);
    QTest::mouseClick(child<QPushButton>("ChargeClavier"), Qt::LeftButton);
    QVERIFY(!QFile::exists(french));
}

void TestKeyboardFiles::missingFontFallsBackSilently()
{
    const QString path = folder() + QStringLiteral("/font.cltpo");
    writeFile(path, "No Such Font Anywhere\r\n16\r\n");
    m_prompter.files = {path};
    QTest::mouseClick(child<QRadioButton>("Alignement1"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("ChargeClavier"), Qt::LeftButton);
    QVERIFY(m_prompter.shown.isEmpty());
    QCOMPARE(child<QPlainTextEdit>("texte")->font().family(), arialFamily());
    QCOMPARE(child<QPlainTextEdit>("texte")->font().pointSize(), 16);
    // A bare size line names no direction: the one in use stays.
    QVERIFY(child<QRadioButton>("Alignement1")->isChecked());
}

void TestKeyboardFiles::dropFromListRemapsKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("typed");
    QTest::newRow("letter key") << QStringLiteral("tchA") << QStringLiteral("ß") << QStringLiteral("ß") << QStringLiteral("ß");
    QTest::newRow("ampersand doubled") << QStringLiteral("Button3") << QStringLiteral("&") << QStringLiteral("&&")
                                       << QStringLiteral("&");
    // A control character is the layout's, and types nothing.
    QTest::newRow("undefined byte") << QStringLiteral("Button55") << QString(QChar(0x8D)) << QString(QChar(0x8D))
                                    << QString();
}

void TestKeyboardFiles::dropFromListRemapsKey()
{
    QFETCH(QString, key);
    QFETCH(QString, character);
    QFETCH(QString, caption);
    QFETCH(QString, typed);
    // What the list itself carries when a drag starts from it.
    auto *list = child<QListWidget>("ListBox1");
    QVERIFY(list->dragEnabled());
    const int row = list->row(list->findItems(character, Qt::MatchExactly).value(0));
    QVERIFY(drop(child<QPushButton>(key), list->model()->mimeData({list->model()->index(row, 0)})));
    QCOMPARE(child<QPushButton>(key)->text(), caption);
    QVERIFY(m_window->keyboardFiles().isModified());
    QTest::mouseClick(child<QPushButton>(key), Qt::LeftButton);
    QCOMPARE(child<QPlainTextEdit>("texte")->toPlainText(), typed);
}

void TestKeyboardFiles::dropFromElsewhereIsRefused()
{
    auto *text = new QMimeData;
    text->setText(QStringLiteral("x"));
    QVERIFY(!drop(child<QPushButton>("tchA"), text));
    QCOMPARE(child<QPushButton>("tchA")->text(), QStringLiteral("A"));
    QVERIFY(!m_window->keyboardFiles().isModified());
}

QTEST_MAIN(TestKeyboardFiles)
#include "tst_keyboardfiles.moc"
