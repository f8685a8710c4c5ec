#include "app/mainwindow.h"

#include "app/dwellclick.h"
#include "app/helpwindow.h"
#include "app/qtfrench.h"
#include "app/releasewherepressed.h"
#include "app/windowoptions.h"
#include "documents/documents.h"
#include "donation/donationwindow.h"
#include "keyboards/characterbutton.h"
#include "keyboards/characterfinder.h"
#include "keyboards/characterpages.h"
#include "keyboards/keyboardfiles.h"
#include "keyboards/keyboardpage.h"
#include "settings/privateprofile.h"
#include "shared/messages.h"
#include "shared/prompter.h"
#include "text/appearance.h"
#include "text/textcommands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {

const QColor FormColour(240, 202, 166);
constexpr int DesignWidth = 719;
constexpr int DesignHeight = 434;
constexpr int LowerPanelHeight = 217;

QPushButton *panelButton(const QString &caption, const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

QAction *action(const QString &caption, const QString &name, QObject *parent)
{
    auto *created = new QAction(caption, parent);
    created->setObjectName(name);
    return created;
}

} // namespace

MainWindow::MainWindow(Prompter &prompter, ProgramLauncher &launcher, const QStringList &arguments, QWidget *parent)
    : QMainWindow(parent)
    , m_prompter(prompter)
    , m_launcher(launcher)
    , m_arguments(arguments)
{
    m_startedAt.start();
    // Every click on Tapoli's buttons counts, also when the pointer was moved on at once.
    qApp->installEventFilter(new ReleaseWherePressed(this));
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tapoli"));
    // The form's colour is part of its design, so its text stays dark on it even under a dark desktop theme.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, FormColour);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);

    createActions();
    createMenus();

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(central);
    createTextArea();
    m_appearance = new Appearance(m_texte, m_prompter, this);
    column->addWidget(m_appearance->createColourBar(central));
    column->addWidget(m_texte);
    m_commands = new TextCommands(m_texte, m_prompter, [this] { return m_appearance->direction(); }, this);
    // The keyboard page is built with the notebook, below, before anything asks for its key size.
    m_characterPages = new CharacterPages([this] { return m_appearance->fontFamily(); },
                                          [this] { return m_keyboardPage->keyFontSize(); }, this);
    createLowerPanel();
    connectCommands();
    m_options = new WindowOptions(this, *m_commands, m_editionMenu);
    m_dwell = new DwellClick(m_editionMenu, [this](const QAbstractButton *button) { return dwells(button); }, this);
    connectCharacterFinder();
    connect(this, &MainWindow::painted, this, &QtFrench::install, Qt::QueuedConnection);
    connect(this, &MainWindow::painted, m_options, &WindowOptions::giveBackAbandonedSpares, Qt::QueuedConnection);

    resize(DesignWidth, DesignHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() = default;

void MainWindow::createActions()
{
    m_quitAction = action(QStringLiteral("[ Quitter ]"), QStringLiteral("Quitter"), this);
    m_openAction = action(QStringLiteral("Charger..."), QStringLiteral("Charger"), this);
    m_saveAsAction = action(QStringLiteral("Sauver sous..."), QStringLiteral("SauverSous"), this);
    m_saveAction = action(QStringLiteral("Sauver"), QStringLiteral("Sauver"), this);
    m_copyAllAction = action(QStringLiteral("Copier tout"), QStringLiteral("CopierTout"), this);
    m_pasteAction = action(QStringLiteral("Coller"), QStringLiteral("Coller"), this);
    m_donationAction = action(QStringLiteral("[ Donation de soutien ]"), QStringLiteral("DonationDeSoutien"), this);
    m_helpAction = action(QStringLiteral("[ Aide ]"), QStringLiteral("Aide"), this);
}

void MainWindow::createMenus()
{
    QMenuBar *bar = menuBar();
    // The bar lies on the form's colour, so its captions stay dark whatever the desktop's theme.
    QPalette captions = bar->palette();
    captions.setColor(QPalette::ButtonText, Qt::black);
    captions.setColor(QPalette::WindowText, Qt::black);
    bar->setPalette(captions);
    bar->addAction(m_quitAction);
    QMenu *fichier = bar->addMenu(QStringLiteral("[ Fichier ]"));
    fichier->setObjectName(QStringLiteral("Fichier"));
    fichier->addActions({m_openAction, m_saveAsAction, m_saveAction});
    QMenu *edition = bar->addMenu(QStringLiteral("[ Edition ]"));
    edition->setObjectName(QStringLiteral("Edition"));
    edition->addActions({m_copyAllAction, m_pasteAction});
    m_editionMenu = edition;
    bar->addAction(m_donationAction);
    bar->addAction(m_helpAction);
}

void MainWindow::createTextArea()
{
    m_texte = new QPlainTextEdit(centralWidget());
    m_texte->setObjectName(QStringLiteral("texte"));
    m_texte->setAccessibleName(QStringLiteral("Texte"));
    m_texte->setFrameShape(QFrame::NoFrame);
    m_texte->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_texte->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_texte->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_texte->horizontalScrollBar()->setAccessibleName(QStringLiteral("Défilement horizontal du texte"));
    m_texte->verticalScrollBar()->setAccessibleName(QStringLiteral("Défilement vertical du texte"));
}

void MainWindow::createLowerPanel()
{
    auto *panel = new QWidget(centralWidget());
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(LowerPanelHeight);

    m_characterPages->createCharacterList(panel);
    m_appearance->createTextControls(panel);
    m_enterButton = panelButton(QStringLiteral("< Entrée >"), QStringLiteral("entree"), {432, 1, 94, 24}, panel);
    m_spaceButton = panelButton(QStringLiteral("<ESPACE>"), QStringLiteral("btespace"), {527, 1, 94, 24}, panel);
    m_deleteButton = panelButton(QStringLiteral("<SUP>"), QStringLiteral("sup"), {622, 1, 94, 24}, panel);
    m_clearButton = panelButton(QStringLiteral("Initialiser"), QStringLiteral("Initialiser"), {432, 25, 72, 24}, panel);
    m_undoButton = panelButton(QStringLiteral("Annuler"), QStringLiteral("supprimer"), {505, 25, 70, 24}, panel);
    m_copyButton = panelButton(QStringLiteral("COPIER"), QStringLiteral("copie"), {576, 25, 70, 24}, panel);
    m_copyButton->setToolTip(QStringLiteral("Copier le texte dans le presse-papier..."));
    m_exitButton = panelButton(QStringLiteral("EXIT"), QStringLiteral("Quitte"), {647, 25, 69, 24}, panel);
    m_exitButton->setToolTip(QStringLiteral("Quitter"));

    createNotebook(panel);
    centralWidget()->layout()->addWidget(panel);
}

void MainWindow::createNotebook(QWidget *panel)
{
    m_tables = new QTabWidget(panel);
    m_tables->setObjectName(QStringLiteral("tables"));
    m_tables->setGeometry(54, 50, 662, 167);
    // The pages are drawn in the theme's button colour, not the form's: their captions take its text colour.
    QPalette pages = m_tables->palette();
    pages.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::ButtonText));
    m_tables->setPalette(pages);
    // Qt names the tab row's arrows as it makes them, before Qt's French translation is in: in English.
    const std::pair<const char *, QString> arrows[] = {{"ScrollLeftButton", QStringLiteral("Onglets précédents")},
                                                       {"ScrollRightButton", QStringLiteral("Onglets suivants")}};
    for (const auto &[name, french] : arrows) {
        if (auto *arrow = m_tables->tabBar()->findChild<QToolButton *>(QLatin1String(name)))
            arrow->setAccessibleName(french);
    }
    m_keyboardPage = new KeyboardPage(m_tables);
    m_tables->addTab(m_keyboardPage, QStringLiteral("Clavier"));
    m_tables->addTab(m_characterPages->createAllCharactersPage(m_tables), QStringLiteral("Tous caractères"));
    m_tables->addTab(m_characterPages->createLargeFormatPage(m_tables), QStringLiteral("GRAND FORMAT"));
    connect(m_tables, &QTabWidget::currentChanged, this,
            [this](int index) { m_characterPages->build(m_tables->widget(index)); });
}

