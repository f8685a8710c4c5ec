#include "app/mainwindow.h"

#include "app/helpwindow.h"
#include "shared/messages.h"
#include "shared/prompter.h"
#include "keyboards/updownarrows.h"
#include "text/colourswatch.h"
#include "text/textsizebox.h"
#include "documents/documents.h"
#include "donation/donationwindow.h"
#include "keyboards/buttonfamilies.h"
#include "keyboards/characterlist.h"
#include "keyboards/keybutton.h"
#include "keyboards/characterpages.h"
#include "keyboards/keyboardfiles.h"
#include "keyboards/keyboardpage.h"
#include "text/fontlist.h"
#include "text/appearance.h"
#include "text/textcommands.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>

namespace {

const QColor FormColour(240, 202, 166);
constexpr int DesignWidth = 719;
constexpr int DesignHeight = 434;
constexpr int LowerPanelHeight = 217;
constexpr int UpperBarHeight = 18;

QPushButton *panelButton(const QString &caption, const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

} // namespace

MainWindow::MainWindow(Prompter &prompter, ProgramLauncher &launcher, const QStringList &arguments, QWidget *parent)
    : QMainWindow(parent)
    , m_prompter(prompter)
    , m_launcher(launcher)
    , m_arguments(arguments)
{
    m_startedAt.start();
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
    createUpperBar();
    createTextArea();
    m_commands = new TextCommands(m_texte, this, m_state, m_prompter, {m_sauverSous, m_sauver}, this);
    createLowerPanel();

    connectCommands();

    resize(DesignWidth, DesignHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

MainWindow::~MainWindow() = default;

void MainWindow::createActions()
{
    m_quitter = new QAction(QStringLiteral("[ Quitter ]"), this);
    m_quitter->setObjectName(QStringLiteral("Quitter"));
    m_charger = new QAction(QStringLiteral("Charger..."), this);
    m_charger->setObjectName(QStringLiteral("Charger"));
    m_sauverSous = new QAction(QStringLiteral("Sauver sous..."), this);
    m_sauverSous->setObjectName(QStringLiteral("SauverSous"));
    m_sauver = new QAction(QStringLiteral("Sauver"), this);
    m_sauver->setObjectName(QStringLiteral("Sauver"));
    m_copierTout = new QAction(QStringLiteral("Copier tout"), this);
    m_copierTout->setObjectName(QStringLiteral("CopierTout"));
    m_coller = new QAction(QStringLiteral("Coller"), this);
    m_coller->setObjectName(QStringLiteral("Coller"));
    m_donationAction = new QAction(QStringLiteral("[ Donation de soutien ]"), this);
    m_donationAction->setObjectName(QStringLiteral("DonationDeSoutien"));
    m_aide = new QAction(QStringLiteral("[ Aide ]"), this);
    m_aide->setObjectName(QStringLiteral("Aide"));

    m_sauverSous->setEnabled(false);
    m_sauver->setEnabled(false);
}

void MainWindow::createMenus()
{
    QMenuBar *bar = menuBar();
    // The bar lies on the form's colour, so its captions stay dark whatever the desktop's theme.
    QPalette captions = bar->palette();
    captions.setColor(QPalette::ButtonText, Qt::black);
    captions.setColor(QPalette::WindowText, Qt::black);
    bar->setPalette(captions);
    bar->addAction(m_quitter);
    QMenu *fichier = bar->addMenu(QStringLiteral("[ Fichier ]"));
    fichier->setObjectName(QStringLiteral("Fichier"));
    fichier->addAction(m_charger);
    fichier->addAction(m_sauverSous);
    fichier->addAction(m_sauver);
    QMenu *edition = bar->addMenu(QStringLiteral("[ Edition ]"));
    edition->setObjectName(QStringLiteral("Edition"));
    edition->addAction(m_copierTout);
    edition->addAction(m_coller);
    bar->addAction(m_donationAction);
    bar->addAction(m_aide);
}

void MainWindow::createUpperBar()
{
    auto *bar = new QWidget(centralWidget());
    bar->setObjectName(QStringLiteral("Panel2"));
    bar->setFixedHeight(UpperBarHeight);
    QFont small = bar->font();
    small.setPixelSize(11);
    bar->setFont(small);

    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 0, 6, 0);
    row->setSpacing(6);
    row->addWidget(new QLabel(QStringLiteral("Couleur fond :"), bar));
    m_couleurFond = new ColourSwatch(bar);
    m_couleurFond->setObjectName(QStringLiteral("Couleurfond"));
    m_couleurFond->setFixedSize(47, 13);
    m_couleurFond->setAccessibleName(QStringLiteral("Couleur fond"));
    row->addWidget(m_couleurFond);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Couleur caractères :"), bar));
    m_couleurTexte = new ColourSwatch(bar);
    m_couleurTexte->setObjectName(QStringLiteral("Couleurtexte"));
    m_couleurTexte->setFixedSize(47, 13);
    m_couleurTexte->setAccessibleName(QStringLiteral("Couleur caractères"));
    m_couleurTexte->setColour(Qt::black);
    row->addWidget(m_couleurTexte);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Ascenseurs :"), bar));
    m_ascenceurs = new QComboBox(bar);
    m_ascenceurs->setObjectName(QStringLiteral("Ascenceurs"));
    m_ascenceurs->setAccessibleName(QStringLiteral("Ascenseurs"));
    m_ascenceurs->addItems({QStringLiteral("Les deux"), QStringLiteral("Horizontal"),
                            QStringLiteral("Vertical"), QStringLiteral("Aucun")});
    m_ascenceurs->setFixedHeight(UpperBarHeight);
    row->addWidget(m_ascenceurs);
    row->addStretch(1);

    centralWidget()->layout()->addWidget(bar);
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
    centralWidget()->layout()->addWidget(m_texte);
}

void MainWindow::createLowerPanel()
{
    auto *panel = new QWidget(centralWidget());
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(LowerPanelHeight);

    auto *listLabel = new QLabel(QStringLiteral("Liste"), panel);
    listLabel->setObjectName(QStringLiteral("Label1"));
    listLabel->setAlignment(Qt::AlignCenter);
    listLabel->setGeometry(3, 40, 48, 16);
    m_listBox1 = new CharacterList(panel);
    m_listBox1->setObjectName(QStringLiteral("ListBox1"));
    m_listBox1->setAccessibleName(QStringLiteral("Liste des caractères"));
    m_listBox1->setGeometry(3, 58, 48, 155);
    m_listBox1->setDragEnabled(true);
    m_listBox1->setDragDropMode(QAbstractItemView::DragOnly);
    m_listBox1->setDefaultDropAction(Qt::CopyAction);

    auto *direction = new QGroupBox(QStringLiteral("Sens saisie "), panel);
    direction->setObjectName(QStringLiteral("Alignement"));
    direction->setGeometry(56, 0, 130, 50);
    m_alignement = new QButtonGroup(direction);
    auto *leftToRight = new QRadioButton(QStringLiteral(">>droite"), direction);
    leftToRight->setObjectName(QStringLiteral("Alignement0"));
    leftToRight->setGeometry(10, 15, 110, 17);
    leftToRight->setChecked(true);
    auto *rightToLeft = new QRadioButton(QStringLiteral("<<gauche"), direction);
    rightToLeft->setObjectName(QStringLiteral("Alignement1"));
    rightToLeft->setGeometry(10, 31, 110, 17);
    m_alignement->addButton(leftToRight, 0);
    m_alignement->addButton(rightToLeft, 1);

    m_ckPolice = new QCheckBox(QStringLiteral("police"), panel);
    m_ckPolice->setObjectName(QStringLiteral("CKpolice"));
    m_ckPolice->setGeometry(192, 1, 120, 20);
    m_polices = new QComboBox(panel);
    m_polices->setObjectName(QStringLiteral("polices"));
    m_polices->setAccessibleName(QStringLiteral("Police du texte"));
    m_polices->setGeometry(192, 24, 178, 24);
    m_taillst = new TextSizeBox(panel);
    m_taillst->setObjectName(QStringLiteral("Taillst"));
    m_taillst->setAccessibleName(QStringLiteral("Taille du texte"));
    m_taillst->setRange(6, 72);
    m_taillst->setValue(10);
    m_taillst->setGeometry(374, 24, 52, 24);

    m_entree = panelButton(QStringLiteral("< Entrée >"), QStringLiteral("entree"), {432, 1, 94, 24}, panel);
    m_btespace = panelButton(QStringLiteral("<ESPACE>"), QStringLiteral("btespace"), {527, 1, 94, 24}, panel);
    m_sup = panelButton(QStringLiteral("<SUP>"), QStringLiteral("sup"), {622, 1, 94, 24}, panel);
    m_initialiser = panelButton(QStringLiteral("Initialiser"), QStringLiteral("Initialiser"), {432, 25, 72, 24}, panel);
    m_supprimer = panelButton(QStringLiteral("Annuler"), QStringLiteral("supprimer"), {505, 25, 70, 24}, panel);
    m_copie = panelButton(QStringLiteral("COPIER"), QStringLiteral("copie"), {576, 25, 70, 24}, panel);
    m_copie->setToolTip(QStringLiteral("Copier le texte dans le presse-papier..."));
    m_quitte = panelButton(QStringLiteral("EXIT"), QStringLiteral("Quitte"), {647, 25, 69, 24}, panel);
    m_quitte->setToolTip(QStringLiteral("Quitter"));

    m_characterPages = new CharacterPages(m_listBox1, *m_commands, this);
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
    m_keyboardPage = new KeyboardPage(m_tables);
    m_tables->addTab(m_keyboardPage, QStringLiteral("Clavier"));
    m_tables->addTab(m_characterPages->createAllCharactersPage(m_tables), QStringLiteral("Tous caractères"));
    m_tables->addTab(m_characterPages->createLargeFormatPage(m_tables), QStringLiteral("GRAND FORMAT"));
    connect(m_tables, &QTabWidget::currentChanged, this, &MainWindow::pageShown);
}

void MainWindow::pageShown(int index)
{
    QWidget *page = m_tables->widget(index);
    if (!m_characterPages->build(page))
        return;
    m_appearance->dressNewPage(page);
    setKeyFontSize(m_keyboardPage->keys().front()->font().pointSize(), page);
}

void MainWindow::connectCommands()
{
    m_appearance = new Appearance({m_polices, m_ckPolice, m_taillst, m_alignement, m_couleurFond, m_couleurTexte,
                                   m_ascenceurs},
                                  m_texte, this, m_state, m_prompter, *m_commands, this);
    m_keyboardFiles = new KeyboardFiles(*m_keyboardPage, *m_appearance, m_state, m_prompter,
                                        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                                            + QStringLiteral("/tapoli/claviers"),
                                        this);
    m_documents = new Documents(m_texte, this, *m_appearance, *m_keyboardFiles, m_state, m_prompter,
                                {m_sauverSous, m_sauver}, m_arguments, this);

    connect(m_keyboardPage, &KeyboardPage::keyClicked, m_commands, &TextCommands::InsertChar);
    connect(m_keyboardPage, &KeyboardPage::keyRemapped, this, [this] {
        m_state.KeyboardModified = true;
        m_state.DragChar.clear();
    });
    connect(m_listBox1, &CharacterList::dragStarted, this, [this](const QString &character) {
        m_state.DragChar = character;
    });
    connect(m_characterPages, &CharacterPages::characterClicked, m_commands, &TextCommands::InsertChar);
    connect(m_keyboardPage->upDown2(), &UpDownArrows::stepped, this, &MainWindow::UpDown2Click);
    connect(m_btespace, &QPushButton::clicked, m_commands, &TextCommands::espace);
    connect(m_entree, &QPushButton::clicked, m_commands, &TextCommands::entree);
    connect(m_sup, &QPushButton::clicked, m_commands, &TextCommands::sup);
    connect(m_supprimer, &QPushButton::clicked, m_commands, &TextCommands::annuler);
    connect(m_initialiser, &QPushButton::clicked, m_commands, &TextCommands::initialiser);
    connect(m_commands, &TextCommands::cleared, m_documents, &Documents::forgetDocument);
    connect(m_copie, &QPushButton::clicked, m_commands, &TextCommands::copier);
    connect(m_copierTout, &QAction::triggered, m_commands, &TextCommands::copier);
    connect(m_coller, &QAction::triggered, m_commands, &TextCommands::coller);

    connect(m_charger, &QAction::triggered, m_documents, &Documents::Charger);
    connect(m_sauverSous, &QAction::triggered, m_documents, &Documents::SauverSous);
    connect(m_sauver, &QAction::triggered, m_documents, &Documents::Sauver);
    connect(m_quitter, &QAction::triggered, this, &MainWindow::exitCommand);
    connect(m_quitte, &QPushButton::clicked, this, &MainWindow::exitCommand);

    connect(m_donationAction, &QAction::triggered, this, &MainWindow::showDonation);
    connect(m_aide, &QAction::triggered, this, [this] { showHelp(HelpWindow::Contents); });
    auto *contextHelp = new QShortcut(QKeySequence::HelpContents, this);
    connect(contextHelp, &QShortcut::activated, this, [this] { showHelp(HelpWindow::MainWindowPage); });
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_startedUp) {
        m_startedUp = true;
        FormShow();
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The title bar's close and the desktop's close request ask the same questions as "[ Quitter ]".
    if (!m_exitConfirmed && !m_documents->confirmExit()) {
        event->ignore();
        return;
    }
    m_exitConfirmed = true;
    writeSettings();
    event->accept();
}

void MainWindow::exitCommand()
{
    if (!m_documents->confirmExit())
        return;
    m_exitConfirmed = true;
    close();
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    emit painted();
}

void MainWindow::FormShow()
{
    m_settings = Settings::load(Settings::filePath());
    m_appearance->setColours(m_settings.background, m_settings.textColour);
    m_appearance->applyDirection(0);
    m_ascenceurs->setCurrentIndex(qBound(0, m_settings.scrollBars, m_ascenceurs->count() - 1));
    m_tables->setCurrentIndex(qBound(0, m_settings.pageIndex, m_tables->count() - 1));
    setKeyFontSize(m_settings.keyFontSize);

    m_state.AppTitle = Messages::applicationTitle();
    m_state.MinFormHeight = height();
    m_state.MinFormWidth = width();
    setMinimumSize(m_state.MinFormWidth, m_state.MinFormHeight);

    m_appearance->fillFontPicker();
    m_appearance->setTextSize(qBound(6, m_settings.textSize, 72));

    m_texte->setFocus();
    setWindowTitle(Messages::captionWithoutFile(m_state.AppTitle));

    m_characterPages->fillLists();
    m_keyboardPage->nomClavier()->setText(QStringLiteral("<...>"));

    // A layout that loads brings its own font, size and direction; otherwise the stored font stands.
    m_state.KeyboardFileName = m_settings.keyboardFileName;
    if (m_state.KeyboardFileName.isEmpty() || !QFileInfo::exists(m_state.KeyboardFileName)
        || !m_keyboardFiles->load(m_state.KeyboardFileName)) {
        m_appearance->selectFont(m_settings.fontName);
        if (m_polices->currentIndex() < 0)
            m_appearance->selectFont(arialFamily());
    }
    m_appearance->policesChange();

    applyStoredGeometry();

    m_appearance->AscenceursChange(m_ascenceurs->currentIndex());
    m_state.KeyboardModified = false;

    // Opened once the window stands, so that a dialog, if one is needed, shows over it.
    if (!m_arguments.isEmpty())
        QMetaObject::invokeMethod(m_documents, &Documents::Charger, Qt::QueuedConnection);
}

void MainWindow::applyStoredGeometry()
{
    const Settings &stored = m_settings;
    // A place off every screen, or the -1 of a first start, keeps the centred design place and size.
    if (stored.formTop < 0 || stored.formLeft < 0 || stored.formWidth < 0 || stored.formHeight < 0
        || !QGuiApplication::screenAt(QPoint(stored.formLeft, stored.formTop)))
        return;
    move(stored.formLeft, stored.formTop);
    resize(stored.formWidth, stored.formHeight);
}

void MainWindow::writeSettings()
{
    Settings current = m_settings;
    current.fontName = m_polices->currentText();
    current.textSize = m_taillst->value();
    current.keyboardFileName = m_state.KeyboardFileName;
    current.formTop = y();
    current.formLeft = x();
    current.formWidth = width();
    current.formHeight = height();
    current.background = m_couleurFond->colour();
    current.textColour = m_couleurTexte->colour();
    current.scrollBars = m_ascenceurs->currentIndex();
    current.pageIndex = m_tables->currentIndex();
    current.keyFontSize = m_keyboardPage->keys().front()->font().pointSize();

    const QString path = Settings::filePath();
    QString error;
    if (!current.save(path, &error))
        qWarning("Tapoli : impossible d'enregistrer les réglages dans %s (%s)", qPrintable(path), qPrintable(error));
}

void MainWindow::UpDown2Click(bool up)
{
    const QPushButton *reference = m_keyboardPage->keys().front();
    const auto size = ButtonFamilies::steppedKeySize(reference->font().pointSize(), up);
    if (!size)
        return;
    setKeyFontSize(*size);
    m_state.KeyboardModified = true;
}

void MainWindow::setKeyFontSize(int pointSize, QWidget *root)
{
    const QList<QPushButton *> buttons = (root ? root : this)->findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (ButtonFamilies::takesKeySize(button->objectName())) {
            QFont font = button->font();
            font.setPointSize(pointSize);
            button->setFont(font);
        }
    }
}

void MainWindow::showDonation()
{
    // Built on first use: start-up has enough to do before the first paint.
    if (!m_donation)
        m_donation = new DonationWindow(m_prompter, m_launcher,
                                        std::chrono::milliseconds(m_startedAt.elapsed()), this);
    m_donation->exec();
}

void MainWindow::showHelp(int context)
{
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->showContext(context);
}
