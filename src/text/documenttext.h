#pragma once

#include <QString>
#include <QTextDocument>

// Text taken out of the text area, with its line breaks as "\n". A line separator (U+2028, which a
// paste can bring) breaks the line on screen, so it is a line break in the file too, not three bytes
// of UTF-8 inside one line.
inline QString withPlainLineBreaks(QString text)
{
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

// The text of the text area exactly as typed. QTextDocument::toPlainText() turns no-break spaces
// (code 160, one of the keys) into plain spaces, which would change the user's text on every save,
// undo and copy; the raw text keeps them.
inline QString documentText(const QTextDocument *document)
{
    return withPlainLineBreaks(document->toRawText());
}
