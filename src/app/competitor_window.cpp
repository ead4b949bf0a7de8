#include "app/competitor_window.h"

#include "app/application.h"
#include "app/language_switch.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "app/text_import_window.h"
#include "app/widgets.h"
#include "core/captions.h"
#include "core/competitor_table.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/texts/core_texts.h"
#include "core/texts/entries_texts.h"
#include "entries/import_report.h"
#include "entries/start_draw.h"
#include "entries/table_commands.h"
#include "entries/xml_entry_import.h"
#include "scoring/stage_standings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace ravik {
namespace {

QString caption(const char* control) {
    return captionText(window::kCompetitors, control, Language::Czech);
}

} // namespace

CompetitorWindow::CompetitorWindow(RavikApp& app) : QWidget(nullptr), app_(app) {
    setObjectName(QLatin1String(window::kCompetitors));
    Label1 = named<QLabel>("Label1", this, caption("Label1"));
    QFont headingFont = Label1->font();
    headingFont.setPointSize(headingFont.pointSize() + 4);
    headingFont.setBold(true);
    Label1->setFont(headingFont);
    setWindowTitle(Label1->text());
    nazev_zavodu = dataLabel("nazev_zavodu", this, fromUtf8(texts::kNoRaceOpen.cze));

    buildTable();
    buildDrawGroup();

    Button2 = named<QPushButton>("Button2", this, caption("Button2"));
    Button3 = named<QPushButton>("Button3", this, QStringLiteral("Import TXT"));
    Button4 = named<QPushButton>("Button4", this, caption("Button4"));
    Button4->setToolTip(QStringLiteral("Přidej závodníka"));
    Button5 = named<QPushButton>("Button5", this, QStringLiteral("ID+"));
    Button5->setToolTip(QStringLiteral("Doplní chybějící ID"));
    Button8 = named<QPushButton>("Button8", this, caption("Button8"));
    Button10 = named<QPushButton>("Button10", this, QStringLiteral("Import IOF XML"));
    Gauge1 = named<QProgressBar>("Gauge1", this);
    Gauge1->hide();

    layOut();
    connectCommands();
}

void CompetitorWindow::buildTable() {
    tabulka = named<QTableWidget>("tabulka", this, 0, kTableColumns);
    QStringList headings;
    for (int col = 0; col < kTableColumns; ++col)
        headings << fromUtf8(columnHeading(col, Language::Czech));
    tabulka->setHorizontalHeaderLabels(headings);

    PopupMenu1 = named<QMenu>("PopupMenu1", this);
    for (int item = 0; item < kPopupItems; ++item) {
        const QByteArray name = "PopupItem" + QByteArray::number(item);
        PopupItem[item] = PopupMenu1->addAction(caption(name.constData()));
        PopupItem[item]->setObjectName(QString::fromLatin1(name));
    }
    tabulka->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabulka, &QTableWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(tabulka->viewport()->mapToGlobal(at)); });
}

void CompetitorWindow::buildDrawGroup() {
    GroupBox1 = named<QGroupBox>("GroupBox1", this, caption("GroupBox1"));
    Label3 = named<QLabel>("Label3", GroupBox1, caption("Label3"));
    los_kat = named<QComboBox>("los_kat", GroupBox1);
    los_kat->addItem(fromUtf8(kAllClassesItem.cze));
    Label5 = named<QLabel>("Label5", GroupBox1, caption("Label5"));
    los_e = named<QComboBox>("los_e", GroupBox1);
    los_e->addItem(QStringLiteral("1"));
    interval = named<QLineEdit>("interval", GroupBox1, QStringLiteral("2"));
    Label4 = named<QLabel>("Label4", GroupBox1, caption("Label4"));
    pstart = named<QLineEdit>("pstart", GroupBox1, QStringLiteral("0"));
    nahoda = named<QCheckBox>("nahoda", GroupBox1, QStringLiteral("Random"));
    nahoda->setChecked(true);
    CheckBox1 = named<QCheckBox>("CheckBox1", GroupBox1, caption("CheckBox1"));
    CheckBox2 = named<QCheckBox>("CheckBox2", GroupBox1, QStringLiteral("1.->X."));
    Button6 = named<QPushButton>("Button6", GroupBox1, caption("Button6"));
    sw1 = named<QLineEdit>("sw1", GroupBox1);
    sw2 = named<QLineEdit>("sw2", GroupBox1);
    Button9 = named<QPushButton>("Button9", GroupBox1, QStringLiteral("Switch"));

    auto* grid = new QGridLayout(GroupBox1);
    addRow(grid, 0, Label3, los_kat);
    addRow(grid, 1, Label5, los_e);
    addRow(grid, 2, plainLabel(QStringLiteral("Interval"), GroupBox1), interval);
    addRow(grid, 3, Label4, pstart);
    grid->addWidget(nahoda, 4, 0, 1, 2);
    grid->addWidget(CheckBox1, 5, 0, 1, 2);
    grid->addWidget(CheckBox2, 6, 0, 1, 2);
    grid->addWidget(Button6, 7, 0, 1, 2);
    grid->addWidget(plainLabel(QStringLiteral("Switch times"), GroupBox1), 8, 0, 1, 2);
    auto* switchRow = new QHBoxLayout;
    switchRow->addWidget(sw1);
    switchRow->addWidget(plainLabel(QStringLiteral("< - >"), GroupBox1));
    switchRow->addWidget(sw2);
    grid->addLayout(switchRow, 9, 0, 1, 2);
    grid->addWidget(Button9, 10, 0, 1, 2);
    grid->setRowStretch(11, 1);
}

