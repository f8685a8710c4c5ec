#pragma once

#include "donation/launchprogram.h"

// The real launcher: a named program through QProcess, never a shell; an address or a document
// through the desktop's default handler.
class SystemLauncher : public ProgramLauncher
{
public:
    bool LaunchProgram(const QString &file, const QString &parameters, const QString &directory, int show) override;
};
