#include "app/main_window.h"

#include "app/application.h"
#include "app/class_editor_window.h"
#include "app/competitor_window.h"
#include "app/lamp.h"
#include "app/language_switch.h"
#include "app/manual_entry_window.h"
#include "app/pdf_buttons.h"
#include "app/publish_window.h"
#include "app/qt_text.h"
#include "app/results_window.h"
#include "app/run_command.h"
#include "app/station_group.h"
#include "app/widgets.h"
#include "core/captions.h"
#include "core/session.h"
#include "core/texts/core_texts.h"
#include "readout/readout_pass.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace ravik {
namespace {

QString caption(const char* control) {
    return captionText(window::kMain, control, Language::Czech);
}

QToolButton* ellipsisButton(const char* name, QWidget* parent) {
    auto* button = named<QToolButton>(name, parent);
    button->setText(QStringLiteral("..."));
    return button;
}

} // namespace

MainWindow::MainWindow(RavikApp& app)
    : QWidget(nullptr), app_(app), session_(app.session()), prompt_(app.prompt()) {
    setObjectName(QLatin1String(window::kMain));
    setWindowTitle(QStringLiteral("Ravik"));
    session_.language = Language::Czech;

    buildRaceGroup();
    buildOutputGroup();
    buildReadoutGroup();
    buildPrintGroup();
    GroupBoxStation = new StationGroup(
        session_, [this] { return toUtf8(cestaSI->text()); }, [this] { onReadoutAfterCard(); }, this);

    Memo1 = named<QPlainTextEdit>("Memo1", this);
    Memo1->setReadOnly(true);
    Memo1->setMaximumBlockCount(static_cast<int>(kLogBoxLines));
    session_.log.keepLast(kLogBoxLines);
    for (const std::string& line : session_.log.lines())
        Memo1->appendPlainText(fromUtf8(line));
    // Every line goes to the race's log file; the details only there.
    session_.log.setListener([this](const std::string& line, bool detail) {
        if (!detail) Memo1->appendPlainText(fromUtf8(line));
        logFile_.write(session_.race.racePath(), line);
    });

    CZE = named<QPushButton>("CZE", this, QStringLiteral("CZE"));
    GBR = named<QPushButton>("GBR", this, QStringLiteral("GBR"));

    Timer1 = named<QTimer>("Timer1", this);
    Timer1->setInterval(5000);
    settlePassTimer = named<QTimer>("settlePassTimer", this);
    settlePassTimer->setSingleShot(true);
    settlePassTimer->setInterval(kSettlePassDelay);
    backupTimer = named<QTimer>("backupTimer", this);
    backupTimer->setInterval(300000);

    layOut();
    connectCommands();
}

MainWindow::~MainWindow() {
    session_.log.setListener(nullptr);
}

void MainWindow::buildRaceGroup() {
    GroupBox1 = named<QGroupBox>("GroupBox1", this, caption("GroupBox1"));
    Label27 = named<QLabel>("Label27", GroupBox1, caption("Label27"));
    umisteni = named<QLineEdit>("umisteni", GroupBox1);
    umisteni->setReadOnly(true);
    Button7 = named<QPushButton>("Button7", GroupBox1, QStringLiteral("..."));
    SpeedButton3 = ellipsisButton("SpeedButton3", GroupBox1);
    Button2 = named<QPushButton>("Button2", GroupBox1, caption("Button2"));
    nazev_zavodu = dataLabel("nazev_zavodu", GroupBox1, fromUtf8(texts::kNoRaceOpen.cze));
    QFont bold = nazev_zavodu->font();
    bold.setBold(true);
    nazev_zavodu->setFont(bold);
    hlavni_misto = dataLabel("hlavni_misto", GroupBox1);
    Label1 = named<QLabel>("Label1", GroupBox1, caption("Label1"));
    hlavni_etapa = named<QComboBox>("hlavni_etapa", GroupBox1);
    zavod_datum = named<QLineEdit>("zavod_datum", GroupBox1);
    zavod_datum->hide();
    Button21 = named<QPushButton>("Button21", GroupBox1, caption("Button21"));
    Button15 = named<QPushButton>("Button15", GroupBox1, caption("Button15"));

    auto* grid = new QGridLayout(GroupBox1);
    grid->addWidget(Label27, 0, 0);
    grid->addWidget(umisteni, 0, 1, 1, 3);
    grid->addWidget(Button7, 0, 4);
    grid->addWidget(SpeedButton3, 0, 5);
    grid->addWidget(Button2, 0, 6);
    grid->addWidget(nazev_zavodu, 1, 0, 1, 7);
    grid->addWidget(hlavni_misto, 2, 0, 1, 7);
    grid->addWidget(Label1, 3, 0);
    grid->addWidget(hlavni_etapa, 3, 1);
    grid->addWidget(Button21, 3, 2);
    grid->addWidget(Button15, 3, 3);
    grid->setColumnStretch(1, 1);
}

