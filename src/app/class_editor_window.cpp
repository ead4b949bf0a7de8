#include "app/class_editor_window.h"

#include "app/application.h"
#include "app/language_switch.h"
#include "app/widgets.h"
#include "core/captions.h"

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

QLabel* yellowLabel(const char* name, QWidget* parent) {
    auto* label = named<QLabel>(name, parent);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::yellow);
    label->setPalette(palette);
    label->setMinimumWidth(60);
    return label;
}

} // namespace

ClassEditorWindow::ClassEditorWindow(RavikApp& app) : QWidget(nullptr), app_(app) {
    setObjectName(QLatin1String(window::kClassEditor));
    setWindowTitle(QStringLiteral("Závod"));
    buildStageGroup();
    buildClassGroups();
    buildClusterGroup();
    buildControlGroup();
    buildLimitsAndBreaks();
    layOut();
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
    addRow(grid, 1, Label1, zavod_datum);
    grid->addWidget(Label2, 1, 2);
    addRow(grid, 2, Label22, zavod_misto);
    addRow(grid, 3, plainLabel(QStringLiteral("Start"), GroupBox5), zavod_start);
    addRow(grid, 4, plainLabel(QStringLiteral("Název závodu"), GroupBox5), zavod_nazev);
    grid->setColumnStretch(1, 1);
}

void ClassEditorWindow::buildClassGroups() {
    GroupBox7 = named<QGroupBox>("GroupBox7", this, QStringLiteral("Seznam kategorií"));
    seznam_kategorii = named<QTableWidget>("seznam_kategorii", GroupBox7, kClassRows, 1);
    seznam_kategorii->horizontalHeader()->hide();
    seznam_kategorii->horizontalHeader()->setStretchLastSection(true);
    seznam_kategorii->verticalHeader()->setDefaultSectionSize(20);
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
    cas_penalizace = named<QLineEdit>("cas_penalizace", GroupBox1);
    cas_penalizace->setMaximumWidth(60);
    auto* penalty = new QHBoxLayout;
    penalty->addWidget(plainLabel(QStringLiteral("Trestné sekundy za časovku"), GroupBox1));
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

    const QString codesHeading = QStringLiteral("SportIDENT: A      B       C      D      E      F       Z");
    auto* grid = new QGridLayout(GroupBox2);
    grid->addWidget(Label3, 0, 0, 1, 2);
    auto heading = [&](QLabel* answerLabel, int column) {
        auto* row = new QHBoxLayout;
        row->addWidget(plainLabel(QStringLiteral("A-?"), GroupBox2));
        row->addWidget(answerLabel);
        row->addWidget(plainLabel(codesHeading, GroupBox2));
        row->addStretch();
        grid->addLayout(row, 1, column);
    };
    heading(Label8, 0);
    heading(Label11, 1);
    grid->addWidget(XStringGrid2, 2, 0);
    grid->addWidget(XStringGrid3, 2, 1);
}

void ClassEditorWindow::buildLimitsAndBreaks() {
    limit = named<QLineEdit>("limit", this);
    limit->setToolTip(captionText(window::kClassEditor, "limit", Language::Czech, CaptionKind::Hint));
    limit->setMaximumWidth(60);

    GroupBox3 = named<QGroupBox>("GroupBox3", this, QStringLiteral("Přerušení 1"));
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

    Label21 = named<QLabel>("Label21", this, caption("Label21"));
    pSI = named<QLineEdit>("pSI", this, QStringLiteral("31"));
    pSI->setMaximumWidth(60);
    SIEdit1 = named<QPushButton>("SIEdit1", this, QStringLiteral("Sport Ident"));
    Button1 = named<QPushButton>("Button1", this, QStringLiteral("Ulož"));
}

void ClassEditorWindow::layOut() {
    auto* limitRow = new QHBoxLayout;
    limitRow->addWidget(plainLabel(QStringLiteral("Limit"), this));
    limitRow->addWidget(limit);
    limitRow->addWidget(plainLabel(QStringLiteral("[min]"), this));
    limitRow->addStretch();

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
    left->addWidget(GroupBox3);
    left->addWidget(GroupBox4);
    left->addLayout(numbering);
    left->addWidget(Button1);

    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left);
    columns->addWidget(GroupBox1, 1);
    columns->addWidget(GroupBox2, 2);
    resize(1400, 700);
}

} // namespace ravik
