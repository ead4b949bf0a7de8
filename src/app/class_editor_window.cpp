#include "app/class_editor_window.h"

#include "app/application.h"
#include "app/competitor_window.h"
#include "app/language_switch.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "app/widgets.h"
#include "core/captions.h"
#include "core/numbers.h"
#include "core/texts/setup_texts.h"
#include "setup/grid_cells.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ravik {
namespace {

QString caption(const char* control) {
    return captionText(window::kClassEditor, control, Language::Czech);
}

// A grid whose column 0 holds fixed row titles (prefix + number).
QTableWidget* titledGrid(const char* name, QWidget* parent, int rows, int columns, const QString& prefix,
                         int firstNumber) {
    auto* grid = named<QTableWidget>(name, parent, rows, columns);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->horizontalHeader()->setDefaultSectionSize(26);
    grid->setColumnWidth(0, 64);
    for (int row = 0; row < rows; ++row) {
        auto* title = new QTableWidgetItem(prefix + QString::number(firstNumber + row));
        title->setFlags(Qt::ItemIsEnabled);
        title->setBackground(parent->palette().color(QPalette::Button));
        grid->setItem(row, 0, title);
    }
    return grid;
}

// Column widths that show "Cluster 20", a flag range "A-F" and a four-digit code whole.
// The grid as large as its cells (rows of at most 21 pixels: the control grids use
// 21 for the right-button take-over), so the layout never hides a row or a column
// behind a scroll bar.
void fitToCells(QTableWidget* grid) {
    int width = 2 * grid->frameWidth();
    for (int column = 0; column < grid->columnCount(); ++column)
        width += grid->columnWidth(column);
    grid->setMinimumSize(width, grid->rowCount() * 21 + 2 * grid->frameWidth());
    grid->setMaximumWidth(width);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// Headed by the task numbers 1 to 9 and "X", the switch that leaves the cluster unscored.
void headClusterColumns(QTableWidget* grid) {
    QStringList headings{QString()};
    for (int task = 1; task < grid->columnCount() - 1; ++task)
        headings << QString::number(task);
    headings << QStringLiteral("X");
    grid->setHorizontalHeaderLabels(headings);
    grid->horizontalHeader()->show();
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void sizeClusterColumns(QTableWidget* grid) {
    grid->setColumnWidth(0, 70);
    for (int column = 1; column < grid->columnCount(); ++column)
        grid->setColumnWidth(column, 20);
    fitToCells(grid);
    grid->setMinimumHeight(grid->minimumHeight() + grid->horizontalHeader()->sizeHint().height());
}

void sizeControlColumns(QTableWidget* grid) {
    grid->setColumnWidth(0, 36);
    grid->setColumnWidth(1, 32);
    grid->setColumnWidth(2, 30);
    for (int column = 3; column < grid->columnCount(); ++column)
        grid->setColumnWidth(column, 31);
    fitToCells(grid);
}

QLabel* yellowLabel(const char* name, QWidget* parent) {
    auto* label = dataLabel(name, parent);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::yellow);
    label->setPalette(palette);
    label->setMinimumWidth(60);
    return label;
}

} // namespace

ClassEditorWindow::ClassEditorWindow(RavikApp& app)
    : QWidget(nullptr), app_(app), editor_(app.session(), app.prompt()) {
    setObjectName(QLatin1String(window::kClassEditor));
    setWindowTitle(fromUtf8(texts::kClassEditorTitle.cze));
    buildStageGroup();
    buildClassGroups();
    buildClusterGroup();
    buildControlGroup();
    buildLimitsAndBreaks();
    layOut();
    connectCommands();

    editor_.hooks.stageCountChanged = [this](int count) {
        app_.mainWindow().showStageCount(count);
        QComboBox* drawStage = app_.competitorWindow().los_e;
        const QString text = drawStage->currentText();
        drawStage->clear();
        for (int stage = 1; stage <= count; ++stage)
            drawStage->addItem(QString::number(stage));
        drawStage->setCurrentIndex(std::max(drawStage->findText(text), 0));
    };
    editor_.hooks.stageShown = [this](const RaceRecord& stage) { app_.mainWindow().showEditorStage(stage); };
    editor_.hooks.raceNameShown = [this](const std::string& name) { app_.mainWindow().showRaceName(name); };
}

void ClassEditorWindow::buildStageGroup() {
    GroupBox5 = named<QGroupBox>("GroupBox5", this, caption("GroupBox5"));
    Label19 = named<QLabel>("Label19", GroupBox5, caption("Label19"));
    etapa = yellowLabel("etapa", GroupBox5);
    seznam_etap = named<QComboBox>("seznam_etap", GroupBox5);
    Button7 = named<QPushButton>("Button7", GroupBox5, QStringLiteral("+"));
    Button2 = named<QPushButton>("Button2", GroupBox5, QStringLiteral("-"));
    Label1 = named<QLabel>("Label1", GroupBox5, caption("Label1"));
    zavod_datum = named<QLineEdit>("zavod_datum", GroupBox5);
    Label2 = named<QLabel>("Label2", GroupBox5, caption("Label2"));
    Label22 = named<QLabel>("Label22", GroupBox5, caption("Label22"));
    zavod_misto = named<QLineEdit>("zavod_misto", GroupBox5);
    zavod_start = named<QLineEdit>("zavod_start", GroupBox5);
    zavod_nazev = named<QLineEdit>("zavod_nazev", GroupBox5);

    auto* grid = new QGridLayout(GroupBox5);
    grid->addWidget(Label19, 0, 0);
    auto* stageRow = new QHBoxLayout;
    stageRow->addWidget(etapa);
    stageRow->addWidget(seznam_etap);
    stageRow->addWidget(Button7);
    stageRow->addWidget(Button2);
    stageRow->addStretch();
    grid->addLayout(stageRow, 0, 1, 1, 2);
    // The date hint has a row of its own under the date, so the narrow column shows it whole.
    addRow(grid, 1, Label1, zavod_datum);
    grid->addWidget(Label2, 2, 1, 1, 2);
    addRow(grid, 3, Label22, zavod_misto);
    addRow(grid, 4, plainLabel(QStringLiteral("Start"), GroupBox5), zavod_start);
    addRow(grid, 5, captionLabel(window::kClassEditor, "LabelRaceName", GroupBox5), zavod_nazev);
    grid->setColumnStretch(1, 1);
}

void ClassEditorWindow::buildClassGroups() {
    GroupBox7 = named<QGroupBox>("GroupBox7", this, QStringLiteral("Seznam kategorií"));
    seznam_kategorii = named<QTableWidget>("seznam_kategorii", GroupBox7, kClassRows, 1);
    seznam_kategorii->horizontalHeader()->hide();
    seznam_kategorii->horizontalHeader()->setStretchLastSection(true);
    seznam_kategorii->verticalHeader()->setDefaultSectionSize(20);
    seznam_kategorii->setMinimumHeight(kClassRows * 20 + 2 * seznam_kategorii->frameWidth());
    (new QVBoxLayout(GroupBox7))->addWidget(seznam_kategorii);

    GroupBox6 = named<QGroupBox>("GroupBox6", this, caption("GroupBox6"));
    kategorie = yellowLabel("kategorie", GroupBox6);
    ComboBox1 = named<QComboBox>("ComboBox1", GroupBox6);
    Button3 = named<QPushButton>("Button3", GroupBox6, QStringLiteral("OK"));
    auto* grid = new QGridLayout(GroupBox6);
    grid->addWidget(kategorie, 0, 0, 1, 2);
    grid->addWidget(plainLabel(QStringLiteral("Kopíruj kategorii podle"), GroupBox6), 1, 0, 1, 2);
    grid->addWidget(ComboBox1, 2, 0);
    grid->addWidget(Button3, 2, 1);
}

void ClassEditorWindow::buildClusterGroup() {
    GroupBox1 = named<QGroupBox>("GroupBox1", this, caption("GroupBox1"));
    XStringGrid1 = titledGrid("XStringGrid1", GroupBox1, kClusterRows, 11, QStringLiteral("Cluster "), 1);
    headClusterColumns(XStringGrid1);
    sizeClusterColumns(XStringGrid1);
    cas_penalizace = named<QLineEdit>("cas_penalizace", GroupBox1);
    cas_penalizace->setMaximumWidth(60);
    auto* penalty = new QHBoxLayout;
    penalty->addWidget(captionLabel(window::kClassEditor, "LabelPenalty", GroupBox1));
    penalty->addWidget(cas_penalizace);
    penalty->addWidget(plainLabel(QStringLiteral("[s]"), GroupBox1));
    penalty->addStretch();
    auto* column = new QVBoxLayout(GroupBox1);
    column->addWidget(XStringGrid1, 1);
    column->addLayout(penalty);
}

void ClassEditorWindow::buildControlGroup() {
    GroupBox2 = named<QGroupBox>("GroupBox2", this, caption("GroupBox2"));
    Label3 = named<QLabel>("Label3", GroupBox2, caption("Label3"));
    Label8 = named<QLabel>("Label8", GroupBox2, caption("Label8"));
    Label11 = named<QLabel>("Label11", GroupBox2, caption("Label11"));
    XStringGrid2 = titledGrid("XStringGrid2", GroupBox2, kControlRows, 10, QStringLiteral("K "), 1);
    XStringGrid3 =
        titledGrid("XStringGrid3", GroupBox2, kControlRows, 10, QStringLiteral("K "), kControlRows + 1);
    sizeControlColumns(XStringGrid2);
    sizeControlColumns(XStringGrid3);

    auto* grid = new QGridLayout(GroupBox2);
    grid->addWidget(Label3, 0, 0);
    grid->addWidget(plainLabel(QStringLiteral("SportIDENT"), GroupBox2), 0, 1);
    // One heading per grid column, as wide as the column beneath it.
    auto heading = [&](QLabel* answerLabel, int column, QTableWidget* under) {
        auto* row = new QHBoxLayout;
        row->setSpacing(0);
        row->setContentsMargins(under->frameWidth(), 0, 0, 0);
        auto add = [&](QLabel* label, int gridColumn) {
            label->setFixedWidth(under->columnWidth(gridColumn));
            label->setAlignment(Qt::AlignCenter);
            row->addWidget(label);
        };
        add(plainLabel(QString(), GroupBox2), 0);
        add(plainLabel(QStringLiteral("A-?"), GroupBox2), 1);
        add(answerLabel, 2);
        const char* const letters[] = {"A", "B", "C", "D", "E", "F", "Z"};
        for (int answer = 0; answer < 7; ++answer)
            add(plainLabel(QString::fromLatin1(letters[answer]), GroupBox2), 3 + answer);
        row->addStretch();
        grid->addLayout(row, 1, column);
    };
    heading(Label8, 0, XStringGrid2);
    heading(Label11, 1, XStringGrid3);
    grid->addWidget(XStringGrid2, 2, 0);
    grid->addWidget(XStringGrid3, 2, 1);
}

void ClassEditorWindow::buildLimitsAndBreaks() {
    limit = named<QLineEdit>("limit", this);
    limit->setToolTip(captionText(window::kClassEditor, "limit", Language::Czech, CaptionKind::Hint));
    limit->setMaximumWidth(60);

    GroupBox3 = named<QGroupBox>("GroupBox3", this, caption("GroupBox3"));
    Label15 = named<QLabel>("Label15", GroupBox3, caption("Label15"));
    P1od = named<QLineEdit>("P1od", GroupBox3);
    Label16 = named<QLabel>("Label16", GroupBox3, caption("Label16"));
    P1do = named<QLineEdit>("P1do", GroupBox3);
    auto* break1 = new QGridLayout(GroupBox3);
    addRow(break1, 0, Label15, P1od);
    addRow(break1, 1, Label16, P1do);

    GroupBox4 = named<QGroupBox>("GroupBox4", this, caption("GroupBox4"));
    Label17 = named<QLabel>("Label17", GroupBox4, caption("Label17"));
    P2od = named<QLineEdit>("P2od", GroupBox4);
    Label18 = named<QLabel>("Label18", GroupBox4, caption("Label18"));
    P2do = named<QLineEdit>("P2do", GroupBox4);
    auto* break2 = new QGridLayout(GroupBox4);
    addRow(break2, 0, Label17, P2od);
    addRow(break2, 1, Label18, P2do);

    LabelFormat = named<QLabel>("LabelFormat", this, caption("LabelFormat"));
    sprint_format = named<QComboBox>("sprint_format", this);
    sprint_format->addItems({QStringLiteral("PreO"), QStringLiteral("PreO Sprint")});
    LabelTimeFactor = named<QLabel>("LabelTimeFactor", this, caption("LabelTimeFactor"));
    sprint_factor = named<QLineEdit>("sprint_factor", this, QStringLiteral("1"));
    sprint_factor->setMaximumWidth(60);
    sprint_factor->setToolTip(
        captionText(window::kClassEditor, "sprint_factor", Language::Czech, CaptionKind::Hint));
    LabelOvertime = named<QLabel>("LabelOvertime", this, caption("LabelOvertime"));
    sprint_overtime = named<QLineEdit>("sprint_overtime", this, QStringLiteral("60"));
    sprint_overtime->setMaximumWidth(60);
    sprint_overtime->setToolTip(
        captionText(window::kClassEditor, "sprint_overtime", Language::Czech, CaptionKind::Hint));
    Label21 = named<QLabel>("Label21", this, caption("Label21"));
    pSI = named<QLineEdit>("pSI", this, QStringLiteral("31"));
    pSI->setMaximumWidth(60);
    SIEdit1 = named<QPushButton>("SIEdit1", this, QStringLiteral("Sport Ident"));
    Button1 = named<QPushButton>("Button1", this, caption("Button1"));
}

void ClassEditorWindow::layOut() {
    auto* limitRow = new QHBoxLayout;
    limitRow->addWidget(plainLabel(QStringLiteral("Limit"), this));
    limitRow->addWidget(limit);
    limitRow->addWidget(plainLabel(QStringLiteral("[min]"), this));
    limitRow->addStretch();

    auto* format = new QGridLayout;
    format->addWidget(LabelFormat, 0, 0);
    format->addWidget(sprint_format, 0, 1);
    format->addWidget(LabelTimeFactor, 1, 0);
    format->addWidget(sprint_factor, 1, 1);
    format->addWidget(LabelOvertime, 2, 0);
    format->addWidget(sprint_overtime, 2, 1);
    format->setColumnStretch(2, 1);

    auto* numbering = new QHBoxLayout;
    numbering->addWidget(Label21);
    numbering->addWidget(pSI);
    numbering->addWidget(SIEdit1);
    numbering->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(GroupBox5);
    left->addWidget(GroupBox7, 1);
    left->addWidget(GroupBox6);
    left->addLayout(limitRow);
    left->addLayout(format);
    left->addWidget(GroupBox3);
    left->addWidget(GroupBox4);
    left->addLayout(numbering);
    left->addWidget(Button1);

    // The left column stays narrow so that all three grids fit a 1366-pixel screen.
    auto* leftColumn = new QWidget(this);
    leftColumn->setLayout(left);
    leftColumn->setMaximumWidth(340);
    auto* columns = new QHBoxLayout(this);
    columns->addWidget(leftColumn);
    columns->addWidget(GroupBox1);
    columns->addWidget(GroupBox2, 1);
    resize(1360, 700);
}

// ---- the class editor's behaviour (appended to the shell) ----
namespace {

// Value lists of the answer cells: empty, A to F, X, Z; and the cluster switch: empty or X.
const QStringList kAnswerList{QString(), "A", "B", "C", "D", "E", "F", "X", "Z"};
const QStringList kNotScoredList{QString(), "X"};

// A cell editor offering a fixed list of values.
class ValueListDelegate : public QStyledItemDelegate {
public:
    ValueListDelegate(QStringList values, QObject* parent)
        : QStyledItemDelegate(parent), values_(std::move(values)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* box = new QComboBox(parent);
        box->addItems(values_);
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* box = static_cast<QComboBox*>(editor);
        const int found = box->findText(index.data(Qt::EditRole).toString().toUpper());
        box->setCurrentIndex(found < 0 ? 0 : found);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        model->setData(index, static_cast<QComboBox*>(editor)->currentText(), Qt::EditRole);
    }

private:
    QStringList values_;
};

QString cellText(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

void setCellText(QTableWidget* grid, int row, int column, const QString& text) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) grid->setItem(row, column, item = new QTableWidgetItem);
    item->setText(text);
}

// Delete and Backspace empty the selected cells; the row titles of column 0 stay.
void clearSelectedCells(QTableWidget* grid) {
    for (const QModelIndex& index : grid->selectionModel()->selectedIndexes())
        if (index.column() > 0) setCellText(grid, index.row(), index.column(), QString());
}

bool isClearingKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Delete || key == Qt::Key_Backspace;
}

