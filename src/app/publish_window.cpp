#include "app/publish_window.h"

#include "app/application.h"
#include "app/language_switch.h"
#include "app/widgets.h"
#include "core/captions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ravik {
namespace {

// This window starts with its English captions.
QString caption(const char* control) {
    return captionText(window::kPublish, control, Language::English);
}

} // namespace

PublishWindow::PublishWindow(RavikApp& app) : QWidget(nullptr), app_(app) {
    setObjectName(QLatin1String(window::kPublish));
    setWindowTitle(QStringLiteral("FTP"));
    buildServiceGroup();
    buildOtherServerGroup();

    GroupBox2 = named<QGroupBox>("GroupBox2", this, caption("GroupBox2"));
    ListBox1 = named<QListWidget>("ListBox1", GroupBox2);
    ListBox1->setSelectionMode(QAbstractItemView::MultiSelection);
    (new QVBoxLayout(GroupBox2))->addWidget(ListBox1);

    CheckBox16 = named<QCheckBox>("CheckBox16", this, caption("CheckBox16"));
    Edit3 = named<QLineEdit>("Edit3", this, QStringLiteral("10"));
    Edit3->setToolTip(QStringLiteral("Minuty"));
    Edit3->setMaximumWidth(50);
    Button9 = named<QPushButton>("Button9", this, QStringLiteral("Info - 0"));
    Button10 = named<QPushButton>("Button10", this, caption("Button10"));
    Timer1 = named<QTimer>("Timer1", this);

    layOut();
}

void PublishWindow::buildServiceGroup() {
    GroupBox1 = named<QGroupBox>("GroupBox1", this, QStringLiteral("Kalvera webservice"));
    VXuser = named<QLineEdit>("VXuser", GroupBox1, QStringLiteral("VXuser"));
    heslo = named<QLineEdit>("heslo", GroupBox1);
    Button14 = named<QPushButton>("Button14", GroupBox1, caption("Button14"));
    info = named<QLabel>("info", GroupBox1);
    QFont bold = info->font();
    bold.setBold(true);
    info->setFont(bold);
    info->setStyleSheet(QStringLiteral("color: red"));
    FTPzavod = named<QPushButton>("FTPzavod", GroupBox1, caption("FTPzavod"));
    FTPzavod->hide();
    FTPupdate = named<QPushButton>("FTPupdate", GroupBox1, caption("FTPupdate"));
    Label9 = named<QLabel>("Label9", GroupBox1, caption("Label9"));
    Edit1 = named<QLineEdit>("Edit1", GroupBox1);
    Edit1->setReadOnly(true);
    Button5 = named<QPushButton>("Button5", GroupBox1, QStringLiteral("Upload selected HTM files"));
    DownloadTC = named<QPushButton>("DownloadTC", GroupBox1, caption("DownloadTC"));
    Button2 = named<QPushButton>("Button2", GroupBox1, caption("Button2"));
    TC = named<QPushButton>("TC", GroupBox1, caption("TC"));
    Button3 = named<QPushButton>("Button3", GroupBox1, QStringLiteral("Reset FTP"));

    auto* grid = new QGridLayout(GroupBox1);
    addRow(grid, 0, plainLabel(QStringLiteral("User:"), GroupBox1), VXuser);
    addRow(grid, 1, plainLabel(QStringLiteral("Password:"), GroupBox1), heslo);
    grid->addWidget(Button14, 0, 2);
    grid->addWidget(info, 1, 2);
    grid->addWidget(FTPzavod, 2, 0, 1, 3);
    grid->addWidget(FTPupdate, 3, 0, 1, 3);
    addRow(grid, 4, Label9, Edit1);
    grid->addWidget(Button5, 5, 0, 1, 3);
    auto* downloads = new QHBoxLayout;
    downloads->addWidget(plainLabel(QStringLiteral("TC:"), GroupBox1));
    downloads->addWidget(DownloadTC);
    downloads->addWidget(Button2);
    downloads->addWidget(TC);
    grid->addLayout(downloads, 6, 0, 1, 3);
    grid->addWidget(Button3, 7, 0, 1, 3);
    grid->setColumnStretch(1, 1);
}

void PublishWindow::buildOtherServerGroup() {
    GroupBox3 = named<QGroupBox>("GroupBox3", this, QStringLiteral("FTP"));
    whost = named<QLineEdit>("whost", GroupBox3);
    wuser = named<QLineEdit>("wuser", GroupBox3);
    wpass = named<QLineEdit>("wpass", GroupBox3);
    wpass->setEchoMode(QLineEdit::Password);
    wpath = named<QLineEdit>("wpath", GroupBox3);
    button1 = named<QPushButton>("button1", GroupBox3, QStringLiteral("Upload to another FTP"));

    auto* grid = new QGridLayout(GroupBox3);
    addRow(grid, 0, plainLabel(QStringLiteral("Host:"), GroupBox3), whost);
    addRow(grid, 1, plainLabel(QStringLiteral("User:"), GroupBox3), wuser);
    addRow(grid, 2, plainLabel(QStringLiteral("Password:"), GroupBox3), wpass);
    addRow(grid, 3, plainLabel(QStringLiteral("Path:"), GroupBox3), wpath);
    grid->addWidget(button1, 4, 0, 1, 2);
}

void PublishWindow::layOut() {
    auto* repeat = new QHBoxLayout;
    repeat->addWidget(CheckBox16);
    repeat->addWidget(Edit3);
    repeat->addWidget(plainLabel(QStringLiteral("min"), this));
    repeat->addWidget(Button9);
    repeat->addWidget(Button10);
    repeat->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(GroupBox1);
    left->addWidget(GroupBox3);
    left->addLayout(repeat);
    left->addStretch();

    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left);
    columns->addWidget(GroupBox2, 1);
    resize(860, 520);
}

} // namespace ravik
