#pragma once

#include <QString>
#include <QStringList>

// The command-line options Tapoli answers by itself, without a window and without a display.
namespace CommandLine {

// The program's arguments as Qt strings; argv holds UTF-8 on every desktop Tapoli runs on.
QStringList arguments(int argc, char *argv[]);

// The help or version text that -h/--help or -v/--version asks for, ready for standard output;
// empty when the program should start. Every other argument is left alone: Qt takes its own options
// and the main window opens the document.
QString answer(const QStringList &arguments);

} // namespace CommandLine
