#pragma once

#include <QString>
#include <QTextDocument>

// The text of the text area exactly as typed. QTextDocument::toPlainText() turns no-break spaces
// (code 160, one of the keys) into plain spaces, which would change the user's text on every save,
// undo and copy; the raw text keeps them, with paragraph separators where the lines break.
inline QString documentText(const QTextDocument *document)
{
    QString text = document->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}
