// The application a user types into while Tapoli writes into the active window: one text field, which
// writes what it holds into the file named on the command line at every change.
#include <QApplication>
#include <QFile>
#include <QLineEdit>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    const QString output = QString::fromLocal8Bit(argv[1]);
    QLineEdit field;
    field.setWindowTitle(QStringLiteral("Cible Tapoli"));
    QObject::connect(&field, &QLineEdit::textChanged, [&output](const QString &text) {
        QFile file(output);
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
    });
    field.resize(320, 40);
    field.move(760, 40);
    field.show();
    return QApplication::exec();
}
