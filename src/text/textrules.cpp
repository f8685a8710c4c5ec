#include "text/textrules.h"

#include <Qt>

namespace TextRules {

QString characterOfCaption(const QString &caption)
{
    // A character outside the Basic Multilingual Plane takes two code units: both, or none at all.
    if (caption.size() >= 2 && caption.at(0).isHighSurrogate() && caption.at(1).isLowSurrogate())
        return caption.left(2);
    return caption.left(1);
}

bool releaseStepsCaretBack(int qtKey, const QString &typedText)
{
    switch (qtKey) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return false;
    default:
        break;
    }
    if (typedText.isEmpty())
        return false;
    const QChar first = typedText.at(0);
    return first.isPrint() || first == QLatin1Char(' ') || first == QLatin1Char('\t');
}

} // namespace TextRules