bool within(const QWidget* widget, const QWidget* container) {
    return widget && (widget == container || container->isAncestorOf(widget));
}

// Edits that take only numbers lose every other character as it is typed.
void keepDigitsOnly(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString digits = fromCp1250(digitsOnly(toCp1250(text)));
        if (digits != text) edit->setText(digits);
    });
}

} // namespace

void ClassEditorWindow::connectCommands() {
    for (int column = 1; column <= 9; ++column)
        XStringGrid1->setItemDelegateForColumn(column, new ValueListDelegate(kAnswerList, XStringGrid1));
    XStringGrid1->setItemDelegateForColumn(10, new ValueListDelegate(kNotScoredList, XStringGrid1));
    for (QTableWidget* grid : {XStringGrid2, XStringGrid3}) {
        grid->setItemDelegateForColumn(controlColumn::kAnswer, new ValueListDelegate(kAnswerList, grid));
        // Rows of 21 pixels: the right mouse button finds its row as y div 21.
        grid->verticalHeader()->setDefaultSectionSize(kTakeOverRowHeight);
        grid->viewport()->installEventFilter(this);
    }
    for (QTableWidget* grid : {XStringGrid1, XStringGrid2, XStringGrid3})
        grid->installEventFilter(this);
    ComboBox1->setEditable(true);
    for (QLineEdit* edit : {limit, pSI, cas_penalizace, P1od, P1do, P2od, P2do})
        keepDigitsOnly(edit);

    connect(Button1, &QPushButton::clicked, this, &ClassEditorWindow::onSave);
    for (QLineEdit* edit : {zavod_nazev, zavod_datum, zavod_misto, zavod_start})
        connect(edit, &QLineEdit::editingFinished, this, &ClassEditorWindow::onSave);
    connect(seznam_etap, &QComboBox::activated, this, &ClassEditorWindow::onStageChosen);
    connect(Button7, &QPushButton::clicked, this, &ClassEditorWindow::onAddStage);
    connect(Button2, &QPushButton::clicked, this, &ClassEditorWindow::onRemoveStage);
    connect(Button3, &QPushButton::clicked, this, &ClassEditorWindow::onCopyClass);
    connect(SIEdit1, &QPushButton::clicked, this, &ClassEditorWindow::onNumberStations);
    // Queued, so that a cell being edited is committed before the class list is read.
    connect(seznam_kategorii, &QTableWidget::currentCellChanged, this, [this](int row) {
        QMetaObject::invokeMethod(
            this, [this, row] { onClassSelected(row); }, Qt::QueuedConnection);
    });
    connect(qApp, &QApplication::focusChanged, this, &ClassEditorWindow::onFocusChanged);
}

