#include "app/commandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace CommandLine {

QStringList arguments(int argc, char *argv[])
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

QString answer(const QStringList &arguments)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Affiche cette aide."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Affiche la version."));
    QCommandLineParser parser;
    // Qt's own single-dash options (-reverse, -stylesheet…) would otherwise read as bundles of letters
    // holding a v or an h.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(help);
    parser.addOption(version);
    // Unknown options are not errors here: they belong to Qt or name a document.
    parser.parse(arguments);

    // Written out rather than taken from QCommandLineParser::helpText(), which speaks English
    // until a translator is installed, and that needs the application object.
    if (parser.isSet(help))
        return QStringLiteral("Usage : tapoli [options] [document]\n"
                              "Tapoli, un second clavier à l'écran pour tous les caractères accentués et spéciaux.\n"
                              "\n"
                              "Options :\n"
                              "  -h, --help     %1\n"
                              "  -v, --version  %2\n"
                              "\n"
                              "Arguments :\n"
                              "  document       Document à ouvrir au démarrage (.tpo ou texte).\n")
            .arg(help.description(), version.description());
    if (parser.isSet(version))
        return QStringLiteral("tapoli " TAPOLI_VERSION "\n");
    return QString();
}

} // namespace CommandLine
