#include "keyboards/characterset.h"

#include "text/codepage.h"

namespace CharacterSet {

QString character(int code)
{
    return QString(CodePage::toUnicode(static_cast<unsigned char>(code)));
}

QStringList all()
{
    QStringList characters;
    characters.reserve(Count);
    for (int code = FirstCode; code <= LastCode; ++code)
        characters << character(code);
    return characters;
}

QString shownCode(const QString &text)
{
    if (!hasNoGlyph(text))
        return QString();
    return QString::number(text.at(0).unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

QString captionFor(const QString &character)
{
    return character == QLatin1String("&") ? QStringLiteral("&&") : character;
}

int codeOfCaption(const QString &caption)
{
    unsigned char byte = 0;
    if (caption.isEmpty() || !CodePage::fromUnicode(caption.at(0), &byte))
        return -1;
    return byte;
}

QStringList largeCaptions(int index)
{
    QStringList captions;
    for (int offset = 0; offset < LargeButtonCount; ++offset) {
        const int item = index + offset;
        captions << (index >= 0 && item < Count ? captionFor(character(item + FirstCode)) : QStringLiteral(" "));
    }
    return captions;
}

int steppedIndex(int firstCode, bool up)
{
    int index = (up ? firstCode - SpinnerIncrement : firstCode + SpinnerIncrement) - FirstCode;
    // Round towards minus infinity: -3 gives -5, not 0.
    index -= ((index % SpinnerIncrement) + SpinnerIncrement) % SpinnerIncrement;
    const int lastStart = (Count - 1) / SpinnerIncrement * SpinnerIncrement;
    return qBound(0, index, lastStart);
}

bool hasNoGlyph(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar character : text) {
        if (character.category() != QChar::Other_Control)
            return false;
    }
    return true;
}

} // namespace CharacterSet