// The focus moves while the controls are destroyed; the window no longer follows it
// nor hears its controls.
ClassEditorWindow::~ClassEditorWindow() {
    disconnect(qApp, nullptr, this, nullptr);
    for (QTableWidget* grid : {XStringGrid2, XStringGrid3})
        grid->viewport()->removeEventFilter(this);
    for (QTableWidget* grid : {XStringGrid1, XStringGrid2, XStringGrid3})
        grid->removeEventFilter(this);
    for (QObject* control : findChildren<QObject*>())
        disconnect(control, nullptr, this, nullptr);
}

void ClassEditorWindow::onFocusChanged(QWidget* old, QWidget* now) {
    // Only moves between the window's own controls count: a message box or another
    // window taking the focus and giving it back is neither leaving nor entering.
    if (showing_ || !within(old, this) || !within(now, this)) return;
    const auto left = [&](QWidget* area) { return within(old, area) && !within(now, area); };
    const auto entered = [&](QWidget* area) { return within(now, area) && !within(old, area); };
    // Queued, so that the cell editor that lost the focus has committed its text.
    const auto later = [this](auto step) { QMetaObject::invokeMethod(this, step, Qt::QueuedConnection); };
    if (left(seznam_etap)) seznam_etap->setCurrentText(etapa->text());
    if (left(seznam_kategorii)) later([this] { onClassListLeft(); });
    if (left(XStringGrid1)) later([this] { onClusterGridLeft(); });
    if (left(XStringGrid2)) later([this] { onControlGridLeft(XStringGrid2); });
    if (left(XStringGrid3)) later([this] { onControlGridLeft(XStringGrid3); });
    if (entered(GroupBox1) || entered(GroupBox2)) later([this] { onClassGroupEntered(); });
}

