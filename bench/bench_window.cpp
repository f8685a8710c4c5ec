// Times what a user waits for inside the window: a key click and "Annuler" on long texts, opening and
// saving a 10 MB document, and a change of font. Each figure is printed beside a floor measured in
// the same run (the same work done by bare Qt widgets), so a busy machine still gives a fair ratio.
#include "app/mainwindow.h"
#include "keyboards/characternames.h"
#include "keyboards/charactersearch.h"
#include "notebookpages.h"
#include "recordinglauncher.h"
#include "residentmemory.h"
#include "scriptedprompter.h"
#include "text/codepage.h"
#include "documents/documentloader.h"
#include "text/textcommands.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(int runs, const std::function<void()> &work, const std::function<void()> &prepare = {})
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QString longText(qsizetype bytes)
{
    const QString line = QStringLiteral("Été comme hiver, à Noël : « œuvre » — 10 € et des accents çà et là.\n");
    QString text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes)
        text += line;
    return text;
}

void report(const char *what, double ms, double floorMs, const char *goal)
{
    std::printf("%-34s %9.2f ms   floor %9.2f ms   ratio %5.2f   goal %s\n", what, ms, floorMs,
                floorMs > 0 ? ms / floorMs : 0.0, goal);
    std::fflush(stdout);
}

void clicks(MainWindow &window, qsizetype bytes, const char *name, const char *clickGoal, const char *undoGoal)
{
    auto *texte = window.findChild<QPlainTextEdit *>(QStringLiteral("texte"));
    auto *key = window.findChild<QPushButton *>(QStringLiteral("tchA"));
    auto *annuler = window.findChild<QPushButton *>(QStringLiteral("supprimer"));
    const QString text = longText(bytes);
    texte->setPlainText(text);
    QTextCursor middle = texte->textCursor();
    middle.setPosition(int(text.size() / 2));
    texte->setTextCursor(middle);

    const double click = medianMs(15, [key] { key->click(); });
    const double undo = medianMs(5, [annuler] { annuler->click(); }, [key] { key->click(); });

    QPlainTextEdit bare;
    bare.setPlainText(text);
    bare.setTextCursor(middle);
    const double bareInsert = medianMs(15, [&bare] { bare.insertPlainText(QStringLiteral("A")); });
    const double bareReplace = medianMs(5, [&bare, &text] {
        QTextCursor all(bare.document());
        all.select(QTextCursor::Document);
        all.insertText(text);
    });
    report((QByteArray("key click, ") + name).constData(), click, bareInsert, clickGoal);
    report((QByteArray("Annuler, ") + name).constData(), undo, bareReplace, undoGoal);
}

// A document of about `bytes` bytes, Windows-1252 with Tapoli's header (.tpo) or UTF-8 (.txt), CR LF.
void writeDocument(const QString &path, qsizetype bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QByteArray body;
    if (path.endsWith(QLatin1String(".tpo")))
        body = "[TAPOLI]\r\nPolice=DejaVu Sans\r\nTaillePol=12\r\nAlignement=0\r\n[TXT]\r\n"
               + CodePage::encode(longText(bytes)).replace("\n", "\r\n");
    else
        body = longText(bytes).toUtf8().replace("\n", "\r\n");
    body.truncate(body.lastIndexOf('\n', bytes - 1) + 1);
    file.write(body);
}

// "Charger..." until the whole text is in the text area.
void openWhole(MainWindow &window, ScriptedPrompter &prompter, const QString &path)
{
    prompter.files = {path};
    window.findChild<QAction *>(QStringLiteral("Charger"))->trigger();
    const auto *loader = window.findChild<DocumentLoader *>();
    while (!loader->isWhole())
        QApplication::processEvents();
}

struct Opening
{
    double wholeMs = 0;
    double longestPauseMs = 0;   // the longest the window went without answering meanwhile
};