void CompetitorWindow::layOut() {
    auto* heading = new QHBoxLayout;
    heading->addWidget(Label1);
    heading->addStretch();
    heading->addWidget(nazev_zavodu);

    auto* commands = new QHBoxLayout;
    for (QWidget* button :
         {static_cast<QWidget*>(Button4), static_cast<QWidget*>(Button5), static_cast<QWidget*>(Button8),
          static_cast<QWidget*>(Button3), static_cast<QWidget*>(Button10), static_cast<QWidget*>(Button2)})
        commands->addWidget(button);
    commands->addWidget(Gauge1, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(tabulka, 1);
    body->addWidget(GroupBox1);

    auto* page = new QVBoxLayout(this);
    page->addLayout(heading);
    page->addLayout(body, 1);
    page->addLayout(commands);
    resize(1100, 600);
}

} // namespace ravik

// Commands and events of the window (the shell above builds the controls).
namespace ravik {

int CompetitorWindow::drawStage() const {
    const int stage = los_e->currentText().toInt();
    return stage >= 1 && stage <= 5 ? stage : 1;
}

void CompetitorWindow::connectCommands() {
    connect(Button2, &QPushButton::clicked, this, [this] { runCommand(this, [this] { saveTable(); }); });
    connect(Button3, &QPushButton::clicked, this, &CompetitorWindow::onShowTextImport);
    connect(Button4, &QPushButton::clicked, this, &CompetitorWindow::onAddRow);
    connect(Button5, &QPushButton::clicked, this, &CompetitorWindow::onFillIds);
    connect(Button8, &QPushButton::clicked, this, &CompetitorWindow::onClearResults);
    connect(Button10, &QPushButton::clicked, this, &CompetitorWindow::onImportXml);
    connect(Button6, &QPushButton::clicked, this, &CompetitorWindow::onDraw);
    connect(Button9, &QPushButton::clicked, this, &CompetitorWindow::onSwitchTimes);
    connect(PopupMenu1, &QMenu::aboutToShow, this, &CompetitorWindow::preparePopup);
    connect(PopupItem[0], &QAction::triggered, this, &CompetitorWindow::onDeleteRow);
    for (int item = kFirstSortItem; item <= kLastSortItem; ++item)
        connect(PopupItem[item], &QAction::triggered, this, [this, item] { onSort(item); });

    // Saving on every selection of a cell and when the table loses the focus.
    connect(tabulka, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
        if (!refreshing_ && row >= 0 && col >= 0) runCommand(this, [this] { saveTable(); });
    });
    tabulka->installEventFilter(this);
    connect(tabulka, &QTableWidget::cellChanged, this, &CompetitorWindow::onCellEdited);

    connect(interval, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text.contains(QLatin1Char(','))) interval->setText(fromCp1250(intervalEditText(toCp1250(text))));
    });
    connect(pstart, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString digits = fromCp1250(firstStartEditText(toCp1250(text)));
        if (digits != text) pstart->setText(digits);
    });

    // The stage scoring writes into the table and saves: show what it wrote.
    app_.session().competitorsSaved.push_back([this] { refreshTable(); });
}

bool CompetitorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tabulka && event->type() == QEvent::FocusOut && isVisible())
        runCommand(this, [this] { saveTable(); });
    return QWidget::eventFilter(watched, event);
}

void CompetitorWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) runCommand(this, [this] { loadOnShow(); });
}

void CompetitorWindow::loadOnShow() {
    Session& session = app_.session();
    nazev_zavodu->setText(app_.mainWindow().nazev_zavodu->text());
    classSlots_ = {};
    const std::string& racePath = session.race.racePath();
    const int stage = std::max(session.race.currentStage(), 1);
    if (session.race.isOpen() && fileExists(racePath) && stage <= stageCount(racePath)) {
        const RaceRecord record = readStage(racePath, stage);
        for (int slot = 0; slot < kClassSlots; ++slot)
            classSlots_[slot] = record.classes[slot].class_name;
    }
    QStringList headings;
    for (int col = 0; col < kTableColumns; ++col)
        headings << fromUtf8(columnHeading(col, session.language));
    tabulka->setHorizontalHeaderLabels(headings);
    session.loadCompetitors();
    refreshTable();
    los_kat->clear();
    los_kat->addItem(fromUtf8(session.text(kAllClassesItem)));
    for (const std::string& name : classSlots_)
        if (!name.empty()) los_kat->addItem(fromCp1250(name));
    los_kat->setCurrentIndex(0);
}