void MainWindow::buildOutputGroup() {
    GroupBox3 = named<QGroupBox>("GroupBox3", this, caption("GroupBox3"));
    Button17 = named<QPushButton>("Button17", GroupBox3, caption("Button17"));
    Button17->setToolTip(QStringLiteral("Startovka je seřazená tak, jak jsou seřazeni ZÁVODNÍCI."));
    Button1 = named<QPushButton>("Button1", GroupBox3, caption("Button1"));
    Button20 = named<QPushButton>("Button20", GroupBox3, QStringLiteral("FTP"));
    auto* row = new QHBoxLayout(GroupBox3);
    row->addWidget(Button17);
    row->addWidget(Button1);
    row->addWidget(Button20);
    Button17Pdf = addPdfButton(Button17, window::kMain, "Button17Pdf");
}

void MainWindow::buildReadoutGroup() {
    GroupBox2 = named<QGroupBox>("GroupBox2", this, caption("GroupBox2"));
    Label10 = named<QLabel>("Label10", GroupBox2, caption("Label10"));
    cestaSI = named<QLineEdit>("cestaSI", GroupBox2);
    Button18 = named<QPushButton>("Button18", GroupBox2, QStringLiteral("..."));
    SpeedButton2 = ellipsisButton("SpeedButton2", GroupBox2);
    CheckBox1 = named<QCheckBox>("CheckBox1", GroupBox2, caption("CheckBox1"));
    novedatum = named<QLineEdit>("novedatum", GroupBox2);
    novedatum->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    novedatum->setToolTip(QStringLiteral("YYYY-MM-DD"));
    CSVjednou = named<QPushButton>("CSVjednou", GroupBox2, caption("CSVjednou"));
    CSVjednou->setToolTip(QStringLiteral("Vezme protokol SI (CSV soubor), pokud obsahuje víc závodníků, "
                                         "rozdělí jej a pošle na net."));
    CSVautomat = named<QPushButton>("CSVautomat", GroupBox2, caption("CSVautomat"));
    SpeedButton1 = named<QToolButton>("SpeedButton1", GroupBox2);
    SpeedButton1->setText(QStringLiteral("■"));
    Shape1 = named<Lamp>("Shape1", GroupBox2);
    Label2 = named<QLabel>("Label2", GroupBox2, caption("Label2"));
    intervalCSV = named<QLineEdit>("intervalCSV", GroupBox2, QStringLiteral("5"));
    intervalCSV->setMaximumWidth(50);
    Label4 = named<QLabel>("Label4", GroupBox2, caption("Label4"));
    Memo2 = named<QPlainTextEdit>("Memo2", GroupBox2);
    Memo2->setReadOnly(true);
    Memo2->setMaximumHeight(90);
    // Its pop-up menu offers "Refresh", which changes nothing.
    Memo2->setContextMenuPolicy(Qt::ActionsContextMenu);
    Memo2->addAction(new QAction(QStringLiteral("Refresh"), Memo2));
    assignCard = named<QPushButton>("assignCard", GroupBox2, caption("assignCard"));
    Memo2->viewport()->installEventFilter(this);
    CheckBox2 = named<QCheckBox>("CheckBox2", GroupBox2, caption("CheckBox2"));
    CheckBox2->setChecked(true);
    ButtonV = named<QPushButton>("ButtonV", GroupBox2, caption("ButtonV"));
    onRewriteDateToggled(false);

    auto* grid = new QGridLayout(GroupBox2);
    grid->addWidget(Label10, 0, 0, 1, 4);
    grid->addWidget(cestaSI, 1, 0, 1, 2);
    grid->addWidget(Button18, 1, 2);
    grid->addWidget(SpeedButton2, 1, 3);
    grid->addWidget(CheckBox1, 2, 0);
    grid->addWidget(novedatum, 2, 1);
    grid->addWidget(CSVjednou, 3, 0);
    auto* automatic = new QHBoxLayout;
    automatic->addWidget(CSVautomat);
    automatic->addWidget(SpeedButton1);
    automatic->addWidget(Shape1);
    grid->addLayout(automatic, 3, 1, 1, 3);
    grid->addWidget(Label2, 4, 0);
    grid->addWidget(intervalCSV, 4, 1, Qt::AlignLeft);
    grid->addWidget(Label4, 5, 0, 1, 2);
    grid->addWidget(assignCard, 5, 2, 1, 2, Qt::AlignRight);
    grid->addWidget(Memo2, 6, 0, 1, 4);
    grid->addWidget(CheckBox2, 7, 0);
    grid->addWidget(ButtonV, 7, 1);
    grid->setColumnStretch(1, 1);
}

