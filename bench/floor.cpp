// The floor Tapoli is measured against: a bare Qt Widgets window holding the same widgets (a text area,
// a three-page notebook of 81, 224 and 10 push buttons, two lists of 224 characters), with none of the
// program's own work. Its first button types "A" into the text area, as a bare key would.
// Usage: bench_floor [--text FILE] [--memory | --places]
//   --text FILE   the text area starts with FILE's text (UTF-8, or Latin-1 when it is not UTF-8);
//   --memory      prints the resident memory in KiB once the window is painted, and ends;
//   --places      prints where the first button and the text area lie in the window, and stays.
#include "residentmemory.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStringDecoder>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>

namespace {

QString fileText(const char *path)
{
    QFile file(QString::fromLocal8Bit(path));
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const char *textFile = nullptr;
    bool memory = false, places = false;
    for (int index = 1; index < argc; ++index) {
        if (std::strcmp(argv[index], "--text") == 0 && index + 1 < argc)
            textFile = argv[++index];
        memory = memory || std::strcmp(argv[index], "--memory") == 0;
        places = places || std::strcmp(argv[index], "--places") == 0;
    }
    QMainWindow window;
    auto *central = new QWidget;
    auto *column = new QVBoxLayout(central);
    // Laid out as Tapoli's window is: the text area on top, below it a list beside the notebook, whose
    // first page shows its keys (the second list waits on the second page).
    auto *text = new QPlainTextEdit;
    text->setFixedHeight(180);
    // Tapoli's first text: Arial at 12 points, lines unwrapped between two scroll bars (a line that grows
    // past the edge then moves the bar under it, in both programs alike).
    text->setFont(QFont(QStringLiteral("Arial"), 12));
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    column->addWidget(text);
    auto *row = new QHBoxLayout;
    column->addLayout(row);
    QPushButton *firstKey = nullptr;
    auto *notebook = new QTabWidget;
    const int counts[3] = {81, 224, 10};
    for (int page = 0; page < 3; ++page) {
        auto *buttons = new QWidget;
        for (int index = 0; index < counts[page]; ++index) {
            auto *button = new QPushButton(QString(QChar(char16_t(33 + index % 90))), buttons);
            button->setGeometry((index % 20) * 30, (index / 20) * 30, 30, 30);
            if (!firstKey)
                firstKey = button;
        }
        notebook->addTab(buttons, QString::number(page));
    }
    for (int list = 0; list < 2; ++list) {
        auto *characters = new QListWidget;
        for (int code = 32; code < 256; ++code)
            characters->addItem(QString(QChar(char16_t(code))));
        characters->setFixedWidth(40);
        if (list == 0)
            row->addWidget(characters);
        else
            notebook->widget(1)->setLayout(new QHBoxLayout), notebook->widget(1)->layout()->addWidget(characters);
    }
    row->addWidget(notebook);
    window.setCentralWidget(central);
    window.setWindowTitle(QStringLiteral("floor"));
    window.resize(719, 434);
    QObject::connect(firstKey, &QPushButton::clicked, text, [text] { text->insertPlainText(QStringLiteral("A")); });
    if (textFile)
        text->setPlainText(fileText(textFile));
    window.show();
    if (memory || places) {
        // After the first paint, as a user would see the window.
        QTimer::singleShot(0, &window, [&] {
            QApplication::processEvents();
            if (memory) {
                std::printf("%ld\n", residentKib());
                QApplication::quit();
                return;
            }
            const QPoint key = firstKey->mapTo(&window, firstKey->rect().center());
            const QRect area(text->mapTo(&window, QPoint()), text->size());
            std::printf("%d %d %d %d %d %d\n", key.x(), key.y(), area.x(), area.y(), area.width(), area.height());
            std::fflush(stdout);
        });
    }
    return QApplication::exec();
}
