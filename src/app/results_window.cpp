#include "app/results_window.h"

#include "app/application.h"
#include "app/browser_window.h"
#include "app/language_switch.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "app/widgets.h"
#include "core/captions.h"
#include "core/file_io.h"
#include "core/numbers.h"
#include "core/race_file.h"
#include "core/session.h"
#include "core/texts/scoring_texts.h"
#include "scoring/results_window_rules.h"

#include <QFileInfo>
#include <QLabel>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace ravik {
namespace {

QString caption(const char* control) {
    return captionText(window::kResults, control, Language::Czech);
}
QString hint(const char* control) {
    return captionText(window::kResults, control, Language::Czech, CaptionKind::Hint);
}

QLineEdit* numberEdit(const char* name, QWidget* parent, const QString& text) {
    auto* edit = named<QLineEdit>(name, parent, text);
    edit->setMaximumWidth(50);
    return edit;
}

} // namespace

ResultsWindow::ResultsWindow(RavikApp& app) : QWidget(nullptr), app_(app) {
    setObjectName(QLatin1String(window::kResults));
    setWindowTitle(captionText(window::kResults, "", Language::Czech, CaptionKind::WindowTitle));
    buildStageGroup();
    buildOverallGroup();
    buildRegenerationGroup();
    buildPageGroup();
    layOut();
    connectStageGroup();
    connectOverallGroup();
    buildXmlButtons();
    buildJuryControls();
    buildPdfButtons();
    connectRegeneration();
}

void ResultsWindow::buildStageGroup() {
    GroupBox1 = named<QGroupBox>("GroupBox1", this, caption("GroupBox1"));
    Label2 = named<QLabel>("Label2", GroupBox1, caption("Label2"));
    ComboBox1 = named<QComboBox>("ComboBox1", GroupBox1);
    ComboBox1->addItem(QStringLiteral("1"));
    Label6 = named<QLabel>("Label6", GroupBox1, caption("Label6"));
    ListBox1 = named<QListWidget>("ListBox1", GroupBox1);
    ListBox1->setSelectionMode(QAbstractItemView::MultiSelection);
    ListBox1->setToolTip(hint("ListBox1"));

    CheckBox1 = named<QCheckBox>("CheckBox1", GroupBox1, caption("CheckBox1"));
    CheckBox1->setToolTip(hint("CheckBox1"));
    CheckBox2 = named<QCheckBox>("CheckBox2", GroupBox1, caption("CheckBox2"));
    CheckBox3 = named<QCheckBox>("CheckBox3", GroupBox1, caption("CheckBox3"));
    CheckBox18 = named<QCheckBox>("CheckBox18", GroupBox1, caption("CheckBox18"));
    CheckBox4 = named<QCheckBox>("CheckBox4", GroupBox1, caption("CheckBox4"));
    CheckBox5 = named<QCheckBox>("CheckBox5", GroupBox1, caption("CheckBox5"));
    Edit1 = numberEdit("Edit1", GroupBox1, QStringLiteral("60"));
    Edit1->setToolTip(QStringLiteral("Trestné sekundy za chybu v PreO části (týká se i štafet)"));
    CheckBox6 = named<QCheckBox>("CheckBox6", GroupBox1, caption("CheckBox6"));
    RadioButton1 = named<QRadioButton>("RadioButton1", GroupBox1, caption("RadioButton1"));
    RadioButton1->setToolTip(hint("RadioButton1"));
    RadioButton2 = named<QRadioButton>("RadioButton2", GroupBox1, caption("RadioButton2"));
    RadioButton2->setToolTip(hint("RadioButton2"));
    RadioButton3 = named<QRadioButton>("RadioButton3", GroupBox1, caption("RadioButton3"));
    RadioButton3->setToolTip(hint("RadioButton3"));
    Edit6 = numberEdit("Edit6", GroupBox1, QString());
    Edit6->setToolTip(QStringLiteral("How many controls pick a competitor during his leg."));
    CheckBox10 = named<QCheckBox>("CheckBox10", GroupBox1, QStringLiteral("Qualification line after"));
    Edit7 = numberEdit("Edit7", GroupBox1, QStringLiteral("16"));
    oris = named<QCheckBox>("oris", GroupBox1, caption("oris"));
    CheckBox20 = named<QCheckBox>("CheckBox20", GroupBox1, caption("CheckBox20"));
    Button2 = named<QPushButton>("Button2", GroupBox1, caption("Button2"));

    auto* grid = new QGridLayout(GroupBox1);
    addRow(grid, 0, Label2, ComboBox1);
    grid->addWidget(Label6, 1, 0);
    grid->addWidget(ListBox1, 2, 0, 12, 1);
    int row = 1;
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3, CheckBox18, CheckBox4})
        grid->addWidget(box, row++, 1);
    auto* tempo = new QHBoxLayout;
    tempo->addWidget(CheckBox5);
    tempo->addWidget(Edit1);
    grid->addLayout(tempo, row++, 1);
    grid->addWidget(CheckBox6, row++, 1);
    auto* relays = new QHBoxLayout;
    relays->addWidget(RadioButton1);
    relays->addWidget(RadioButton2);
    relays->addWidget(RadioButton3);
    relays->addWidget(Edit6);
    grid->addLayout(relays, row++, 1);
    auto* qualification = new QHBoxLayout;
    qualification->addWidget(CheckBox10);
    qualification->addWidget(Edit7);
    qualification->addWidget(plainLabel(QStringLiteral("lines"), GroupBox1));
    qualification->addStretch();
    grid->addLayout(qualification, row++, 1);
    grid->addWidget(oris, row++, 1);
    grid->addWidget(CheckBox20, row++, 1);
    grid->addWidget(Button2, row++, 1);
}

