#include "text/textsizebox.h"

TextSizeBox::TextSizeBox(QWidget *parent)
    : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
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
