#include "text/textrules.h"

#include <Qt>

namespace TextRules {

QString characterOfCaption(const QString &caption)
{
    return caption.left(1);
}

bool releaseStepsCaretBack(int qtKey, const QString &typedText)
{
    switch (qtKey) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        return false;
    default:
        break;
    }
    if (typedText.isEmpty())
        return false;
    const QChar first = typedText.at(0);
    return first.isPrint() || first == QLatin1Char(' ');
}

} // namespace TextRules
