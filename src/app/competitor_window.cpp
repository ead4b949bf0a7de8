#include "app/competitor_window.h"

#include "app/application.h"
#include "app/language_switch.h"
#include "app/qt_text.h"
#include "app/widgets.h"
#include "core/captions.h"
#include "core/competitor_table.h"
#include "core/texts/core_texts.h"

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
#include <QTableWidget>
#include <QVBoxLayout>

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
    nazev_zavodu = named<QLabel>("nazev_zavodu", this, fromUtf8(texts::kNoRaceOpen.cze));

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
