#include "app/manual_entry_window.h"

#include "app/application.h"
#include "app/language_switch.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "app/widgets.h"
#include "core/captions.h"
#include "core/session.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ravik {

namespace {

// Widths of prukazkaTempO: title column, task columns, time column.
constexpr int kTempoTitleWidth = 54, kTempoTaskWidth = 24, kTempoTimeWidth = 38;

// The key code shown in the grid's corner, as the race office knows it (Windows key codes).
int windowsKeyCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Backspace:
        return 8;
    default:
        return qtKey < 0x100 ? qtKey : 0;
    }
}

} // namespace

ManualEntryWindow::ManualEntryWindow(RavikApp& app) : QWidget(nullptr), app_(app), entry_(app.session()) {
    setObjectName(QLatin1String(window::kManualEntry));
    setWindowTitle(captionText(window::kManualEntry, "", Language::Czech, CaptionKind::WindowTitle));

    ID = named<QComboBox>("ID", this);
    Jmeno = named<QComboBox>("Jmeno", this);
    cip = dataLabel("cip", this);
    kat = dataLabel("kat", this);
    SI1 = dataLabel("SI1", this, QStringLiteral("SI1"));

    start = named<QLineEdit>("start", this);
    cil = named<QLineEdit>("cil", this);
    // The break edits and their labels show only for breaks that the class defines.
    x1_od_label = captionLabel(window::kManualEntry, "x1_od_label", this);
    x1_od = named<QLineEdit>("x1_od", this);
    x1_do_label = captionLabel(window::kManualEntry, "x1_do_label", this);
    x1_do = named<QLineEdit>("x1_do", this);
    x2_od_label = captionLabel(window::kManualEntry, "x2_od_label", this);
    x2_od = named<QLineEdit>("x2_od", this);
    x2_do_label = captionLabel(window::kManualEntry, "x2_do_label", this);
    x2_do = named<QLineEdit>("x2_do", this);
    for (QWidget* breakControl : {static_cast<QWidget*>(x1_od_label), static_cast<QWidget*>(x1_od),
                                  static_cast<QWidget*>(x1_do_label), static_cast<QWidget*>(x1_do),
                                  static_cast<QWidget*>(x2_od_label), static_cast<QWidget*>(x2_od),
                                  static_cast<QWidget*>(x2_do_label), static_cast<QWidget*>(x2_do)})
        breakControl->hide();
    SI7 = named<QLineEdit>("SI7", this, QStringLiteral("datum"));
    Label25 = named<QLabel>("Label25", this, captionText(window::kManualEntry, "Label25", Language::Czech));

    prukazkaPreO = named<QTableWidget>("prukazkaPreO", this, 5, 1);
    prukazkaTempO = named<QTableWidget>("prukazkaTempO", this, 1, 1);

    Button3 = named<QPushButton>("Button3", this, QStringLiteral("Save punch"));
    Button4 = named<QPushButton>("Button4", this, QStringLiteral("Save TC"));
    Button2 = named<QPushButton>("Button2", this, QStringLiteral("Ulož vše"));

    auto* competitor = new QGridLayout;
    addRow(competitor, 0, plainLabel(QStringLiteral("ID"), this), ID);
    addRow(competitor, 0, captionLabel(window::kManualEntry, "LabelName", this), Jmeno, 2);
    addRow(competitor, 1, plainLabel(QStringLiteral("SI"), this), cip);
    addRow(competitor, 1, captionLabel(window::kManualEntry, "LabelClass", this), kat, 2);
    competitor->addWidget(SI1, 1, 4);
    competitor->setColumnStretch(3, 1);

    auto* times = new QGridLayout;
    addRow(times, 0, plainLabel(QStringLiteral("Start"), this), start);
    addRow(times, 0, captionLabel(window::kManualEntry, "LabelFinish", this), cil, 2);
    times->addWidget(Label25, 0, 4);
    addRow(times, 1, x1_od_label, x1_od);
    addRow(times, 1, x1_do_label, x1_do, 2);
    addRow(times, 2, x2_od_label, x2_od);
    addRow(times, 2, x2_do_label, x2_do, 2);
    addRow(times, 3, captionLabel(window::kManualEntry, "LabelDate", this), SI7);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button3);
    buttons->addWidget(Button4);
    buttons->addWidget(Button2);
    buttons->addStretch();

    auto* page = new QVBoxLayout(this);
    page->addLayout(competitor);
    page->addLayout(times);
    page->addWidget(prukazkaPreO, 1);
    page->addWidget(prukazkaTempO, 1);
    page->addLayout(buttons);
    resize(900, 600);

    for (QTableWidget* grid : {prukazkaPreO, prukazkaTempO}) {
        grid->horizontalHeader()->hide();
        grid->horizontalHeader()->setMinimumSectionSize(0); // the task columns are narrow
        grid->verticalHeader()->hide();
        grid->installEventFilter(this);
    }
    cil->installEventFilter(this);
    connect(ID, &QComboBox::activated, this, &ManualEntryWindow::onIdChosen);
    connect(Jmeno, &QComboBox::activated, this, &ManualEntryWindow::onNameChosen);
    connect(Button3, &QPushButton::clicked, this, &ManualEntryWindow::onSavePunch);
    connect(Button4, &QPushButton::clicked, this, &ManualEntryWindow::onSaveTimedControls);
    connect(Button2, &QPushButton::clicked, this, &ManualEntryWindow::onSaveAll);
    connect(prukazkaPreO, &QTableWidget::cellChanged, this, &ManualEntryWindow::onPreoCellChanged);
    connect(prukazkaTempO, &QTableWidget::cellChanged, this, &ManualEntryWindow::onTempoCellChanged);
    connect(prukazkaTempO, &QTableWidget::currentCellChanged, this, &ManualEntryWindow::onTempoCellSelected);
    app_.session().competitorsSaved.push_back([this] {
        entry_.refillListsFromTable();
        showLists();
    });
}

void ManualEntryWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    runCommand(this, [&] { entry_.show(); });
    showLists();
    showEntry();
}

bool ManualEntryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cil && event->type() == QEvent::KeyRelease) {
        readEdits();
        showTimeFormatTest();
    }
    if ((watched == prukazkaPreO || watched == prukazkaTempO) && event->type() == QEvent::KeyPress)
        return gridKeyPressed(static_cast<QTableWidget*>(watched), static_cast<QKeyEvent*>(event)->key());
    return QWidget::eventFilter(watched, event);
}

bool ManualEntryWindow::gridKeyPressed(QTableWidget* grid, int key) {
    entry_.keyDown(windowsKeyCode(key));
    {
        const QSignalBlocker blocker(prukazkaPreO);
        if (prukazkaPreO->item(0, 0)) prukazkaPreO->item(0, 0)->setText(fromCp1250(entry_.preoGrid.at(0, 0)));
    }
    const int row = grid->currentRow(), column = grid->currentColumn();
    if (row < 1 || column < 1) return false;
    if (key == Qt::Key_Delete) {
        grid->item(row, column)->setText(QString()); // cellChanged brings it into the model
        return true;
    }
    if (key == Qt::Key_Right) {
        const int next = grid == prukazkaPreO ? entry_.rightArrowInPreo(row, column)
                                              : entry_.rightArrowInTempo(row, column);
        grid->setCurrentCell(row, next);
        return true;
    }
    return false;
}

void ManualEntryWindow::onIdChosen(int index) {
    readEdits();
    runCommand(this, [&] { entry_.chooseById(toCp1250(ID->itemText(index))); });
    showEntry();
}

void ManualEntryWindow::onNameChosen(int index) {
    readEdits();
    runCommand(this, [&] { entry_.chooseByName(toCp1250(Jmeno->itemText(index))); });
    showEntry();
}

void ManualEntryWindow::onSavePunch() {
    readEdits();
    runCommand(this, [&] { entry_.savePunch(); });
}

void ManualEntryWindow::onSaveTimedControls() {
    readEdits();
    runCommand(this, [&] { entry_.saveTimedControls(); });
}

void ManualEntryWindow::onSaveAll() {
    readEdits();
    runCommand(this, [&] { entry_.saveAll(); });
}

// A typed cell: the model takes it, fills the order, upper-cases the answers and
// rebuilds the station codes of the column.
void ManualEntryWindow::onPreoCellChanged(int row, int column) {
    if (showing_ || !entry_.preoGrid.contains(row, column) || row < 1 || column < 1) return;
    entry_.preoGrid.at(row, column) = toCp1250(prukazkaPreO->item(row, column)->text());
    entry_.keyReleasedInPreo(row, column);
    showGrid(prukazkaPreO, entry_.preoGrid);
}

