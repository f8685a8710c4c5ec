#include "donation/credits.h"

namespace Credits {

QString paymentService()
{
    return QStringLiteral("Liberapay");
}

QString donationAddress()
{
    return QStringLiteral("https://liberapay.com/");
}

QString homeAddress()
{
    return QStringLiteral("https://tapoli.example.org/");
}

QStringList lines()
{
    return {
        QStringLiteral("Ce logiciel est gratuit."),
        QString(),
        QStringLiteral("Écrit en C++ avec Qt"),
        QStringLiteral("par l'équipe Tapoli"),
        QString(),
        QStringLiteral("contact@tapoli.example.org"),
        homeAddress(),
        QString(),
        QStringLiteral("Si vous utilisez Tapoli"),
        QStringLiteral("de manière intensive,"),
        QStringLiteral("Vous pouvez aider son auteur"),
        QStringLiteral("(c'est moi !)"),
        QStringLiteral("en faisant une petite donation."),
        QString(),
        QStringLiteral("Ceci peut se faire"),
        QStringLiteral("par carte de crédit"),
        QStringLiteral("sur le serveur sécurisé"),
        paymentService(),
        QString(),
        QStringLiteral("Montant minimum : 10 € !"),
        QString(),
        QStringLiteral("Merci d'avance !"),
    };
}

QString donationQuestion()
{
    return QStringLiteral("Voulez-vous vous rendre sur le site web de ") + paymentService()
        + QStringLiteral(" pour enregistrer votre donation ?\n(vous devez être connecté à l'internet...)");
}

QString homePageQuestion()
{
    return QStringLiteral("Voulez-vous vous rendre sur la page ouaibe TAPOLI ?\n"
                          "(vous devez être connecté à l'internet...)");
}

QString launchFailed()
{
    return QStringLiteral("Erreur - Execution impossible.");
}

} // namespace Credits
