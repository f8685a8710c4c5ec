#include "typing/writingroutes.h"

#include <QTest>

Q_DECLARE_METATYPE(WritingRoutes::Kind)

// Which way a session types into other programs, and what the menu entry says about it.
class TestWritingRoutes : public QObject
{
    Q_OBJECT

private slots:
    void chosenFromWhatTheSessionOffers_data();
    void chosenFromWhatTheSessionOffers();
};

void TestWritingRoutes::chosenFromWhatTheSessionOffers_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<QString>("x11Refusal");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<WritingRoutes::Kind>("kind");
    QTest::addColumn<QString>("note");
    // `asked`: which questions the choice may put; on X11 no Wayland one, which would load its module.
    QTest::addColumn<QString>("asked");
    using WritingRoutes::Kind;
    QTest::newRow("X11") << "xcb" << "" << "" << "keys bus" << Kind::X11Keys
        << "Les touches de Tapoli écrivent dans la fenêtre qui a le clavier, comme si on les tapait." << "x11";
    QTest::newRow("XWayland") << "xcb" << "wayland GNOME" << "" << "keys bus" << Kind::X11Keys
        << "Sous XWayland, seules les applications X11 reçoivent les caractères." << "x11";
    QTest::newRow("X11 without XTEST") << "xcb" << "" << "Pas de XTEST." << "keys bus" << Kind::None
        << "Pas de XTEST." << "x11";
    QTest::newRow("sway") << "wayland" << "wayland sway" << "" << "keys bus" << Kind::WaylandKeys
        << "Les touches de Tapoli écrivent dans la fenêtre qui avait le clavier avant le clic, comme si on les tapait."
        << "keys";
    QTest::newRow("GNOME") << "wayland" << "wayland GNOME" << "" << "bus" << Kind::AccessibleText
        << "Sous GNOME, les caractères vont dans le champ de texte actif, s'il est accessible (pas dans un terminal)."
        << "keys bus";
    QTest::newRow("KDE") << "wayland-egl" << "wayland KDE" << "" << "bus" << Kind::AccessibleText
        << "Sous KDE Plasma, les caractères vont dans le champ de texte actif, s'il est accessible (pas dans un "
           "terminal)." << "keys bus";
    QTest::newRow("weston") << "wayland" << "wayland weston" << "" << "bus" << Kind::AccessibleText
        << "Sur ce bureau Wayland, les caractères vont dans le champ de texte actif, s'il est accessible (pas dans "
           "un terminal)." << "keys bus";
    QTest::newRow("Wayland with neither") << "wayland" << "wayland weston" << "" << "" << Kind::None
        << "Sur ce bureau Wayland, ni clavier virtuel ni bus d'accessibilité : Tapoli ne peut pas écrire dans les "
           "autres fenêtres. Démarré avec QT_QPA_PLATFORM=xcb, il écrit dans les applications X11." << "keys bus";
    QTest::newRow("no display") << "offscreen" << "" << "" << "keys bus" << Kind::None
        << "Possible seulement sur un affichage X11 ou Wayland." << "";
}

void TestWritingRoutes::chosenFromWhatTheSessionOffers()
{
    QFETCH(QString, platform);
    QFETCH(QString, desktop);
    QFETCH(QString, x11Refusal);
    QFETCH(QString, offered);
    QFETCH(WritingRoutes::Kind, kind);
    QFETCH(QString, note);
    QFETCH(QString, asked);
    QStringList questions;
    WritingRoutes::Session session;
    session.platform = platform;
    session.waylandDesktop = desktop.startsWith(QLatin1String("wayland"));
    session.desktop = desktop.section(QLatin1Char(' '), 1);
    session.x11Refusal = [&] { questions << QStringLiteral("x11"); return x11Refusal; };
    session.offersWaylandKeys = [&] { questions << QStringLiteral("keys"); return offered.contains(QLatin1String("keys")); };
    session.offersAccessibilityBus = [&] { questions << QStringLiteral("bus"); return offered.contains(QLatin1String("bus")); };
    const WritingRoutes::Route route = WritingRoutes::choose(session);
    QCOMPARE(route.kind, kind);
    QCOMPARE(route.note, note);
    QCOMPARE(questions.join(QLatin1Char(' ')), asked);
}

QTEST_GUILESS_MAIN(TestWritingRoutes)
#include "tst_writingroutes.moc"