void CompetitorWindow::refreshTable() {
    const CompetitorTable& table = app_.session().table;
    const QSignalBlocker blocker(tabulka);
    refreshing_ = true;
    tabulka->setRowCount(table.competitorRows());
    for (int row = 1; row < table.rowCount(); ++row) {
        for (int col = 0; col < kTableColumns; ++col) {
            const QString text = fromCp1250(table.cell(row, col));
            QTableWidgetItem* item = tabulka->item(row - 1, col);
            if (!item)
                tabulka->setItem(row - 1, col, new QTableWidgetItem(text));
            else if (item->text() != text)
                item->setText(text);
        }
    }
    refreshing_ = false;
    tabulka->viewport()->update();
}

void CompetitorWindow::onCellEdited(int row, int col) {
    if (refreshing_ || row < 0 || row + 1 >= app_.session().table.rowCount()) return;
    const QTableWidgetItem* item = tabulka->item(row, col);
    app_.session().table.setCell(row + 1, col, toCp1250(item ? item->text() : QString()));
}

void CompetitorWindow::saveTable() {
    app_.session().saveCompetitors();
}

void CompetitorWindow::onAddRow() {
    Session& session = app_.session();
    if (!addCompetitorRow(session.table)) session.log.append(session.text(texts::kTableFull));
    refreshTable();
}

void CompetitorWindow::onFillIds() {
    fillMissingIds(app_.session().table);
    refreshTable();
}

void CompetitorWindow::onClearResults() {
    clearResults(app_.session().table);
    refreshTable();
}

void CompetitorWindow::preparePopup() {
    const QList<QTableWidgetSelectionRange> ranges = tabulka->selectedRanges();
    popupRow_ = ranges.isEmpty() ? tabulka->currentRow() + 1 : ranges.first().topRow() + 1;
    const Session& session = app_.session();
    PopupItem[0]->setText(fromUtf8(deleteRowCaption(session.table, popupRow_, session.language)));
}

void CompetitorWindow::onDeleteRow() {
    CompetitorTable& table = app_.session().table;
    if (!deleteCompetitorRow(table, popupRow_)) return;
    // The grid always keeps one competitor row to type into.
    if (table.competitorRows() == 0) table.setRowCount(2);
    refreshTable();
}

void CompetitorWindow::onSort(int item) {
    sortByMenuItem(app_.session().table, item, classSlots_);
    refreshTable();
}

void CompetitorWindow::onShowTextImport() {
    QWidget& window = app_.textImportWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

void CompetitorWindow::onImportXml() {
    runCommand(this, [this] {
        Session& session = app_.session();
        const auto path = app_.prompt().openFileName(texts::kXmlEntryListFilter);
        if (!path) return;
        ImportProgress progress;
        progress.start = [this](int total) {
            Gauge1->setRange(0, std::max(total, 1));
            Gauge1->setValue(0);
            Gauge1->show();
        };
        progress.advance = [this](int done) { Gauge1->setValue(done); };
        progress.finish = [this] { Gauge1->hide(); };
        const EntryListImport outcome = importEntryListFile(
            session.table, *path, drawStage(), session.language, app_.prompt(), session.log, progress);
        if (outcome.read)
            logImportedClasses(outcome.addedClasses, session.race, drawStage(), session.language,
                               session.log);
        Gauge1->hide();
        refreshTable();
    });
}

void CompetitorWindow::onDraw() {
    runCommand(this, [this] {
        Session& session = app_.session();
        DrawOptions options;
        options.drawClass = toCp1250(los_kat->currentText());
        options.stage = drawStage();
        options.interval = toCp1250(interval->text());
        options.firstStart = toCp1250(pstart->text());
        options.random = nahoda->isChecked();
        options.byResults = CheckBox1->isChecked();
        options.bestFirst = CheckBox2->isChecked();
        if (options.byResults && options.stage >= 2)
            options.previousRanking = stageRankingRows(session, options.stage - 1);
        SeededRandom random = SeededRandom::fromClock();
        drawStartTimes(session.table, options, session.language, app_.prompt(), session.log, random);
        refreshTable();
        saveTable();
    });
}

void CompetitorWindow::onSwitchTimes() {
    Session& session = app_.session();
    switchStartTimes(session.table, drawStage(), toCp1250(sw1->text()), toCp1250(sw2->text()),
                     session.language, session.log);
    refreshTable();
}

} // namespace ravik