// "Charger..." until whole, with the longest gap between two turns of the window's event loop.
Opening timeOpening(MainWindow &window, ScriptedPrompter &prompter, const QString &path)
{
    QElapsedTimer sinceStart, sinceEvents;
    Opening opening;
    QTimer beat;
    beat.setInterval(0);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        opening.longestPauseMs = std::max(opening.longestPauseMs, sinceEvents.nsecsElapsed() / 1e6);
        sinceEvents.start();
    });
    beat.start();
    sinceStart.start();
    sinceEvents.start();
    openWhole(window, prompter, path);
    // Shown, as the floor's text is: the first paint of the text lays out what it shows.
    QApplication::processEvents();
    opening.wholeMs = sinceStart.nsecsElapsed() / 1e6;
    opening.longestPauseMs = std::max(opening.longestPauseMs, sinceEvents.nsecsElapsed() / 1e6);
    return opening;
}

// The floor of opening: the file read, decoded and put whole into a bare text edit that lays its lines
// out as Tapoli's text area does (same font, no wrapping), in one go.
double bareOpening(const QString &path, const QFont &font)
{
    QPlainTextEdit bare;
    bare.setFont(font);
    bare.setLineWrapMode(QPlainTextEdit::NoWrap);
    bare.show();
    QApplication::processEvents();
    return medianMs(1, [&bare, &path] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        bare.setPlainText(QString::fromLatin1(file.readAll()));
        QApplication::processEvents();
    });
}

// The largest document Tapoli opens: the time until it is whole, and the longest the window goes without
// answering meanwhile (its events, a repaint among them, wait no longer than that).
void largestDocument(MainWindow &window, ScriptedPrompter &prompter, const QString &folder)
{
    const QString path = folder + QStringLiteral("/plus-grand.tpo");
    writeDocument(path, 64 * 1024 * 1024 - 100);
    const Opening opening = timeOpening(window, prompter, path);
    double bareOpen = 0;
    {
        QPlainTextEdit bare;
        bareOpen = medianMs(1, [&bare, &path] {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            bare.setPlainText(QString::fromLatin1(file.readAll()));
        });
    }
    report("open 64 MiB Windows-1252 + header", opening.wholeMs, bareOpen, "< 3000 ms");
    std::printf("%-34s %9.2f ms   goal <= 100 ms\n", "longest unanswered, opening 64 MiB", opening.longestPauseMs);
    std::fflush(stdout);
    QFile::remove(path);
}

