#include "text/textrules.h"

#include <Qt>

namespace TextRules {

bool isControl(char32_t character)
{
    return character < 0x20 || (character >= 0x7F && character <= 0x9F);
}

QString characterOfCaption(const QString &caption)
{
    if (!caption.isEmpty() && isControl(caption.at(0).unicode()))
        return QString();
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