void ResultsWindow::buildOverallGroup() {
    GroupBox6 = named<QGroupBox>("GroupBox6", this, caption("GroupBox6"));
    ee1 = named<QCheckBox>("ee1", GroupBox6, QStringLiteral("E1"));
    ee2 = named<QCheckBox>("ee2", GroupBox6, QStringLiteral("+ E2"));
    ee3 = named<QCheckBox>("ee3", GroupBox6, QStringLiteral("+ E3"));
    ee4 = named<QCheckBox>("ee4", GroupBox6, QStringLiteral("+ E4"));
    ee5 = named<QCheckBox>("ee5", GroupBox6, QStringLiteral("+ E5"));
    Label7 = named<QLabel>("Label7", GroupBox6, caption("Label7"));
    ListBox2 = named<QListWidget>("ListBox2", GroupBox6);
    ListBox2->setSelectionMode(QAbstractItemView::MultiSelection);
    CheckBox9 = named<QCheckBox>("CheckBox9", GroupBox6, QStringLiteral("jen komplet výsledky"));
    CheckBox9->setChecked(true);
    CheckBox21 = named<QCheckBox>("CheckBox21", GroupBox6, caption("CheckBox21"));
    Label8 = named<QLabel>("Label8", GroupBox6, caption("Label8"));
    nadpis = named<QLineEdit>("nadpis", GroupBox6);
    Button1 = named<QPushButton>("Button1", GroupBox6, caption("Button1"));

    auto* grid = new QGridLayout(GroupBox6);
    auto* stages = new QHBoxLayout;
    // The stage boxes are enabled for the stages the race has, when the window is shown.
    for (QCheckBox* stage : {ee1, ee2, ee3, ee4, ee5}) {
        stage->setEnabled(false);
        stages->addWidget(stage);
    }
    grid->addLayout(stages, 0, 0, 1, 2);
    grid->addWidget(Label7, 1, 0);
    grid->addWidget(ListBox2, 2, 0, 4, 1);
    grid->addWidget(CheckBox9, 2, 1);
    grid->addWidget(CheckBox21, 3, 1);
    grid->addWidget(Button1, 4, 1);
    addRow(grid, 6, Label8, nadpis);
}

void ResultsWindow::buildRegenerationGroup() {
    GroupBox2 = named<QGroupBox>("GroupBox2", this, caption("GroupBox2"));
    CheckBox16 = named<QCheckBox>("CheckBox16", GroupBox2, caption("CheckBox16"));
    Edit3 = numberEdit("Edit3", GroupBox2, QStringLiteral("10"));
    Edit3->setToolTip(QStringLiteral("Minuty"));
    Button3 = named<QPushButton>("Button3", GroupBox2, caption("Button3"));
    Button3->setToolTip(hint("Button3"));
    Button5 = named<QPushButton>("Button5", GroupBox2, QStringLiteral("Info - 0"));
    Timer1 = named<QTimer>("Timer1", this);

    auto* row = new QHBoxLayout(GroupBox2);
    row->addWidget(CheckBox16);
    row->addWidget(Edit3);
    row->addWidget(plainLabel(QStringLiteral("min"), GroupBox2));
    row->addWidget(Button3);
    row->addWidget(Button5);
    row->addStretch();
}