// Documents whose lines are long: one line of 1, 2 and 4 MiB (a text pasted from elsewhere, a file
// without line breaks), and 4 MiB in lines of 10 KB. The time grows with the size, whatever the lines.
void longLines(MainWindow &window, ScriptedPrompter &prompter, const QString &folder)
{
    const QFont font = window.findChild<QPlainTextEdit *>(QStringLiteral("texte"))->font();
    struct Case
    {
        const char *name;
        qsizetype bytes;
        qsizetype lineBytes;   // 0: one line
    };
    const Case all[] = {{"one line of 1 MiB", 1 << 20, 0},
                          {"one line of 2 MiB", 2 << 20, 0},
                          {"one line of 4 MiB", 4 << 20, 0},
                          {"4 MiB in lines of 10 KB", 4 << 20, 10 * 1000}};
    // TAPOLI_BENCH_CASE=N: that case alone, for a profiler.
    const int only = qEnvironmentVariableIntValue("TAPOLI_BENCH_CASE");
    double previousMs = 0;
    for (const Case &each : all) {
        if (only > 0 && &each != &all[only - 1])
            continue;
        const QString path = folder + QStringLiteral("/longues-lignes.txt");
        QByteArray body = CodePage::encode(longText(each.bytes).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        body.truncate(each.bytes);
        for (qsizetype at = each.lineBytes; each.lineBytes > 0 && at < body.size(); at += each.lineBytes)
            body.replace(at - 2, 2, "\r\n");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(body);
        file.close();
        const Opening opening = timeOpening(window, prompter, path);
        const double floorMs = bareOpening(path, font);
        report((QByteArray("open ") + each.name).constData(), opening.wholeMs, floorMs, "<= 1.2 x floor");
        std::printf("%-34s %9.2f ms   floor's single insert %9.2f ms\n", "  longest unanswered meanwhile",
                    opening.longestPauseMs, floorMs);
        if (each.lineBytes == 0 && previousMs > 0)
            std::printf("%-34s %9.2f        goal <= 2\n", "  time beside half the size", opening.wholeMs / previousMs);
        std::fflush(stdout);
        previousMs = opening.wholeMs;
        QFile::remove(path);
    }
}

void files(MainWindow &window, ScriptedPrompter &prompter, const QString &folder)
{
    const QString cp1252Path = folder + QStringLiteral("/grand.tpo");
    const QString utf8Path = folder + QStringLiteral("/grand-utf8.txt");
    writeDocument(cp1252Path, 10 * 1000 * 1000);
    writeDocument(utf8Path, 10 * 1000 * 1000);
    auto *sauver = window.findChild<QAction *>(QStringLiteral("Sauver"));
    auto *key = window.findChild<QPushButton *>(QStringLiteral("tchA"));
    for (const QString &path : {cp1252Path, utf8Path}) {
        const bool utf8 = path == utf8Path;
        const double open = medianMs(3, [&] { openWhole(window, prompter, path); });
        // A key click first, so that there is a change to save and "Sauver" is on.
        const double save = medianMs(
            3,
            [&] {
                prompter.answers = {Prompter::Answer::Yes};
                sauver->trigger();
            },
            [key] { key->click(); });
        QPlainTextEdit bare;
        const double bareOpen = medianMs(3, [&bare, &path, utf8] {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            const QByteArray bytes = file.readAll();
            bare.setPlainText(utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes));
        });
        const QString copy = path + QStringLiteral(".copie");
        const double bareSave = medianMs(3, [&bare, &copy] {
            QFile file(copy);
            file.open(QIODevice::WriteOnly);
            file.write(bare.toPlainText().toLatin1());
        });
        report(utf8 ? "open 10 MB UTF-8" : "open 10 MB Windows-1252 + header", open, bareOpen, "< 1000 ms");
        report(utf8 ? "save 10 MB UTF-8" : "save 10 MB Windows-1252 + header", save, bareSave, "< 500 ms");
    }
}

void fontChange(MainWindow &window)
{
    // Every page open once, so that the change reaches all 315 buttons, as after a user has seen them.
    openEveryPage(&window);
    auto *polices = window.findChild<QComboBox *>(QStringLiteral("polices"));
    int flip = 0;
    const double change = medianMs(7, [polices, &flip] {
        const int index = (flip++ % 2) ? polices->findText(QStringLiteral("DejaVu Sans"))
                                       : polices->findText(QStringLiteral("DejaVu Serif"));
        polices->setCurrentIndex(index);
        emit polices->activated(index);
    });

    QWidget bare;
    std::vector<QWidget *> widgets;
    for (int index = 0; index < 315; ++index)
        widgets.push_back(new QPushButton(QStringLiteral("A"), &bare));
    widgets.push_back(new QListWidget(&bare));
    widgets.push_back(new QListWidget(&bare));
    widgets.push_back(new QPlainTextEdit(&bare));
    bare.show();
    int bareFlip = 0;
    const double floorChange = medianMs(7, [&widgets, &bareFlip] {
        const QString family = (bareFlip++ % 2) ? QStringLiteral("DejaVu Sans") : QStringLiteral("DejaVu Serif");
        for (QWidget *widget : widgets) {
            QFont font = widget->font();
            font.setFamily(family);
            widget->setFont(font);
        }
    });
    report("font change, every button and list", change, floorChange, "< 50 ms");
}

