#include "savescenario.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <dlfcn.h>
#include <memory>

#include <unistd.h>

using Kind = SaveScenario::Kind;

// The controls of libtapoli_faultshim, found in the running program: all null when it was not preloaded.
struct FaultShim
{
    int (*arm)(const char *call, int nth, int error) = nullptr;
    void (*limitWrites)(size_t bytes) = nullptr;
    void (*disarm)() = nullptr;
    int (*counted)() = nullptr;
    int (*fired)() = nullptr;

    bool isLoaded() const { return arm && limitWrites && disarm && counted && fired; }

    void resolve()
    {
        find(arm, "tapoli_fault_arm");
        find(limitWrites, "tapoli_fault_limit_writes");
        find(disarm, "tapoli_fault_disarm");
        find(counted, "tapoli_fault_counted");
        find(fired, "tapoli_fault_fired");
    }

private:
    template<typename Function> static void find(Function &function, const char *name)
    {
        function = reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
    }
};

class TestSaveFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void faultedSaveKeepsOldFile_data();
    void faultedSaveKeepsOldFile();
    void unfaultedSaveReplacesFile_data();
    void unfaultedSaveReplacesFile();

private:
    QStringList folderEntries() const;
    QByteArray readFile(const QString &path) const;
    QString secondName() const { return QDir(m_folder).filePath(QStringLiteral("autre nom")); }
    void startScenario(Kind kind, bool linked);

    FaultShim m_shim;
    std::unique_ptr<QTemporaryDir> m_root;
    QString m_folder;
    std::unique_ptr<SaveScenario> m_scenario;
};

void TestSaveFaults::initTestCase()
{
    m_shim.resolve();
    if (!m_shim.isLoaded())
        QSKIP("libtapoli_faultshim is not preloaded, so no fault can be injected: run this test through "
              "CTest, which sets LD_PRELOAD to it");
    const QString faultFolder = qEnvironmentVariable("TAPOLI_FAULT_DIR");
    QVERIFY2(QDir::isAbsolutePath(faultFolder),
             "TAPOLI_FAULT_DIR must name an absolute folder: the shim counts only calls on files under it");
    QVERIFY(QDir().mkpath(faultFolder));
    m_root = std::make_unique<QTemporaryDir>(faultFolder + QStringLiteral("/run-XXXXXX"));
    QVERIFY(m_root->isValid());
    // Layouts and settings live under the fault folder too, so that their saves can be failed.
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_root->filePath(QStringLiteral("data"))));
}

void TestSaveFaults::init()
{
    m_folder = m_root->filePath(QStringLiteral("files"));
    QVERIFY(QDir(m_folder).removeRecursively());
    QVERIFY(QDir().mkpath(m_folder));
    qputenv("TAPOLI_CONFIG_DIR", QFile::encodeName(m_root->filePath(QStringLiteral("config"))));
}

void TestSaveFaults::cleanup()
{
    if (m_shim.isLoaded())
        m_shim.disarm();
    m_scenario.reset();
}

QStringList TestSaveFaults::folderEntries() const
{
    // Hidden entries too: a leftover temporary file may start with a dot.
    return QDir(m_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                    QDir::Name);
}

QByteArray TestSaveFaults::readFile(const QString &path) const
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A linked file has a second name in the same folder: a save must change what both names hold, or neither.
void TestSaveFaults::startScenario(Kind kind, bool linked)
{
    m_scenario = std::make_unique<SaveScenario>(kind, m_folder);
    QFile old(m_scenario->target());
    QVERIFY(old.open(QIODevice::WriteOnly));
    QCOMPARE(old.write(SaveScenario::oldBytes(kind)), SaveScenario::oldBytes(kind).size());
    old.close();
    if (linked)
        QCOMPARE(::link(QFile::encodeName(m_scenario->target()).constData(), QFile::encodeName(secondName()).constData()), 0);
    m_scenario->start();
}