void MainWindow::connectCommands()
{
    m_keyboardFiles = new KeyboardFiles(*m_keyboardPage, *m_appearance, m_dialogs, m_prompter,
                                        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                                            + QStringLiteral("/tapoli/claviers"),
                                        this);
    m_documents = new Documents(m_texte, *m_appearance, *m_commands, m_dialogs, m_prompter, m_saveAsAction,
                                m_saveAction, m_arguments, this);
    connect(m_documents, &Documents::captionChanged, this, &QWidget::setWindowTitle);
    connect(m_keyboardFiles, &KeyboardFiles::fileNameChanged, this, &MainWindow::keyboardFileNameChanged);

    connect(m_keyboardPage, &KeyboardPage::characterChosen, m_commands, &TextCommands::InsertChar);
    connect(m_characterPages, &CharacterPages::characterChosen, m_commands, &TextCommands::InsertChar);
    connect(m_appearance, &Appearance::fontFamilyChanged, m_keyboardPage, &KeyboardPage::setFontFamily);
    connect(m_appearance, &Appearance::fontFamilyChanged, m_characterPages, &CharacterPages::dress);
    connect(m_keyboardPage, &KeyboardPage::keyFontSizeChanged, m_characterPages, &CharacterPages::dress);

    connect(m_spaceButton, &QPushButton::clicked, m_commands, &TextCommands::espace);
    connect(m_enterButton, &QPushButton::clicked, m_commands, &TextCommands::entree);
    connect(m_deleteButton, &QPushButton::clicked, m_commands, &TextCommands::sup);
    connect(m_undoButton, &QPushButton::clicked, m_commands, &TextCommands::annuler);
    connect(m_clearButton, &QPushButton::clicked, m_documents, &Documents::clear);
    connect(m_copyButton, &QPushButton::clicked, m_commands, &TextCommands::copier);
    connect(m_copyAllAction, &QAction::triggered, m_commands, &TextCommands::copier);
    connect(m_pasteAction, &QAction::triggered, m_commands, &TextCommands::coller);

    connect(m_openAction, &QAction::triggered, m_documents, &Documents::openDocument);
    connect(m_saveAsAction, &QAction::triggered, m_documents, &Documents::saveAsWhenWhole);
    connect(m_saveAction, &QAction::triggered, m_documents, &Documents::saveWhenWhole);
    connect(m_quitAction, &QAction::triggered, this, &MainWindow::exitCommand);
    connect(m_exitButton, &QPushButton::clicked, this, &MainWindow::exitCommand);

    connect(m_donationAction, &QAction::triggered, this, &MainWindow::showDonation);
    connect(m_helpAction, &QAction::triggered, this, [this] { showHelp(HelpWindow::Contents); });
    auto *contextHelp = new QShortcut(QKeySequence::HelpContents, this);
    connect(contextHelp, &QShortcut::activated, this, [this] { showHelp(HelpWindow::MainWindowPage); });
}

