#include "shared/messages.h"

namespace Messages {

QString applicationTitle()
{
    return QStringLiteral("Tapoli v") + QStringLiteral(TAPOLI_VERSION);
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

QString keyboardFilter()
{
    return QStringLiteral("Claviers TAPOLI|*.cltpo");
}

QString keyboardNotFound()
{
    return QStringLiteral("Fichier Clavier introuvable.");
}

QString fontUnavailable()
{
    return QStringLiteral("Le police de caractères associée à ce fichier\n"
                          "n'est pas disponible sur ce système...");
}

QString keyboardNotModified()
{
    return QStringLiteral("Le clavier actuel n'a pas été modifié.\nVoulez-vous vraiment le sauvegarder?");
}

QString keyboardFileNameNotStorable()
{
    return QStringLiteral("Le nom de ce fichier clavier contient un saut de ligne :\n"
                          "Tapoli ne pourra pas le recharger au prochain démarrage.");
}

QString fileExists(const QString &path)
{
    return QStringLiteral("Ce fichier existe déjà:\n") + path + QStringLiteral("\nVoulez-vous le remplacer ?");
}

QString cannotSave()
{
    return QStringLiteral("Erreur: TAPOLI ne peut pas sauvegarder ce fichier");
}

QString documentFilter()
{
    return QStringLiteral("Fichiers TAPOLI|*.tpo|Fichiers Texte|*.txt|Fichiers INI|*.ini|Tous fichiers|*.*");
}

QString cannotLoad()
{
    return QStringLiteral("Erreur: TAPOLI ne peut pas charger ce fichier");
}

QString fileTooLarge(qint64 largestBytes)
{
    return QStringLiteral("Erreur: TAPOLI ne peut pas charger ce fichier\n"
                          "(il dépasse %1 Mo, trop pour la zone de texte).")
        .arg(largestBytes / (1024 * 1024));
}

QString saveQuestion(const QString &path)
{
    return QStringLiteral("Sauvegarder ") + path + QStringLiteral(" ???");
}

QString changedElsewhere(const QString &path)
{
    return QStringLiteral("Le fichier ") + path
        + QStringLiteral(" a été modifié par un autre programme depuis son ouverture. Voulez-vous le remplacer ?");
}

QString saveInUtf8Question()
{
    return QStringLiteral("Ce texte contient des caractères que le codage Windows-1252 ne peut pas enregistrer.\n"
                          "Voulez-vous l'enregistrer en UTF-8 ?");
}

QString keyboardModifiedAtExit()
{
    return QStringLiteral("Le clavier actuel a été modifié.\nVoulez-vous le sauvegarder?");
}

QString saveTextAtExit()
{
    return QStringLiteral("Voulez-vous sauvegarder le texte saisi ?");
}

QString settingsNotSaved(const QString &path)
{
    return QStringLiteral("Erreur: TAPOLI ne peut pas enregistrer ses réglages dans\n") + path
        + QStringLiteral("\nLes choix de cette séance ne seront pas repris au prochain démarrage.");
}

QString settingsFileKept(const QString &path)
{
    return QStringLiteral("Erreur: TAPOLI ne peut pas lire en entier son fichier de réglages\n") + path
        + QStringLiteral("\nCe fichier est laissé tel quel : les choix de cette séance n'y sont pas enregistrés.");
}

} // namespace Messages