void ResultsWindow::buildPageGroup() {
    // Placed by hand: the language switch moves Edit5 to the end of CheckBox7's caption.
    GroupBox3 = named<QGroupBox>("GroupBox3", this, caption("GroupBox3"));
    GroupBox3->setMinimumSize(400, 120);
    auto* refresh = plainLabel(QStringLiteral("Refresh"), GroupBox3);
    refresh->move(8, 26);
    Edit2 = numberEdit("Edit2", GroupBox3, QStringLiteral("300"));
    Edit2->setGeometry(80, 22, 50, 24);
    CheckBox7 = named<QCheckBox>("CheckBox7", GroupBox3, caption("CheckBox7"));
    CheckBox7->move(8, 54);
    Edit5 = numberEdit("Edit5", GroupBox3, QStringLiteral("30"));
    Edit5->setToolTip(QStringLiteral("Větší číslo = pomaleji"));
    Edit5->setGeometry(edit5Left(Language::Czech), 52, 50, 24);
    // Takes effect only when the regeneration sets it; the window never enables it.
    CheckBox8 = named<QCheckBox>("CheckBox8", GroupBox3, caption("CheckBox8"));
    CheckBox8->setEnabled(false);
    CheckBox8->move(8, 84);
    Edit4 = numberEdit("Edit4", GroupBox3, QStringLiteral("6"));
    Edit4->setGeometry(200, 82, 50, 24);
}

void ResultsWindow::layOut() {
    auto* right = new QVBoxLayout;
    right->addWidget(GroupBox6, 1);
    right->addWidget(GroupBox3);
    right->addWidget(GroupBox2);

    auto* columns = new QHBoxLayout(this);
    columns->addWidget(GroupBox1, 1);
    columns->addLayout(right, 1);
    resize(1000, 560);
}

} // namespace ravik

namespace ravik {

void ResultsWindow::connectStageGroup() {
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { stageChanged(); });
    connect(CheckBox6, &QCheckBox::clicked, this, [this] { relayClicked(); });
    connect(Button2, &QPushButton::clicked, this, [this] { runStageResults(); });
    // Edit1 takes digits only: after each change by the user the rest is dropped.
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString digits = fromUtf8(digitsOnly(toUtf8(text)));
        if (digits != text) Edit1->setText(digits);
    });
}

void ResultsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    prepare();
}

void ResultsWindow::prepare() {
    Session& session = app_.session();
    Button5->setText(fromUtf8(jobs_.infoCaption()));
    for (QCheckBox* stage : {ee1, ee2, ee3, ee4, ee5})
        stage->setEnabled(false);
    const std::string& racePath = session.race.racePath();
    if (racePath.empty() || !fileExists(racePath)) return;
    runCommand(this, [&] {
        const int stages = std::min(stageCount(racePath), kMaxStages);
        const QSignalBlocker blocker(ComboBox1);
        ComboBox1->clear();
        for (int stage = 1; stage <= stages; ++stage)
            ComboBox1->addItem(QString::number(stage));
        const std::array<QCheckBox*, kMaxStages> overallStages = {ee1, ee2, ee3, ee4, ee5};
        for (int stage = 1; stage <= stages; ++stage)
            overallStages[stage - 1]->setEnabled(true);
        ComboBox1->setCurrentText(fromUtf8(session.race.currentStageText()));
        const int stage = ComboBox1->currentText().toInt();
        const RaceRecord record = stage >= 1 ? readStage(racePath, stage) : RaceRecord{};
        if (nadpis->text().isEmpty()) nadpis->setText(fromCp1250(record.race_name));
        for (QListWidget* list : {ListBox1, ListBox2}) {
            list->clear();
            fillClassList(list, record);
        }
    });
}

void ResultsWindow::fillClassList(QListWidget* list, const RaceRecord& record) {
    const std::vector<std::string> selected = selectedClasses(list);
    list->clear();
    for (const std::string& name : classListItems(record)) {
        auto* item = new QListWidgetItem(fromCp1250(name), list);
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
        item->setSelected(std::find(selected.begin(), selected.end(), name) != selected.end());
    }
}