void MainWindow::connectCharacterFinder()
{
    m_finder = new CharacterFinder(
        m_editionMenu, this, [this] { return m_appearance->fontFamily(); },
        [this] { return m_keyboardPage->keyFontSize(); });
    connect(m_finder, &CharacterFinder::characterChosen, m_commands, &TextCommands::InsertChar);
    connect(m_keyboardPage, &KeyboardPage::characterChosen, m_finder, &CharacterFinder::noteTyped);
    connect(m_characterPages, &CharacterPages::characterChosen, m_finder, &CharacterFinder::noteTyped);
    connect(m_appearance, &Appearance::fontFamilyChanged, m_finder, &CharacterFinder::dress);
    connect(m_keyboardPage, &KeyboardPage::keyFontSizeChanged, m_finder, &CharacterFinder::dress);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_startedUp) {
        m_startedUp = true;
        startUp();
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The title bar's close and the desktop's close request ask the same questions as "[ Quitter ]".
    if (!m_exitConfirmed && !confirmExit()) {
        event->ignore();
        return;
    }
    m_exitConfirmed = true;
    writeSettings();
    event->accept();
}

void MainWindow::endWithoutQuestions()
{
    // Ended first, so that a notice the settings may need is not waited for.
    QCoreApplication::exit(0);
    if (!std::exchange(m_exitConfirmed, true))
        writeSettings();
}

bool MainWindow::confirmExit()
{
    m_keyboardFiles->offerSaveAtExit();
    return m_documents->confirmExit();
}

void MainWindow::exitCommand()
{
    if (!confirmExit())
        return;
    m_exitConfirmed = true;
    close();
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    emit painted();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    // A window manager keeps the window from shrinking below its minimum size; without one, another
    // program can resize it so, and it is brought back. Once for each size: a window manager that
    // refuses the minimum has the last word, and the two never trade sizes without end.
    const QSize size = event->size();
    const QSize kept = size.expandedTo(minimumSize());
    if (kept == size) {
        m_snappedBackFrom = QSize();
        return;
    }
    if (size == m_snappedBackFrom)
        return;
    m_snappedBackFrom = size;
    QMetaObject::invokeMethod(this, [this, kept] {
        if (QWindow *window = windowHandle())
            window->resize(kept);
    }, Qt::QueuedConnection);
}