void MainWindow::buildPrintGroup() {
    GroupBox4 = named<QGroupBox>("GroupBox4", this, caption("GroupBox4"));
    ListBox1 = named<QListWidget>("ListBox1", GroupBox4);
    ListBox1->setToolTip(QStringLiteral("Refresh = pravé tlačítko"));
    ListBox1->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* refresh = new QAction(QStringLiteral("Refresh"), ListBox1);
    auto* remove = new QAction(QStringLiteral("Delete"), ListBox1);
    ListBox1->addAction(refresh);
    ListBox1->addAction(remove);
    connect(refresh, &QAction::triggered, this, &MainWindow::onPrintListRefresh);
    connect(remove, &QAction::triggered, this, &MainWindow::onPrintListDelete);
    Button12 = named<QPushButton>("Button12", GroupBox4, caption("Button12"));
    CheckBox3 = named<QCheckBox>("CheckBox3", GroupBox4, caption("CheckBox3"));
    CheckBox4 = named<QCheckBox>("CheckBox4", GroupBox4, caption("CheckBox4"));
    CheckBox4->setChecked(true);
    CheckBox4->setToolTip(QStringLiteral("Tiskne na default printer nastavenou ve Windows device manager"));
    mezicasy_okno = named<QCheckBox>("mezicasy_okno", GroupBox4, caption("mezicasy_okno"));
    CheckBox5 = named<QCheckBox>("CheckBox5", GroupBox4, QStringLiteral("Rotate 90°"));
    tisk_format = named<QComboBox>("tisk_format", GroupBox4);
    for (int item = 0; item < 3; ++item)
        tisk_format->addItem(
            captionText(window::kMain, "tisk_format", Language::Czech, CaptionKind::Item, item));
    zoom = named<QSlider>("zoom", GroupBox4, Qt::Horizontal);
    zoom->setRange(1, 50);
    zoom->setSingleStep(1);
    zoom->setPageStep(1);
    zoom->setValue(1);
    onZoomChanged(zoom->value());

    auto* grid = new QGridLayout(GroupBox4);
    grid->addWidget(ListBox1, 0, 0, 6, 1);
    grid->addWidget(Button12, 0, 1);
    grid->addWidget(CheckBox3, 1, 1);
    grid->addWidget(CheckBox4, 2, 1);
    grid->addWidget(mezicasy_okno, 3, 1);
    auto* paper = new QHBoxLayout;
    paper->addWidget(CheckBox5);
    paper->addWidget(tisk_format);
    grid->addLayout(paper, 4, 1);
    grid->addWidget(zoom, 5, 1);
}

void MainWindow::layOut() {
    auto* languages = new QHBoxLayout;
    languages->addStretch();
    languages->addWidget(CZE);
    languages->addWidget(GBR);

    auto* left = new QVBoxLayout;
    left->addWidget(GroupBox1);
    left->addWidget(GroupBox3);
    left->addWidget(GroupBox4);
    left->addLayout(languages);

    // The log box can be enlarged: dragging the handle up folds the read-out groups away.
    auto* readout = new QWidget(this);
    auto* readoutLayout = new QVBoxLayout(readout);
    readoutLayout->setContentsMargins(0, 0, 0, 0);
    readoutLayout->addWidget(GroupBox2);
    readoutLayout->addWidget(GroupBoxStation);
    logSplitter = named<QSplitter>("logSplitter", this, Qt::Vertical);
    logSplitter->addWidget(readout);
    logSplitter->addWidget(Memo1);
    logSplitter->setStretchFactor(1, 1);

    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left, 1);
    columns->addWidget(logSplitter, 1);
    resize(900, 600);
}