bool ClassEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    // Keys of a cell being edited go to its editor, not to the grid.
    for (QTableWidget* grid : {XStringGrid1, XStringGrid2, XStringGrid3})
        if (watched == grid && isClearingKey(event)) {
            clearSelectedCells(grid);
            return true;
        }
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        for (QTableWidget* grid : {XStringGrid2, XStringGrid3})
            if (watched == grid->viewport())
                onTakeOver(grid, static_cast<QMouseEvent*>(event)->position().toPoint().y());
    }
    return QWidget::eventFilter(watched, event);
}

void ClassEditorWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    reload();
}

void ClassEditorWindow::command(const std::function<void()>& step) {
    readView();
    runCommand(this, step);
    showView();
}

void ClassEditorWindow::reload() {
    command([this] { editor_.load(); });
}
void ClassEditorWindow::onSave() {
    command([this] { editor_.save(); });
}
void ClassEditorWindow::onStageChosen(int index) {
    command([this, index] { editor_.chooseStage(toUtf8(seznam_etap->itemText(index))); });
}
void ClassEditorWindow::onAddStage() {
    command([this] { editor_.addStage(); });
}
void ClassEditorWindow::onRemoveStage() {
    command([this] { editor_.removeStage(); });
}
void ClassEditorWindow::onClassSelected(int row) {
    command([this, row] { editor_.selectClass(row); });
}
void ClassEditorWindow::onClassGroupEntered() {
    command([this] { editor_.activateFirstClass(); });
}
void ClassEditorWindow::onCopyClass() {
    command([this] { editor_.copyClass(); });
}
void ClassEditorWindow::onNumberStations() {
    command([this] { editor_.numberStations(); });
}
void ClassEditorWindow::onClassListLeft() {
    command([this] { editor_.save(); });
}
void ClassEditorWindow::onClusterGridLeft() {
    command([this] { upperCaseClusterCells(editor_.view); });
}
void ClassEditorWindow::onControlGridLeft(QTableWidget* grid) {
    command([this, grid] { normaliseControlCells(editor_.view, grid == XStringGrid3 ? kControlRows : 0); });
}
void ClassEditorWindow::onTakeOver(QTableWidget* grid, int y) {
    const int row = y / kTakeOverRowHeight;
    if (row < 0 || row >= kControlRows) return;
    command([this, grid, row] { editor_.takeOverControl(row + (grid == XStringGrid3 ? kControlRows : 0)); });
}

