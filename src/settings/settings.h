#pragma once

#include <QColor>
#include <QString>

// The user's choices that outlive a run, with the values a first start uses.
struct Settings
{
    QString fontName = QStringLiteral("Arial");
    int textSize = 12;
    QString keyboardFileName;
    int formTop = -1;
    int formLeft = -1;
    int formWidth = -1;
    int formHeight = -1;
    QColor background = Qt::white;
    QColor textColour = Qt::black;
    int scrollBars = 0;
    int pageIndex = 0;
    int keyFontSize = 10;
};
