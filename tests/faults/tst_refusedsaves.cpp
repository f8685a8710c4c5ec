#include "savescenario.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using Kind = SaveScenario::Kind;

class TestRefusedSaves : public QObject
{
    Q_OBJECT

public:
    enum class Obstacle { ReadOnlyFile, ReadOnlyFolder, ReadOnlyMount };

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void refusedSaveKeepsOldFile_data();
    void refusedSaveKeepsOldFile();

private:
    QString prepareFolder(Obstacle obstacle, Kind kind);
    static QByteArray readFile(const QString &path);
    static QStringList entries(const QString &folder);

    QTemporaryDir m_scratch;
    QString m_lockedFolder;
    int m_row = 0;
    std::unique_ptr<SaveScenario> m_scenario;
};

Q_DECLARE_METATYPE(TestRefusedSaves::Obstacle)

void TestRefusedSaves::initTestCase()
{
    QVERIFY(m_scratch.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_scratch.filePath(QStringLiteral("data"))));
}

void TestRefusedSaves::init()
{
    // A settings row points this at its own folder; the others keep their settings to themselves.
    qputenv("TAPOLI_CONFIG_DIR", QFile::encodeName(m_scratch.filePath(QStringLiteral("config"))));
}

void TestRefusedSaves::cleanup()
{
    m_scenario.reset();
    // Opened again so that the scratch folder can be removed by whoever made it.
    if (!m_lockedFolder.isEmpty())
        ::chmod(QFile::encodeName(m_lockedFolder).constData(), 0755);
    m_lockedFolder.clear();
}

QByteArray TestRefusedSaves::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList TestRefusedSaves::entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The folder holding the existing file, made unwritable as the row asks; empty when this run cannot
// refuse the save that way, after QSKIP said why.
QString TestRefusedSaves::prepareFolder(Obstacle obstacle, Kind kind)
{
    const QString name = SaveScenario::fileName(kind);
    if (obstacle == Obstacle::ReadOnlyMount) {
        const QString mount = qEnvironmentVariable("TAPOLI_READONLY_MOUNT");
        if (mount.isEmpty())
            QTest::qSkip("no read-only mount was given in TAPOLI_READONLY_MOUNT "
                         "(refusedsaves.sh readonlymount makes one in a private mount namespace)",
                         __FILE__, __LINE__);
        else if (::access(QFile::encodeName(mount).constData(), W_OK) == 0 || errno != EROFS)
            QTest::qFail("TAPOLI_READONLY_MOUNT is not on a read-only file system", __FILE__, __LINE__);
        else if (readFile(QDir(mount).filePath(name)) != SaveScenario::oldBytes(kind))
            QTest::qFail("the read-only mount does not hold the expected old file", __FILE__, __LINE__);
        else
            return mount;
        return QString();
    }

    const QString folder = m_scratch.filePath(QStringLiteral("row%1").arg(++m_row));
    const QString path = QDir(folder).filePath(name);
    QFile old(path);
    if (!QDir().mkpath(folder) || !old.open(QIODevice::WriteOnly)
        || old.write(SaveScenario::oldBytes(kind)) != SaveScenario::oldBytes(kind).size()) {
        QTest::qFail("cannot write the old file", __FILE__, __LINE__);
        return QString();
    }
    old.close();
    const QByteArray locked = QFile::encodeName(obstacle == Obstacle::ReadOnlyFile ? path : folder);
    if (obstacle == Obstacle::ReadOnlyFolder)
        m_lockedFolder = folder;
    if (::chmod(locked.constData(), obstacle == Obstacle::ReadOnlyFile ? 0444 : 0555) != 0) {
        QTest::qFail("chmod failed", __FILE__, __LINE__);
        return QString();
    }
    if (::access(locked.constData(), W_OK) == 0) {
        QTest::qSkip("whoever runs this test writes through permission bits (root does): "
                     "refusedsaves.sh nobody runs it as an unprivileged user",
                     __FILE__, __LINE__);
        return QString();
    }
    return folder;
}

void TestRefusedSaves::refusedSaveKeepsOldFile_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<Obstacle>("obstacle");
    const std::pair<const char *, Obstacle> obstacles[] = {
        {"read-only file", Obstacle::ReadOnlyFile},
        {"read-only folder", Obstacle::ReadOnlyFolder},
        {"read-only mount", Obstacle::ReadOnlyMount},
    };
    for (const Kind kind : SaveScenario::kinds()) {
        for (const auto &[obstacleName, obstacle] : obstacles)
            QTest::addRow("%s, %s", SaveScenario::name(kind), obstacleName) << kind << obstacle;
    }
}

void TestRefusedSaves::refusedSaveKeepsOldFile()
{
    QFETCH(Kind, kind);
    QFETCH(Obstacle, obstacle);
    const QString folder = prepareFolder(obstacle, kind);
    if (folder.isEmpty())
        return;
    const QStringList before = entries(folder);
    m_scenario = std::make_unique<SaveScenario>(kind, folder);
    m_scenario->start();
    if (QTest::currentTestFailed())
        return;
    const SaveScenario::State state = m_scenario->state();

    m_scenario->save();

    QCOMPARE(readFile(m_scenario->target()), SaveScenario::oldBytes(kind));
    QCOMPARE(entries(folder), before);
    QCOMPARE(m_scenario->shown(), m_scenario->expectedTexts(true));
    SaveScenario::compare(m_scenario->state(), state);
    QCOMPARE(m_scenario->window()->isVisible(), kind != Kind::Settings);
    if (kind == Kind::Settings) {
        QCOMPARE(m_scenario->lastShownAs(), std::make_pair(Prompter::Icon::Warning, Prompter::Buttons::Ok));
        // Shown and closed once more, the window tries again but says it only once.
        m_scenario->window()->show();
        m_scenario->save();
        QCOMPARE(m_scenario->shown(), m_scenario->expectedTexts(true));
    }
}

QTEST_MAIN(TestRefusedSaves)
#include "tst_refusedsaves.moc"
