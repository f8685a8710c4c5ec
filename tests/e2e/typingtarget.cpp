// The application a user types into while Tapoli writes into the active window: one text field, which
// writes what it holds into the file named on the command line at every change, and every key it
// receives, one per line, into that name followed by ".keys": its name, then the code of each character
// it types, in hexadecimal ("Esc 1b", "Del 7f"), so that a test sees keys that type nothing visible. With "--grab" after the file, it holds the keyboard from the start,
// as a program's menu or a locking dialog does, without ever having the focus.
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QTimer>
#include <QWindow>

#include <cstdlib>

// Below everything else: Xlib's names would clash with Qt's.
int lockGroup(int group);

namespace {

class KeyLog : public QObject
{
public:
    explicit KeyLog(const QString &path)
        : m_file(path)
    {
        m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
            const auto *key = static_cast<QKeyEvent *>(event);
            QByteArray line = QKeySequence(key->key()).toString().toUtf8();
            for (const QChar character : key->text())
                line += ' ' + QByteArray::number(character.unicode(), 16);
            m_file.write(line + '\n');
            m_file.flush();
        }
        return false;
    }

private:
    QFile m_file;
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 2 && QByteArray(argv[1]) == "--lock-group")
        return lockGroup(std::atoi(argv[2]));
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    const QString output = QString::fromLocal8Bit(argv[1]);
    const bool grab = argc > 2 && QByteArray(argv[2]) == "--grab";
    KeyLog keys(output + QStringLiteral(".keys"));
    application.installEventFilter(&keys);
    QLineEdit field;
    field.setWindowTitle(grab ? QStringLiteral("Cible Tapoli saisie") : QStringLiteral("Cible Tapoli"));
    QObject::connect(&field, &QLineEdit::textChanged, [&output](const QString &text) {
        QFile file(output);
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
    });
    field.resize(320, 40);
    field.move(760, grab ? 120 : 40);
    if (grab) {
        field.setAttribute(Qt::WA_ShowWithoutActivating);
        field.setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    }
    field.show();
    // The keyboard can be held once the window is on the screen; said then, so that the test goes on.
    QTimer grabbing;
    QObject::connect(&grabbing, &QTimer::timeout, [&] {
        QWindow *window = field.windowHandle();
        if (window && window->isExposed() && window->setKeyboardGrabEnabled(true)) {
            grabbing.stop();
            QFile ready(output + QStringLiteral(".grabbed"));
            ready.open(QIODevice::WriteOnly);
        }
    });
    if (grab)
        grabbing.start(50);
    return QApplication::exec();
}

#include <X11/XKBlib.h>

int lockGroup(int group)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display || !XkbLockGroup(display, XkbUseCoreKbd, unsigned(group)))
        return 1;
    XCloseDisplay(display);
    return 0;
}
