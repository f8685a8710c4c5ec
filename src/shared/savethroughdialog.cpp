#include "shared/savethroughdialog.h"

#include "shared/filenames.h"
#include "shared/messages.h"
#include "shared/prompter.h"

#include <QDir>
#include <QFileInfo>

SaveOutcome saveThroughDialog(Prompter &prompter, FileDialogState &dialog, const QString &extension,
                              const std::function<SaveOutcome(const QString &path)> &write)
{
    QString path = prompter.chooseFileToSave({dialog.folder, dialog.filter, dialog.fileName, false});
    if (path.isEmpty())
        return SaveOutcome::Declined;
    path = FileNames::completeExtension(path, extension);
    dialog.fileName = path;
    dialog.folder = QFileInfo(path).path();

    if (QFileInfo::exists(path)
        && prompter.ask(Prompter::Icon::Warning, Messages::fileExists(QDir::toNativeSeparators(path)),
                        Prompter::Buttons::YesNo)
               != Prompter::Answer::Yes)
        return SaveOutcome::NotSaved;
    return write(path);
}
