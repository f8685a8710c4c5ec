#pragma once

#include <QColor>
#include <QString>

#include <optional>

// The one door to modal dialogs: questions, notices, file and colour choosers.
// The program shows them through DialogPrompter; tests answer them with a scripted double.
class Prompter
{
public:
    enum class Icon { None, Information, Warning, Question };
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    // What a file chooser starts with; the chosen path, or an empty string when cancelled, comes back.
    struct FileRequest
    {
        QString folder;
        QString filter;
        QString fileName;
        bool confirmOverwrite = false;
    };

    virtual ~Prompter() = default;

    virtual Answer ask(Icon icon, const QString &text, Buttons buttons) = 0;
    virtual QString chooseFileToOpen(const FileRequest &request) = 0;
    virtual QString chooseFileToSave(const FileRequest &request) = 0;
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;

    // A plain notice: an OK button and no icon.
    void tell(const QString &text) { ask(Icon::None, text, Buttons::Ok); }
};