void MainWindow::startUp()
{
    m_settings = Settings::load(Settings::filePath());
    m_appearance->setColours(m_settings.background, m_settings.textColour);
    m_tables->setCurrentIndex(qBound(0, m_settings.pageIndex, m_tables->count() - 1));
    m_keyboardPage->setKeyFontSize(m_settings.keyFontSize);

    // The window cannot shrink below the size it starts with (MinFormWidth, MinFormHeight).
    setMinimumSize(size());

    m_appearance->fillFontPicker();

    m_texte->setFocus();
    setWindowTitle(m_documents->caption());

    m_characterPages->fillLists();
    m_keyboardPage->setLayoutName(QStringLiteral("<...>"));

    // A layout that loads brings its own font, size and direction; otherwise the stored font and size stand.
    if (!m_keyboardFiles->loadAtStart(m_settings.keyboardFileName))
        m_appearance->apply({m_settings.fontName, m_settings.textSize, {}}, LookCause::StartUp);

    applyStoredGeometry();

    m_appearance->setScrollBars(m_settings.scrollBars);
    m_options->restore(m_settings);
    m_dwell->restore(m_settings);
    m_finder->restore(m_settings);

    // Opened once the window stands, so that a dialog, if one is needed, shows over it.
    if (!m_arguments.isEmpty())
        QMetaObject::invokeMethod(m_documents, &Documents::openDocument, Qt::QueuedConnection);
}

void MainWindow::applyStoredGeometry()
{
    const Settings &stored = m_settings;
    // A place off every screen, or the -1 of a first start, keeps the centred design place and size.
    if (stored.formTop < 0 || stored.formLeft < 0 || stored.formWidth < 0 || stored.formHeight < 0)
        return;
    const QScreen *screen = QGuiApplication::screenAt(QPoint(stored.formLeft, stored.formTop));
    if (!screen)
        return;
    // The frame, where the window manager has already added it, must fit on the screen too.
    QRect available = screen->availableGeometry();
    available.setSize(available.size() - (frameGeometry().size() - size()));
    // Placed at the size it will take: never below its minimum, never past QWIDGETSIZE_MAX (within
    // which the rectangle's far edge stays an int).
    const QSize size = QSize(qMin(stored.formWidth, QWIDGETSIZE_MAX), qMin(stored.formHeight, QWIDGETSIZE_MAX))
                           .expandedTo(minimumSize());
    const QRect place = windowGeometryWithin(QRect(QPoint(stored.formLeft, stored.formTop), size), available);
    move(place.topLeft());
    resize(place.size());
}

void MainWindow::writeSettings()
{
    // The keyboard file name is the last one the file can hold, kept up to date as layouts load.
    Settings current = m_settings;
    current.fontName = m_appearance->fontName();
    current.textSize = m_appearance->textSize();
    // A Wayland compositor places windows itself and never tells them where: the place read at start stays.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        current.formTop = y();
        current.formLeft = x();
    }
    current.formWidth = width();
    current.formHeight = height();
    current.background = m_appearance->background();
    current.textColour = m_appearance->textColour();
    current.scrollBars = m_appearance->scrollBars();
    current.pageIndex = m_tables->currentIndex();
    current.keyFontSize = m_keyboardPage->keyFontSize();
    m_options->store(current);
    m_dwell->store(current);
    m_finder->store(current);

    const QString path = Settings::filePath();
    const Settings::SaveResult result = current.save(path);
    // A second close (the desktop may ask again) tries the write again but does not say it twice.
    if (result == Settings::SaveResult::Saved || m_settingsProblemTold)
        return;
    m_settingsProblemTold = true;
    const QString where = QDir::toNativeSeparators(path);
    m_prompter.ask(Prompter::Icon::Warning,
                   result == Settings::SaveResult::UnreadableKept ? Messages::settingsFileKept(where)
                                                                  : Messages::settingsNotSaved(where),
                   Prompter::Buttons::Ok);
}

void MainWindow::keyboardFileNameChanged(const QString &fileName)
{
    // Written as it is, a line break in the name would start keys of its own in tapoli.ini.
    if (PrivateProfile::canStore(fileName))
        m_settings.keyboardFileName = fileName;
    else
        m_prompter.ask(Prompter::Icon::Warning, Messages::keyboardFileNameNotStorable(), Prompter::Buttons::Ok);
}

void MainWindow::showDonation()
{
    // Built on first use: start-up has enough to do before the first paint.
    if (!m_donation)
        m_donation = new DonationWindow(m_prompter, m_launcher, std::chrono::milliseconds(m_startedAt.elapsed()),
                                        this);
    m_donation->exec();
}

bool MainWindow::dwells(const QAbstractButton *button) const
{
    // Keys, character buttons and large buttons all type through CharacterButton; of the panel, only the
    // buttons that edit. Those that open a dialog or end the program wait for a real click.
    return qobject_cast<const CharacterButton *>(button) || button == m_enterButton || button == m_spaceButton
        || button == m_deleteButton || button == m_undoButton;
}

void MainWindow::showHelp(int context)
{
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->showContext(context);
}
