#include "app/dialogprompter.h"

#include "app/qtfrench.h"
#include "shared/messages.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// The program's filters are written "Name|pattern|Name|pattern"; QFileDialog wants "Name (pattern);;...".
QString qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int index = 0; index + 1 < parts.size(); index += 2)
        entries << parts.at(index) + QStringLiteral(" (") + parts.at(index + 1) + QLatin1Char(')');
    return entries.join(QStringLiteral(";;"));
}

QString startPath(const Prompter::FileRequest &request)
{
    if (request.fileName.isEmpty())
        return request.folder;
    if (QDir::isAbsolutePath(request.fileName) || request.folder.isEmpty())
        return request.fileName;
    return QDir(request.folder).filePath(request.fileName);
}

} // namespace

Prompter::Answer DialogPrompter::ask(Icon icon, const QString &text, Buttons buttons)
{
    QtFrench::install();
    QMessageBox box(m_parent);
    box.setWindowTitle(Messages::applicationTitle());
    box.setText(text);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return Answer::Cancel;
    }
}

QString DialogPrompter::chooseFileToOpen(const FileRequest &request)
{
    QtFrench::install();
    return QFileDialog::getOpenFileName(m_parent, QString(), startPath(request), qtFilter(request.filter));
}

QString DialogPrompter::chooseFileToSave(const FileRequest &request)
{
    QtFrench::install();
    QFileDialog::Options options;
    if (!request.confirmOverwrite)
        options |= QFileDialog::DontConfirmOverwrite;
    return QFileDialog::getSaveFileName(m_parent, QString(), startPath(request), qtFilter(request.filter),
                                        nullptr, options);
}

std::optional<QColor> DialogPrompter::chooseColor(const QColor &initial)
{
    QtFrench::install();
    const QColor chosen = QColorDialog::getColor(initial, m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}