// What the search window does for each key typed into its line, query after query, beside the floor: the
// same keys matched as plain pieces of the 224 names, the bare buttons then given the characters found.
void search(MainWindow &window)
{
    const QStringList queries{QStringLiteral("cedille maj"), QStringLiteral("guillemet gauche"),
                              QStringLiteral("U+00AB"), QStringLiteral("&eacute;"), QStringLiteral("Alt+0233"),
                              QStringLiteral("e aigu"), QStringLiteral("lettre minuscule latine")};
    // Built the first time it is asked for: that first opening is what the user waits for once.
    const double opening = medianMs(1, [&window] {
        window.findChild<QAction *>(QStringLiteral("RechercherCaractere"))->trigger();
        QApplication::processEvents();
    });
    auto *line = window.findChild<QLineEdit *>(QStringLiteral("recherche"));
    std::vector<double> keys, finds;
    const CharacterSearch rules;
    for (const QString &query : queries) {
        for (qsizetype typed = 1; typed <= query.size(); ++typed) {
            // Each key five times over, from the text before it: one run can meet the machine busy.
            const QString text = query.left(typed), before = query.left(typed - 1);
            keys.push_back(medianMs(5, [line, &text] { line->setText(text); }, [line, &before] { line->setText(before); }));
            finds.push_back(medianMs(5, [&rules, &text] { rules.find(text); }));
        }
        line->clear();
    }

    QWidget bare;
    std::vector<QPushButton *> buttons;
    QStringList names;
    for (int code = 32; code <= 255; ++code) {
        buttons.push_back(new QPushButton(&bare));
        names << CharacterNames::frenchName(code);
    }
    bare.show();
    const auto bareSearch = [&buttons, &names](const QString &text) {
        size_t shown = 0;
        for (int index = 0; index < int(names.size()); ++index) {
            if (!text.isEmpty() && names.at(index).contains(text, Qt::CaseInsensitive))
                buttons[shown++]->setText(CodePage::decode(QByteArray(1, char(index + 32))));
        }
        for (size_t index = 0; index < buttons.size(); ++index)
            buttons[index]->setVisible(index < shown);
    };
    std::vector<double> bareKeys;
    for (const QString &query : queries) {
        for (qsizetype typed = 1; typed <= query.size(); ++typed) {
            const QString text = query.left(typed), before = query.left(typed - 1);
            bareKeys.push_back(medianMs(5, [&] { bareSearch(text); }, [&] { bareSearch(before); }));
        }
    }
    const auto median = [](std::vector<double> times) {
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    report("search per key, window", median(keys), median(bareKeys), "<= 2 ms");
    report("search per key, window, slowest", *std::max_element(keys.begin(), keys.end()),
           *std::max_element(bareKeys.begin(), bareKeys.end()), "<= 2 ms");
    std::printf("%-34s %9.3f ms   goal <= 2 ms\n", "search per key, matching alone", median(finds));
    std::printf("%-34s %9.2f ms   goal <= 100 ms\n", "search window, first opening", opening);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    // bench_window --write PATH BYTES: writes the kind of document the figures below open.
    if (argc == 4 && QByteArray(argv[1]) == "--write") {
        writeDocument(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toLongLong());
        return 0;
    }
    QApplication application(argc, argv);
    QTemporaryDir home;
    qputenv("TAPOLI_CONFIG_DIR", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    MainWindow window(prompter, launcher, {});
    window.show();
    QApplication::processEvents();

    // bench_window --memory FILE: the resident memory once FILE is open and shown, beside `bench_floor
    // --text FILE --memory`, each in a process of its own.
    if (argc == 3 && QByteArray(argv[1]) == "--memory") {
        openWhole(window, prompter, QString::fromLocal8Bit(argv[2]));
        QApplication::processEvents();
        std::printf("%ld\n", residentKib());
        return 0;
    }

    // bench_window --long-lines: only the documents of long lines.
    if (argc == 2 && QByteArray(argv[1]) == "--long-lines") {
        longLines(window, prompter, home.path());
        return 0;
    }
    // bench_window --search: the search window's figures alone.
    if (argc == 2 && QByteArray(argv[1]) == "--search") {
        search(window);
        return 0;
    }

    clicks(window, 1000 * 1000, "1 MB", "<= 2 ms", "-");
    clicks(window, 10 * 1000 * 1000, "10 MB", "<= 20 ms", "<= 50 ms");
    files(window, prompter, home.path());
    fontChange(window);
    longLines(window, prompter, home.path());
    search(window);
    largestDocument(window, prompter, home.path());
    return 0;
}
