#include "app/messages.h"

namespace Messages {

QString applicationTitle()
{
    return QStringLiteral("Tapoli v4.2");
}

QString captionWithoutFile(const QString &appTitle)
{
    return appTitle + QStringLiteral(" -- Pas de fichier");
}

QString captionOpened(const QString &appTitle, const QString &path)
{
    return appTitle + QStringLiteral(" -- ") + path;
}

QString captionSavedAs(const QString &appTitle, const QString &path)
{
    return appTitle + QStringLiteral(" [") + path + QLatin1Char(']');
}

QString textCopied()
{
    // The trailing blank is part of the program's wording.
    return QStringLiteral("Texte copié dans le presse-papier. ");
}

QString nothingToPaste()
{
    return QStringLiteral("Rien à coller ou type de données à coller incompatible");
}

QString initialiserQuestion(const QString &documentFileName)
{
    return QStringLiteral("Les données du fichier ") + documentFileName
        + QStringLiteral(" ont été modifiées.\n")
        + QStringLiteral("Si vous initialisez, vous perdrez vos modifications.\n")
        + QStringLiteral("Initialiser tout de même ?");
}

} // namespace Messages