void TestSaveFaults::faultedSaveKeepsOldFile_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<int>("nth");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("bytesPerWrite");   // 0: each write stores all it is given
    QTest::addColumn<bool>("linked");

    struct Fault
    {
        const char *name;
        QByteArray call;
        int nth;
        int error;
        int bytesPerWrite;
    };
    // The second write only exists on a disk that stores only some of the first, as a filling disk does.
    const Fault faults[] = {
        {"write ENOSPC on the 1st", "write", 1, ENOSPC, 0},
        {"write EIO on the 2nd", "write", 2, EIO, 16},
        {"fsync EIO", "fsync", 1, EIO, 0},
        {"rename EIO", "rename", 1, EIO, 0},
        {"link EIO", "link", 1, EIO, 0},
    };
    // A file with two names is rewritten in place after a copy of its old bytes: the copy's write, its
    // sync and its folder's sync come first, then the file's own writes and sync.
    const Fault linkedFaults[] = {
        {"copy's write ENOSPC", "write", 1, ENOSPC, 0},
        {"copy's fsync EIO", "fsync", 1, EIO, 0},
        {"folder's fsync EIO", "fsync", 2, EIO, 0},
        {"first write in place EIO", "write", 2, EIO, 0},
        {"write in place EIO halfway", "write", 4, EIO, 16},
        {"fsync in place EIO", "fsync", 3, EIO, 0},
    };
    for (const Kind kind : SaveScenario::kinds()) {
        for (const Fault &fault : faults)
            QTest::addRow("%s, %s", SaveScenario::name(kind), fault.name)
                << kind << fault.call << fault.nth << fault.error << fault.bytesPerWrite << false;
        for (const Fault &fault : linkedFaults)
            QTest::addRow("%s, second name, %s", SaveScenario::name(kind), fault.name)
                << kind << fault.call << fault.nth << fault.error << fault.bytesPerWrite << true;
    }
}

void TestSaveFaults::faultedSaveKeepsOldFile()
{
    QFETCH(Kind, kind);
    QFETCH(QByteArray, call);
    QFETCH(int, nth);
    QFETCH(int, error);
    QFETCH(int, bytesPerWrite);
    QFETCH(bool, linked);
    startScenario(kind, linked);
    if (QTest::currentTestFailed())
        return;
    const QStringList entries = folderEntries();
    const SaveScenario::State before = m_scenario->state();

    QCOMPARE(m_shim.arm(call.constData(), nth, error), 0);
    m_shim.limitWrites(size_t(bytesPerWrite));
    m_scenario->save();
    const int fired = m_shim.fired();
    const int counted = m_shim.counted();
    m_shim.disarm();

    // A fault that never happened would prove nothing about the save.
    QVERIFY2(fired == 1, qPrintable(QStringLiteral("%1 calls of %2 under the folder, %3 failed")
                                        .arg(counted)
                                        .arg(QString::fromLatin1(call))
                                        .arg(fired)));
    QCOMPARE(readFile(m_scenario->target()), SaveScenario::oldBytes(kind));
    if (linked)
        QCOMPARE(readFile(secondName()), SaveScenario::oldBytes(kind));
    QCOMPARE(folderEntries(), entries);
    QCOMPARE(m_scenario->shown(), m_scenario->expectedTexts(true));
    SaveScenario::compare(m_scenario->state(), before);
    QCOMPARE(m_scenario->window()->isVisible(), kind != Kind::Settings);
}

void TestSaveFaults::unfaultedSaveReplacesFile_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("linked");
    for (const Kind kind : SaveScenario::kinds()) {
        QTest::newRow(SaveScenario::name(kind)) << kind << false;
        QTest::addRow("%s, second name", SaveScenario::name(kind)) << kind << true;
    }
}

// The same saves with the shim armed for a call that never comes: the file is replaced, so the
// faulted rows keep the old bytes because of the fault, not because the save never reached the disk.
void TestSaveFaults::unfaultedSaveReplacesFile()
{
    QFETCH(Kind, kind);
    QFETCH(bool, linked);
    startScenario(kind, linked);
    if (QTest::currentTestFailed())
        return;
    const QStringList entries = folderEntries();

    QCOMPARE(m_shim.arm("write", 1000000, EIO), 0);
    m_scenario->save();
    const int writes = m_shim.counted();
    m_shim.disarm();

    QVERIFY(writes > 0);
    QCOMPARE(m_shim.fired(), 0);
    const QByteArray bytes = readFile(m_scenario->target());
    QVERIFY2(bytes != SaveScenario::oldBytes(kind), bytes.constData());
    QVERIFY(!bytes.isEmpty());
    if (linked)
        QCOMPARE(readFile(secondName()), bytes);
    QCOMPARE(folderEntries(), entries);
    QCOMPARE(m_scenario->shown(), m_scenario->expectedTexts(false));
    const SaveScenario::State after = m_scenario->state();
    switch (kind) {
    case Kind::SaveAs:
        QCOMPARE(after.documentFileName, m_scenario->target());
        QCOMPARE(after.title, QStringLiteral("Tapoli v4.2 [") + m_scenario->target() + QLatin1Char(']'));
        QVERIFY(!after.textModified);
        break;
    case Kind::Save:
        QVERIFY(!after.textModified);
        break;
    case Kind::Layout:
        QCOMPARE(after.keyboardFileName, m_scenario->target());
        QCOMPARE(after.nomClavier, QStringLiteral("clavier"));
        QVERIFY(!after.keyboardModified);
        break;
    case Kind::Settings:
        QVERIFY(!m_scenario->window()->isVisible());
        break;
    }
}

QTEST_MAIN(TestSaveFaults)
#include "tst_savefaults.moc"
