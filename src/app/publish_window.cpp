#include "app/publish_window.h"

#include "app/application.h"
#include "app/language_switch.h"
#include "app/qt_text.h"
#include "app/run_command.h"
#include "app/widgets.h"
#include "core/captions.h"
#include "core/numbers.h"
#include "core/texts/publish_texts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

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

    background_ = std::make_unique<BackgroundCommand>();
    prompt_ = std::make_unique<UiThreadPrompt>(*background_, app_.prompt());
    // The commands' log lines go into the program's log box, in their order.
    work_.log.setListener([this](const std::string& line, bool) {
        background_->postToUiThread([this, line] { app_.session().log.append(line); });
    });
    publisher_ = std::make_unique<Publisher>(work_, *prompt_, ftp_, loadServiceConfig(serviceConfigPath()));
    publisher_->onConnectionStatus = [this](bool connected) {
        background_->postToUiThread([this, connected] {
            info->setText(connected ? fromUtf8(app_.session().text(texts::kFtpConnected)) : QString());
        });
    };
    connectControls();
}

PublishWindow::~PublishWindow() {
    // The command thread uses the members: it ends before any of them goes.
    publisher_->cancelRunning();
    background_.reset();
}

void PublishWindow::connectControls() {
    connect(VXuser, &QLineEdit::textEdited, this, [this] {
        FTPzavod->hide();
        FTPupdate->hide();
        DownloadTC->hide();
    });
    connect(Edit3, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString digits = fromUtf8(digitsOnly(toUtf8(text)));
        if (digits != text) Edit3->setText(digits);
    });
    connect(Button14, &QPushButton::clicked, this, &PublishWindow::runConnectionTest);
    connect(FTPzavod, &QPushButton::clicked, this, [this] {
        runPublishing([this](const PublishControls& c) { return publisher_->createRaceWebFolder(c); });
    });
    connect(FTPupdate, &QPushButton::clicked, this, [this] {
        runPublishing([this](const PublishControls& c) { return publisher_->updateRaceDescription(c); });
    });
    connect(Button5, &QPushButton::clicked, this, [this] {
        runPublishing([this](const PublishControls& c) { return publisher_->uploadToService(c); });
    });
    connect(button1, &QPushButton::clicked, this, [this] {
        runPublishing([this](const PublishControls& c) { return publisher_->uploadToOtherServer(c); });
    });
    connect(DownloadTC, &QPushButton::clicked, this, [this] {
        runPublishing([this](const PublishControls& c) { return publisher_->downloadAllTimedControls(c); });
    });
    connect(Button2, &QPushButton::clicked, this, [this] {
        runPublishing([this](const PublishControls& c) { return publisher_->downloadNewTimedControls(c); });
    });
    connect(TC, &QPushButton::clicked, this, [this] {
        runPublishing([this](const PublishControls&) { return publisher_->mergeTimedControls(); });
    });
    connect(Button9, &QPushButton::clicked, this, [this] {
        runPublishing([this](const PublishControls& c) { return publisher_->showActions(c); });
    });
    connect(wftps, &QRadioButton::toggled, this, [this](bool tls) {
        wfingerprint->setEnabled(tls);
        LabelFingerprint->setEnabled(tls);
    });
    connect(Button10, &QPushButton::clicked, this, &PublishWindow::onStopRepeating);
    connect(Timer1, &QTimer::timeout, this, &PublishWindow::onTimerTick);
    connect(Button3, &QPushButton::clicked, this, &PublishWindow::onResetFtp);
}

PublishControls PublishWindow::readControls() const {
    PublishControls controls;
    controls.serviceUser = toCp1250(VXuser->text());
    controls.racePassword = toCp1250(heslo->text());
    for (int row = 0; row < ListBox1->count(); ++row) {
        const std::string name = toUtf8(ListBox1->item(row)->text());
        controls.fileList.push_back(name);
        if (ListBox1->item(row)->isSelected()) controls.selectedFiles.push_back(name);
    }
    controls.otherServer = {.host = toCp1250(whost->text()),
                            .user = toCp1250(wuser->text()),
                            .password = toCp1250(wpass->text()),
                            .directory = toCp1250(wpath->text()),
                            .tls = wftps->isChecked(),
                            .tlsFingerprint = toCp1250(wfingerprint->text())};
    controls.repeat = CheckBox16->isChecked();
    controls.repeatMinutes = toUtf8(Edit3->text());
    return controls;
}

void PublishWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return; // shown again after being minimised
    const bool test = !showWithoutTest_;
    // After the window has painted: a test may wait for the server.
    QTimer::singleShot(0, this, [this, test] { refresh(test); });
}

void PublishWindow::refresh(bool runTestWhenUserTyped) {
    // While a command runs it owns the copy of the session: the list and the test wait.
    if (isBusy()) return;
    takeSessionCopy();
    runCommand(this, [this] { publisher_->loadStageRecord(); });
    refillFileList();
    GroupBox1->show();
    if (runTestWhenUserTyped && !VXuser->text().isEmpty()) runConnectionTest();
}

void PublishWindow::stageChanged() {
    if (isVisible()) refresh(true);
}

void PublishWindow::refillFileList() {
    ListBox1->clear();
    for (const std::string& name : publisher_->htmFileList())
        ListBox1->addItem(fromUtf8(name));
}

void PublishWindow::runConnectionTest() {
    runPublishing([this](const PublishControls& c) {
        PublishOutcome outcome;
        outcome.serviceControls = publisher_->connectionTest(c.serviceUser);
        return outcome;
    });
}