void ClassEditorWindow::readView() {
    ClassEditorView& view = editor_.view;
    view.etapa = toCp1250(etapa->text());
    view.raceName = toCp1250(zavod_nazev->text());
    view.stageDate = toCp1250(zavod_datum->text());
    view.stagePlace = toCp1250(zavod_misto->text());
    view.stageStart = toCp1250(zavod_start->text());
    for (int row = 0; row < kClassRows; ++row)
        view.classList[row] = toCp1250(cellText(seznam_kategorii, row, 0));
    view.kategorie = toCp1250(kategorie->text());
    view.copyText = toCp1250(ComboBox1->currentText());
    for (int row = 0; row < kClusterRows; ++row)
        for (int column = 1; column < kClusterGridColumns; ++column)
            view.clusters[row][column] = toCp1250(cellText(XStringGrid1, row, column));
    for (int row = 0; row < kControls; ++row) {
        const QTableWidget* grid = row < kControlRows ? XStringGrid2 : XStringGrid3;
        for (int column = 1; column < kControlGridColumns; ++column)
            view.controls[row][column] = toCp1250(cellText(grid, row % kControlRows, column));
    }
    view.penalty = toCp1250(cas_penalizace->text());
    view.limit = toCp1250(limit->text());
    view.break1From = toCp1250(P1od->text());
    view.break1To = toCp1250(P1do->text());
    view.break2From = toCp1250(P2od->text());
    view.break2To = toCp1250(P2do->text());
    view.firstCode = toCp1250(pSI->text());
    view.format =
        formatName(sprint_format->currentIndex() == 1 ? ClassFormat::PreOSprint : ClassFormat::PreO);
    view.timeFactor = toCp1250(sprint_factor->text());
    view.overtimeSeconds = toCp1250(sprint_overtime->text());
}

