// Times what a user waits for inside the window: a key click and "Annuler" on long texts, opening and
// saving a 10 MB document, and a change of font. Each figure is printed beside a floor measured in
// the same run (the same work done by bare Qt widgets), so a busy machine still gives a fair ratio.
#include "app/mainwindow.h"
#include "notebookpages.h"
#include "recordinglauncher.h"
#include "scriptedprompter.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

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

void files(MainWindow &window, ScriptedPrompter &prompter, const QString &folder)
{
    const QString text = longText(10 * 1000 * 1000);
    const QString cp1252Path = folder + QStringLiteral("/grand.tpo");
    const QString utf8Path = folder + QStringLiteral("/grand-utf8.txt");
    {
        QFile file(cp1252Path);
        file.open(QIODevice::WriteOnly);
        QByteArray body = "[TAPOLI]\r\nPolice=DejaVu Sans\r\nTaillePol=12\r\nAlignement=0\r\n[TXT]\r\n";
        body += text.toLatin1().replace("\n", "\r\n");
        file.write(body);
        QFile utf8(utf8Path);
        utf8.open(QIODevice::WriteOnly);
        utf8.write(text.toUtf8().replace("\n", "\r\n"));
    }
    auto *charger = window.findChild<QAction *>(QStringLiteral("Charger"));
    auto *sauver = window.findChild<QAction *>(QStringLiteral("Sauver"));
    auto *key = window.findChild<QPushButton *>(QStringLiteral("tchA"));
    for (const QString &path : {cp1252Path, utf8Path}) {
        const bool utf8 = path == utf8Path;
        const double open = medianMs(3, [&] {
            prompter.files = {path};
            charger->trigger();
        });
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

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QTemporaryDir home;
    qputenv("TAPOLI_CONFIG_DIR", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
    MainWindow window(prompter, launcher, {});
    window.show();
    QApplication::processEvents();

    clicks(window, 1000 * 1000, "1 MB", "<= 2 ms", "-");
    clicks(window, 10 * 1000 * 1000, "10 MB", "<= 20 ms", "<= 50 ms");
    files(window, prompter, home.path());
    fontChange(window);
    return 0;
}