void PublishWindow::applyServiceControls(const ServiceControls& controls) {
    GroupBox1->setVisible(controls.serviceGroup);
    FTPzavod->setVisible(controls.createFolder);
    FTPupdate->setVisible(controls.update);
    DownloadTC->setVisible(controls.downloadAll);
    Button5->setVisible(controls.upload);
    Button2->setVisible(controls.downloadNew);
    TC->setVisible(controls.merge);
    if (controls.address) Edit1->setText(fromUtf8(*controls.address));
}

void PublishWindow::applyOutcome(const PublishOutcome& outcome) {
    if (outcome.serviceControls) applyServiceControls(*outcome.serviceControls);
    if (outcome.repeatRequested) CheckBox16->setChecked(false);
    if (outcome.repeatRecorded) {
        Timer1->setInterval(outcome.timerIntervalMs);
        Timer1->start();
    }
    if (outcome.selection) {
        for (int row = 0; row < ListBox1->count(); ++row) {
            const std::string name = toUtf8(ListBox1->item(row)->text());
            const auto& selected = *outcome.selection;
            ListBox1->item(row)->setSelected(std::find(selected.begin(), selected.end(), name) !=
                                             selected.end());
        }
    }
    showActionCount();
}

void PublishWindow::showActionCount() {
    Button9->setText(fromUtf8(app_.session().text(texts::kInfoButton)) +
                     QString::number(publisher_->actionCount()));
}

void PublishWindow::takeSessionCopy() {
    const Session& session = app_.session();
    work_.language = session.language;
    work_.race = session.race;
    work_.table = session.table;
    work_.startDirectory = session.startDirectory;
    work_.writeUnderLockOf(session);
}

void PublishWindow::enableCommands(bool enabled) {
    for (QPushButton* button :
         {Button14, FTPzavod, FTPupdate, Button5, DownloadTC, Button2, TC, Button9, button1})
        button->setEnabled(enabled);
}

void PublishWindow::runPublishing(std::function<PublishOutcome(const PublishControls&)> command) {
    if (isBusy()) return;
    takeSessionCopy();
    enableCommands(false);
    auto outcome = std::make_shared<PublishOutcome>();
    auto cancelled = std::make_shared<bool>(false);
    background_->start(
        [command = std::move(command), controls = readControls(), outcome, cancelled] {
            try {
                *outcome = command(controls);
            } catch (const FtpError& error) {
                if (error.failure() != FtpFailure::Cancelled) throw;
                *cancelled = true; // "Reset FTP" says so in the log
            }
        },
        [this, outcome](const std::optional<QString>& error) { onCommandFinished(*outcome, error); });
}

void PublishWindow::onCommandFinished(const PublishOutcome& outcome, const std::optional<QString>& error) {
    enableCommands(true);
    if (stopPending_) {
        stopPending_ = false;
        publisher_->stopRepeating();
    }
    if (resetPending_) {
        resetPending_ = false;
        showActionCount();
        finishReset();
        return;
    }
    applyOutcome(outcome);
    if (error) QMessageBox::critical(this, QStringLiteral("Ravik"), *error);
}

void PublishWindow::onTimerTick() {
    // A command still runs, or its message waits: the next tick replays.
    if (isBusy() || aDialogIsOpen()) return;
    runPublishing([this](const PublishControls& c) { return publisher_->timerTick(c); });
}

void PublishWindow::onStopRepeating() {
    Timer1->stop();
    if (isBusy()) {
        stopPending_ = true; // the running command may be recording an action
        return;
    }
    publisher_->stopRepeating();
    showActionCount();
}

void PublishWindow::onResetFtp() {
    if (isBusy()) {
        // Ends the operation at once; the rest follows when the command has ended.
        resetPending_ = true;
        publisher_->cancelRunning();
        return;
    }
    finishReset();
}

void PublishWindow::finishReset() {
    publisher_->resetFtp();
    const QString user = VXuser->text();
    showWithoutTest_ = true;
    hide();
    show();
    showWithoutTest_ = false;
    VXuser->setText(user);
    // After the refresh that showing the window has queued.
    QTimer::singleShot(0, this, &PublishWindow::runConnectionTest);
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
    wftp = named<QRadioButton>("wftp", GroupBox3, caption("wftp"));
    wftp->setChecked(true);
    wftps = named<QRadioButton>("wftps", GroupBox3, caption("wftps"));
    LabelFingerprint = named<QLabel>("LabelFingerprint", GroupBox3, caption("LabelFingerprint"));
    wfingerprint = named<QLineEdit>("wfingerprint", GroupBox3);
    wfingerprint->setToolTip(
        captionText(window::kPublish, "wfingerprint", Language::English, CaptionKind::Hint));
    wfingerprint->setEnabled(false);
    LabelFingerprint->setEnabled(false);
    button1 = named<QPushButton>("button1", GroupBox3, QStringLiteral("Upload to another FTP"));

    auto* grid = new QGridLayout(GroupBox3);
    addRow(grid, 0, captionLabel(window::kPublish, "LabelHost", GroupBox3, Language::English), whost);
    addRow(grid, 1, plainLabel(QStringLiteral("User:"), GroupBox3), wuser);
    addRow(grid, 2, plainLabel(QStringLiteral("Password:"), GroupBox3), wpass);
    addRow(grid, 3, captionLabel(window::kPublish, "LabelPath", GroupBox3, Language::English), wpath);
    auto* mode = new QHBoxLayout;
    mode->addWidget(wftp);
    mode->addWidget(wftps);
    mode->addStretch();
    grid->addLayout(mode, 4, 1);
    addRow(grid, 5, LabelFingerprint, wfingerprint);
    grid->addWidget(button1, 6, 0, 1, 2);
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