void ClassEditorWindow::showView() {
    const ClassEditorView& view = editor_.view;
    showing_ = true;
    const QSignalBlocker blockStages(seznam_etap), blockClasses(seznam_kategorii), blockCopy(ComboBox1);
    etapa->setText(fromCp1250(view.etapa));
    seznam_etap->clear();
    for (const std::string& item : view.stageItems)
        seznam_etap->addItem(fromCp1250(item));
    seznam_etap->setCurrentText(fromCp1250(view.etapa));
    zavod_nazev->setText(fromCp1250(view.raceName));
    zavod_datum->setText(fromCp1250(view.stageDate));
    zavod_misto->setText(fromCp1250(view.stagePlace));
    zavod_start->setText(fromCp1250(view.stageStart));
    for (int row = 0; row < kClassRows; ++row)
        setCellText(seznam_kategorii, row, 0, fromCp1250(view.classList[row]));
    kategorie->setText(fromCp1250(view.kategorie));
    ComboBox1->clear();
    for (const std::string& item : view.copyItems)
        ComboBox1->addItem(fromCp1250(item));
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(fromCp1250(view.copyText));
    for (int row = 0; row < kClusterRows; ++row)
        for (int column = 1; column < kClusterGridColumns; ++column)
            setCellText(XStringGrid1, row, column, fromCp1250(view.clusters[row][column]));
    for (int row = 0; row < kControls; ++row) {
        QTableWidget* grid = row < kControlRows ? XStringGrid2 : XStringGrid3;
        for (int column = 1; column < kControlGridColumns; ++column)
            setCellText(grid, row % kControlRows, column, fromCp1250(view.controls[row][column]));
    }
    cas_penalizace->setText(fromCp1250(view.penalty));
    limit->setText(fromCp1250(view.limit));
    P1od->setText(fromCp1250(view.break1From));
    P1do->setText(fromCp1250(view.break1To));
    P2od->setText(fromCp1250(view.break2From));
    P2do->setText(fromCp1250(view.break2To));
    pSI->setText(fromCp1250(view.firstCode));
    sprint_format->setCurrentIndex(formatFromName(view.format) == ClassFormat::PreOSprint ? 1 : 0);
    sprint_factor->setText(fromCp1250(view.timeFactor));
    sprint_overtime->setText(fromCp1250(view.overtimeSeconds));
    showing_ = false;
}

} // namespace ravik
