#pragma once

#include <QString>

// Starts a program, or opens a document or web address with its default handler, and says whether
// it started.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;
    // show: 0 normal, 1 minimised, 2 maximised; the desktop decides on Linux, so it is only passed on.
    virtual bool LaunchProgram(const QString &file, const QString &parameters, const QString &directory, int show) = 0;
};

// Tries the browsers by name, then the system's default handler, stopping at the first that starts.
bool openInBrowser(ProgramLauncher &launcher, const QString &address);