void MainWindow::connectCommands() {
    connect(Button7, &QPushButton::clicked, this, &MainWindow::onOpenRace);
    connect(SpeedButton3, &QToolButton::clicked, this, &MainWindow::onOpenRace);
    connect(Button2, &QPushButton::clicked, this, &MainWindow::onNewRace);
    connect(hlavni_etapa, &QComboBox::currentTextChanged, this, &MainWindow::onStageChanged);

    connect(Button21, &QPushButton::clicked, this, &MainWindow::onShowClassEditor);
    connect(Button15, &QPushButton::clicked, this, &MainWindow::onShowCompetitors);
    connect(Button1, &QPushButton::clicked, this, &MainWindow::onShowResults);
    connect(Button20, &QPushButton::clicked, this, &MainWindow::onShowPublishing);
    connect(Button17, &QPushButton::clicked, this, &MainWindow::onStartList);
    connect(Button17Pdf, &QPushButton::clicked, this, &MainWindow::onStartListPdf);
    connect(ButtonV, &QPushButton::clicked, this, &MainWindow::onShowManualEntry);

    connect(Button18, &QPushButton::clicked, this, &MainWindow::onChooseReadoutLog);
    connect(SpeedButton2, &QToolButton::clicked, this, &MainWindow::onChooseReadoutLog);
    connect(CSVjednou, &QPushButton::clicked, this, &MainWindow::onReadoutOnce);
    connect(assignCard, &QPushButton::clicked, this, &MainWindow::onAssignCard);
    connect(CSVautomat, &QPushButton::clicked, this, &MainWindow::onReadoutAutomatic);
    connect(SpeedButton1, &QToolButton::clicked, this, &MainWindow::onReadoutStop);
    connect(Timer1, &QTimer::timeout, this, [this] {
        if (!aDialogIsOpen()) onReadoutOnce();
    });
    connect(settlePassTimer, &QTimer::timeout, this, [this] {
        // The pass prints and may show a message: not inside another dialog.
        if (aDialogIsOpen())
            settlePassTimer->start();
        else
            onReadoutAfterCard();
    });
    connect(CheckBox1, &QCheckBox::toggled, this, &MainWindow::onRewriteDateToggled);

    connect(Button12, &QPushButton::clicked, this, &MainWindow::onPrint);
    connect(ListBox1, &QListWidget::itemClicked, this, &MainWindow::onPrintListClicked);
    connect(zoom, &QSlider::valueChanged, this, &MainWindow::onZoomChanged);

    connect(backupTimer, &QTimer::timeout, this, &MainWindow::onBackupTimer);

    connect(CZE, &QPushButton::clicked, this, &MainWindow::onLanguageCzech);
    connect(GBR, &QPushButton::clicked, this, &MainWindow::onLanguageEnglish);
}

void MainWindow::setRacePath(const QString& racePath) {
    umisteni->setText(racePath);
    session_.race.setRacePath(toUtf8(racePath));
}

// The race named on the command line is opened as if chosen with "...".
void MainWindow::openRaceAtStart(const QString& racePath) {
    runCommand(this, [&] { openChosenRace(toUtf8(racePath), RaceNaming::Open); });
}

void MainWindow::showGuarded(QWidget* window, const Text& refusal) {
    if (!session_.race.isOpen()) {
        session_.log.append(session_.text(refusal));
        return;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void MainWindow::onShowClassEditor() {
    showGuarded(&app_.classEditorWindow(), texts::kGuardRace);
}
void MainWindow::onShowCompetitors() {
    showGuarded(&app_.competitorWindow(), texts::kGuardCompetitors);
}
void MainWindow::onShowResults() {
    showGuarded(&app_.resultsWindow(), texts::kGuardResults);
}
void MainWindow::onShowPublishing() {
    showGuarded(&app_.publishWindow(), texts::kGuardFtp);
}

void MainWindow::onShowManualEntry() {
    if (hlavni_etapa->currentText().isEmpty()) return;
    QWidget& window = app_.manualEntryWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

void MainWindow::onLanguageCzech() {
    applyLanguage(app_, Language::Czech);
}
void MainWindow::onLanguageEnglish() {
    applyLanguage(app_, Language::English);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!settingsLoaded_) {
        settingsLoaded_ = true;
        loadSettings();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    saveSettings();
    QWidget::closeEvent(event);
}

} // namespace ravik
