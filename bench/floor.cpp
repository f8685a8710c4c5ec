// The floor Tapoli's start-up is measured against: a bare Qt Widgets window holding the same widgets
// (a text area, a three-page notebook of 81, 224 and 10 push buttons, two lists of 224 characters),
// with none of the program's own work.
#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    auto *central = new QWidget;
    auto *column = new QVBoxLayout(central);
    column->addWidget(new QPlainTextEdit);
    auto *notebook = new QTabWidget;
    const int counts[3] = {81, 224, 10};
    for (int page = 0; page < 3; ++page) {
        auto *buttons = new QWidget;
        for (int index = 0; index < counts[page]; ++index)
            (new QPushButton(QString(QChar(char16_t(33 + index % 90))), buttons))
                ->setGeometry((index % 20) * 30, (index / 20) * 30, 30, 30);
        notebook->addTab(buttons, QString::number(page));
    }
    column->addWidget(notebook);
    for (int list = 0; list < 2; ++list) {
        auto *characters = new QListWidget;
        for (int code = 32; code < 256; ++code)
            characters->addItem(QString(QChar(char16_t(code))));
        column->addWidget(characters);
    }
    window.setCentralWidget(central);
    window.setWindowTitle(QStringLiteral("floor"));
    window.resize(719, 434);
    window.show();
    return QApplication::exec();
}
