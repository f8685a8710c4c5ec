#pragma once

#include "documents/documents.h"
#include "keyboards/keyboardfiles.h"
#include "windowfixture.h"

#include <QAction>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QList>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStringList>
#include <QTabWidget>
#include <QTest>

#include <memory>
#include <utility>

// Drives one save of the real main window over a file already on disk, up to the moment the file
// is written, and reads back everything a save that fails must leave as it was.
class SaveScenario : private WindowFixture
{
public:
    enum class Kind { SaveAs, Save, Layout, Settings };

    // What the window shows and keeps about its files; a failed save changes none of it.
    struct State
    {
        QString documentFileName;
        QString title;
        bool textModified = false;
        bool saveEnabled = false;
        QString keyboardFileName;
        QString nomClavier;
        bool keyboardModified = false;
    };

    static QList<Kind> kinds() { return {Kind::SaveAs, Kind::Save, Kind::Layout, Kind::Settings}; }

    // A row name that says which command saved.
    static const char *name(Kind kind)
    {
        switch (kind) {
        case Kind::SaveAs:
            return "document Sauver sous";
        case Kind::Save:
            return "document Sauver";
        case Kind::Layout:
            return "layout sauve";
        case Kind::Settings:
            break;
        }
        return "settings at close";
    }

    static QString fileName(Kind kind)
    {
        switch (kind) {
        case Kind::SaveAs:
        case Kind::Save:
            return QStringLiteral("doc.txt");
        case Kind::Layout:
            return QStringLiteral("clavier.cltpo");
        case Kind::Settings:
            break;
        }
        return QStringLiteral("tapoli.ini");
    }

    // Bytes no save of this kind would write, so that a replaced file always shows.
    static QByteArray oldBytes(Kind kind)
    {
        switch (kind) {
        case Kind::SaveAs:
        case Kind::Save:
            return QByteArrayLiteral("ancien texte\r\n");
        case Kind::Layout:
            return QByteArrayLiteral("DejaVu Sans\r\n12;0\r\ntchA=\xE0\r\n");
        case Kind::Settings:
            break;
        }
        return QByteArrayLiteral("[params]\r\nPageIndex=2\r\n");
    }

    SaveScenario(Kind kind, const QString &folder)
        : m_kind(kind)
        , m_target(QDir(folder).filePath(fileName(kind)))
    {
        // The settings file is always tapoli.ini in this folder, so the existing file must be there.
        if (kind == Kind::Settings)
            qputenv("TAPOLI_CONFIG_DIR", QFile::encodeName(folder));
    }

    QString target() const { return m_target; }
    MainWindow *window() const { return m_window.get(); }
    QStringList shown() const { return m_prompter.texts(); }
    // The icon and the buttons of the last text shown.
    std::pair<Prompter::Icon, Prompter::Buttons> lastShownAs() const
    {
        return {m_prompter.shown.last().icon, m_prompter.shown.last().buttons};
    }

    // Builds the window and does what a user does before this kind of save: open, type, remap.
    // Check QTest::currentTestFailed() after it.
    void start()
    {
        // A missing layout folder is filled with the shipped layouts on the first save: made now,
        // those copies are not mistaken for the save's own writes.
        if (m_kind == Kind::Layout)
            QVERIFY(QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                                  + QStringLiteral("/tapoli/claviers")));
        QVERIFY(startWindow({}, false));

        switch (m_kind) {
        case Kind::Save:
            m_prompter.files = {m_target};
            child<QAction>("Charger")->trigger();
            QCOMPARE(m_window->documents().fileName(), m_target);
            typeText();
            m_prompter.answers = {Prompter::Answer::Yes};
            break;
        case Kind::SaveAs:
            typeText();
            m_prompter.files = {m_target};
            m_prompter.answers = {Prompter::Answer::Yes};
            break;
        case Kind::Layout:
            QTest::mouseClick(child<QRadioButton>("Alignement1"), Qt::LeftButton);
            QVERIFY(m_window->keyboardFiles().isModified());
            m_prompter.files = {m_target};
            m_prompter.answers = {Prompter::Answer::Yes};
            break;
        case Kind::Settings:
            child<QTabWidget>("tables")->setCurrentIndex(1);
            break;
        }
        QVERIFY(m_prompter.shown.isEmpty());
    }

    void save()
    {
        switch (m_kind) {
        case Kind::SaveAs:
            child<QAction>("SauverSous")->trigger();
            break;
        case Kind::Save:
            child<QAction>("Sauver")->trigger();
            break;
        case Kind::Layout:
            QTest::mouseClick(child<QPushButton>("SauveClavier"), Qt::LeftButton);
            break;
        case Kind::Settings:
            m_window->close();
            break;
        }
    }

    State state() const
    {
        return {m_window->documents().fileName(),
                m_window->windowTitle(),
                child<QPlainTextEdit>("texte")->document()->isModified(),
                child<QAction>("Sauver")->isEnabled(),
                m_window->keyboardFiles().fileName(),
                child<QLabel>("nomClavier")->text(),
                m_window->keyboardFiles().isModified()};
    }

    // Every text the save shows: its question, then the refusal when the file could not be written.
    QStringList expectedTexts(bool refused) const
    {
        QStringList texts;
        switch (m_kind) {
        case Kind::SaveAs:
        case Kind::Layout:
            texts << QStringLiteral("Ce fichier existe déjà:\n") + QDir::toNativeSeparators(m_target)
                    + QStringLiteral("\nVoulez-vous le remplacer ?");
            break;
        case Kind::Save:
            texts << QStringLiteral("Sauvegarder ") + m_target + QStringLiteral(" ???");
            break;
        case Kind::Settings:
            // Written as the window closes, with no question before.
            if (refused)
                texts << QStringLiteral("Erreur: TAPOLI ne peut pas enregistrer ses réglages dans\n")
                        + QDir::toNativeSeparators(m_target)
                        + QStringLiteral("\nLes choix de cette séance ne seront pas repris au prochain démarrage.");
            return texts;
        }
        if (refused)
            texts << QStringLiteral("Erreur: TAPOLI ne peut pas sauvegarder ce fichier");
        return texts;
    }

    // Fails the running test where `after` differs from `before`.
    static void compare(const State &after, const State &before)
    {
        QCOMPARE(after.documentFileName, before.documentFileName);
        QCOMPARE(after.title, before.title);
        QCOMPARE(after.textModified, before.textModified);
        QCOMPARE(after.saveEnabled, before.saveEnabled);
        QCOMPARE(after.keyboardFileName, before.keyboardFileName);
        QCOMPARE(after.nomClavier, before.nomClavier);
        QCOMPARE(after.keyboardModified, before.keyboardModified);
    }

private:
    // Longer than a few bytes, so that a disk storing only some of each write needs several.
    void typeText()
    {
        auto *texte = child<QPlainTextEdit>("texte");
        texte->setFocus();
        QTest::keyClicks(texte, QStringLiteral("nouveau texte, plus long que l'ancien"));
        QVERIFY(texte->document()->isModified());
    }

    Kind m_kind;
    QString m_target;
};

Q_DECLARE_METATYPE(SaveScenario::Kind)