void ManualEntryWindow::onTempoCellChanged(int row, int column) {
    if (showing_ || !entry_.tempoGrid.contains(row, column) || row < 1 || column < 1) return;
    entry_.tempoGrid.at(row, column) = toCp1250(prukazkaTempO->item(row, column)->text());
    entry_.keyReleasedInTempo(row, column);
    showGrid(prukazkaTempO, entry_.tempoGrid);
}

void ManualEntryWindow::onTempoCellSelected(int row, int, int, int) {
    if (showing_ || row < 0) return;
    onSaveTimedControls();
}

std::array<QLineEdit*, kTimeEdits> ManualEntryWindow::timeEdits() const {
    return {start, cil, x1_od, x2_od, x1_do, x2_do};
}

void ManualEntryWindow::readEdits() {
    const auto edits = timeEdits();
    for (int i = 0; i < kTimeEdits; ++i)
        entry_.times[i] = toCp1250(edits[i]->text());
    entry_.date = toCp1250(SI7->text());
}

void ManualEntryWindow::showLists() {
    const QSignalBlocker idBlocker(ID), nameBlocker(Jmeno);
    ID->clear();
    Jmeno->clear();
    for (const std::string& id : entry_.lists.ids)
        ID->addItem(fromCp1250(id));
    for (const std::string& name : entry_.lists.names)
        Jmeno->addItem(fromCp1250(name));
    ID->setCurrentText(fromCp1250(entry_.id));
    Jmeno->setCurrentText(fromCp1250(entry_.name));
}

void ManualEntryWindow::showEntry() {
    showing_ = true;
    {
        const QSignalBlocker idBlocker(ID), nameBlocker(Jmeno);
        ID->setCurrentIndex(ID->findText(fromCp1250(entry_.id)));
        Jmeno->setCurrentIndex(Jmeno->findText(fromCp1250(entry_.name)));
    }
    cip->setText(fromCp1250(entry_.card));
    kat->setText(fromCp1250(entry_.className));
    SI1->setText(fromCp1250(entry_.si1));
    SI7->setText(fromCp1250(entry_.date));
    const auto edits = timeEdits();
    const std::array<QLabel*, kTimeEdits> labels = {nullptr,     nullptr,     x1_od_label,
                                                    x2_od_label, x1_do_label, x2_do_label};
    for (int i = 0; i < kTimeEdits; ++i) {
        edits[i]->setText(fromCp1250(entry_.times[i]));
        edits[i]->setVisible(entry_.timeEditVisible[i]);
        if (labels[i]) labels[i]->setVisible(entry_.timeEditVisible[i]);
    }
    showGrid(prukazkaPreO, entry_.preoGrid);
    showGrid(prukazkaTempO, entry_.tempoGrid);
    prukazkaTempO->setColumnWidth(0, kTempoTitleWidth);
    for (int t = 1; t <= entry_.tasks; ++t)
        prukazkaTempO->setColumnWidth(t, kTempoTaskWidth);
    prukazkaTempO->setColumnWidth(entry_.tempoTimeColumn(), kTempoTimeWidth);
    showTimeFormatTest();
    showing_ = false;
}

void ManualEntryWindow::showGrid(QTableWidget* grid, const TextGrid& cells) {
    const bool wasShowing = showing_;
    showing_ = true;
    const QSignalBlocker blocker(grid);
    grid->setRowCount(cells.rows());
    grid->setColumnCount(cells.columns());
    for (int row = 0; row < cells.rows(); ++row)
        for (int column = 0; column < cells.columns(); ++column) {
            QTableWidgetItem* item = grid->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                grid->setItem(row, column, item);
            }
            item->setText(fromCp1250(cells.at(row, column)));
            // Row 0 and column 0 hold titles.
            if (row == 0 || column == 0)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            else
                item->setFlags(item->flags() | Qt::ItemIsEditable);
        }
    showing_ = wasShowing;
}

void ManualEntryWindow::showTimeFormatTest() {
    const auto red = entry_.timeFormatTest();
    const auto edits = timeEdits();
    for (int i = 0; i < kTimeEdits; ++i) {
        QPalette palette = edits[i]->palette();
        palette.setColor(QPalette::Base, red[i] ? QColor(Qt::red) : QWidget::palette().color(QPalette::Base));
        edits[i]->setPalette(palette);
    }
}

} // namespace ravik