// The stage's own classes to choose from; a class chosen before stays chosen when the stage has it.
void ResultsWindow::stageChanged() {
    Session& session = app_.session();
    runCommand(this, [&] {
        const int stage = ComboBox1->currentText().toInt();
        if (stage < 1 || !fileExists(session.race.racePath())) return;
        session.log.appendDetail(session.race.stageFolder(stage));
        if (stage <= stageCount(session.race.racePath()))
            fillClassList(ListBox1, readStage(session.race.racePath(), stage));
    });
}

void ResultsWindow::relayClicked() {
    const RelayButtons after =
        relayButtonsAfterClick(CheckBox6->isChecked(), {RadioButton1->isChecked(), RadioButton2->isChecked(),
                                                        RadioButton3->isChecked()});
    // Exclusive radio buttons cannot be unselected one by one.
    for (QRadioButton* button : {RadioButton1, RadioButton2, RadioButton3})
        button->setAutoExclusive(false);
    RadioButton1->setChecked(after.farsta);
    RadioButton2->setChecked(after.motala);
    RadioButton3->setChecked(after.teams);
    for (QRadioButton* button : {RadioButton1, RadioButton2, RadioButton3})
        button->setAutoExclusive(true);
}

std::vector<std::string> ResultsWindow::selectedClasses(const QListWidget* list) {
    std::vector<std::string> names;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        if (item->isSelected()) names.push_back(item->data(Qt::UserRole).toByteArray().toStdString());
    }
    return names;
}

ScoringOptions ResultsWindow::readScoringControls(int stage) const {
    ScoringOptions scoring;
    scoring.stage = stage;
    scoring.keepOrder = CheckBox4->isChecked();
    scoring.tempoStyle = CheckBox5->isChecked();
    scoring.wrongAnswerPenalty = toUtf8(Edit1->text());
    scoring.unansweredIsWrong = CheckBoxIOF->isChecked();
    return scoring;
}

StageScoreCache* ResultsWindow::scoreCacheOf(int stage) const {
    return stage >= 1 && stage <= kMaxStages ? &(*scoreCaches_)[stage - 1] : nullptr;
}

ResultsRunOptions ResultsWindow::readStageOptions() const {
    ResultsRunOptions options;
    options.scoring = readScoringControls(ComboBox1->currentText().toInt());
    options.scoring.selectedClasses = selectedClasses(ListBox1);
    PageOptions& page = options.page;
    page.caption = toCp1250(nadpis->text());
    page.sameCourses = CheckBox1->isChecked();
    page.scoreColumns = CheckBox2->isChecked();
    page.details = CheckBox3->isChecked();
    page.splits = CheckBox18->isChecked();
    page.qualificationLine = CheckBox10->isChecked();
    page.qualificationAfter = toUtf8(Edit7->text());
    page.oris = oris->isChecked();
    page.refreshSeconds = toUtf8(Edit2->text());
    page.rolling = CheckBox7->isChecked();
    page.rollPeriod = toUtf8(Edit5->text());
    page.holdLeaders = CheckBox8->isChecked();
    page.leaderPlaces = toUtf8(Edit4->text());
    options.relayRace = CheckBox6->isChecked();
    options.relayForm =
        relayFormOf({RadioButton1->isChecked(), RadioButton2->isChecked(), RadioButton3->isChecked()});
    options.legControls = toUtf8(Edit6->text());
    options.cache = scoreCacheOf(options.scoring.stage);
    return options;
}

bool ResultsWindow::runStageResults() {
    lastPagePath.clear();
    return runCommand(this, [&] {
        const ResultsRunOutcome outcome = runResults(app_.session(), readStageOptions());
        if (outcome.noClassSelected) app_.prompt().information(app_.session().text(texts::kNoClassSelected));
        if (fromUtf8(outcome.wrongAnswerPenalty) != Edit1->text())
            Edit1->setText(fromUtf8(outcome.wrongAnswerPenalty));
        lastPagePath = outcome.pagePath;
        if (!outcome.pagePath.empty())
            app_.browserWindow().showPage(QFileInfo(fromUtf8(outcome.pagePath)).absoluteFilePath(),
                                          CheckBox20->isChecked());
        recordJobIfAsked(JobKind::StageResults);
    });
}

} // namespace ravik
