#pragma once

#include "donation/launchprogram.h"

#include <QList>
#include <QStringList>

// Records every launch instead of starting anything; the names in `starting` succeed, all else fails.
class RecordingLauncher : public ProgramLauncher
{
public:
    QStringList starting;
    QList<QStringList> attempts;   // file, parameters

    bool LaunchProgram(const QString &file, const QString &parameters, const QString &, int show) override
    {
        attempts.append({file, parameters, QString::number(show)});
        return starting.contains(file);
    }
};
