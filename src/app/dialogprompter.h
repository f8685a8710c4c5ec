#pragma once

#include "shared/prompter.h"

#include <QPointer>
#include <QWidget>

// Prompter that shows the real QMessageBox, QFileDialog and QColorDialog over the main window.
class DialogPrompter : public Prompter
{
public:
    void setDialogParent(QWidget *parent) { m_parent = parent; }

    Answer ask(Icon icon, const QString &text, Buttons buttons) override;
    QString chooseFileToOpen(const FileRequest &request) override;
    QString chooseFileToSave(const FileRequest &request) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;

private:
    QPointer<QWidget> m_parent;
};
