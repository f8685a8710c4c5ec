#include "text/textsizebox.h"

#include <QLineEdit>

TextSizeBox::TextSizeBox(QWidget *parent)
    : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    // A size the box takes comes as valueChanged; what it does not take changes no value, so it is told
    // here. Only what the user types: a size set from a file or the settings is no edit.
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString &text) {
        QString typed = text;
        int position = 0;
        if (validate(typed, position) != QValidator::Acceptable)
            emit refused();
    });
}

QValidator::State TextSizeBox::validate(QString &input, int &) const
{
    if (input.isEmpty())
        return QValidator::Intermediate;
    bool number = false;
    const int size = input.toInt(&number);
    if (!number || input.size() > 3 || input.startsWith(QLatin1Char('-')) || input.startsWith(QLatin1Char('+')))
        return QValidator::Invalid;
    return size >= minimum() && size <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void TextSizeBox::stepBy(int steps)
{
    QSpinBox::stepBy(steps);
    emit stepped();
}
