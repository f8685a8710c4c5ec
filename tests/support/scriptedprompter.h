#pragma once

#include "shared/prompter.h"

#include <QList>
#include <QString>
#include <QStringList>

// Answers the program's dialogs in the order a test scripts them, and records every text shown.
// A dialog nobody scripted is answered Cancel (or no file, no colour) and still recorded, so a
// test that did not expect it fails on its assertion of what was shown.
class ScriptedPrompter : public Prompter
{
public:
    struct Shown
    {
        Icon icon;
        QString text;
        Buttons buttons;
    };

    QList<Answer> answers;
    QStringList files;
    QList<QColor> colours;   // an invalid colour stands for a cancelled colour dialog

    QList<Shown> shown;
    QList<FileRequest> fileRequests;

    Answer ask(Icon icon, const QString &text, Buttons buttons) override
    {
        shown.append({icon, text, buttons});
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }

    QString chooseFileToOpen(const FileRequest &request) override { return nextFile(request); }
    QString chooseFileToSave(const FileRequest &request) override { return nextFile(request); }

    std::optional<QColor> chooseColor(const QColor &) override
    {
        if (colours.isEmpty() || !colours.first().isValid()) {
            if (!colours.isEmpty())
                colours.removeFirst();
            return std::nullopt;
        }
        return colours.takeFirst();
    }

    QStringList texts() const
    {
        QStringList result;
        for (const Shown &entry : shown)
            result << entry.text;
        return result;
    }

private:
    QString nextFile(const FileRequest &request)
    {
        fileRequests.append(request);
        return files.isEmpty() ? QString() : files.takeFirst();
    }
};
