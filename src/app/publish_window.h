#pragma once
// The publishing window (title "FTP"): uploads of the generated pages to the race
// web service or another FTP server, timed-control downloads and their merge,
// and repeated uploads. Its captions start in English. Its commands run on a
// thread of their own, one at a time, on a copy of the session taken when they
// start, so the program goes on while a server is slow.
#include "app/background_command.h"
#include "core/session.h"
#include "publish/curl_ftp_client.h"
#include "publish/publisher.h"

#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QShowEvent;
class QTimer;

namespace ravik {

class RavikApp;

class PublishWindow : public QWidget {
    Q_OBJECT
public:
    explicit PublishWindow(RavikApp& app);
    ~PublishWindow() override;

    // Race web service.
    QGroupBox* GroupBox1;
    QLineEdit* VXuser;
    QLineEdit* heslo;
    QPushButton* Button14; // connection test
    QLabel* info;          // "Connected !" while connected
    QPushButton* FTPzavod; // create the race web folder
    QPushButton* FTPupdate;
    QLabel* Label9;
    QLineEdit* Edit1;     // public address
    QPushButton* Button5; // upload the selected files
    QPushButton* DownloadTC;
    QPushButton* Button2; // download new timed-control files
    QPushButton* TC;      // merge
    QPushButton* Button3; // reset FTP

    // Files to upload.
    QGroupBox* GroupBox2;
    QListWidget* ListBox1; // multi-select

    // Another FTP server.
    QGroupBox* GroupBox3;
    QLineEdit* whost;
    QLineEdit* wuser;
    QLineEdit* wpass;
    QLineEdit* wpath;
    QRadioButton* wftp;  // "FTP": user name and password go in clear
    QRadioButton* wftps; // "FTPS (explicit TLS)"
    QLabel* LabelFingerprint;
    QLineEdit* wfingerprint; // SHA-256 of a self-signed certificate
    QPushButton* button1;

    // Repeated uploads.
    QCheckBox* CheckBox16;
    QLineEdit* Edit3;      // minutes
    QPushButton* Button9;  // info
    QPushButton* Button10; // stop
    QTimer* Timer1;

    Publisher& publisher() { return *publisher_; }
    // The main window's stage changed: an open window lists the new stage's files.
    void stageChanged();
    // The values of the controls, as the commands take them.
    PublishControls readControls() const;
    // True while a command runs (its FTP operation may be waiting for a server).
    bool isBusy() const { return background_->isRunning(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildServiceGroup();
    void buildOtherServerGroup();
    void layOut();
    void connectControls();

    // Show: the stage record, the file list, the service group, and the test when a user is typed.
    void refresh(bool runTestWhenUserTyped);
    void refillFileList();
    void runConnectionTest();
    void applyServiceControls(const ServiceControls& controls);
    void applyOutcome(const PublishOutcome& outcome);
    void showActionCount();
    // Starts a command of this window with the controls' values of this moment on
    // the command thread; a second command (or a tick of Timer1) waits for the next press.
    void runPublishing(std::function<PublishOutcome(const PublishControls&)> command);
    void onCommandFinished(const PublishOutcome& outcome, const std::optional<QString>& error);
    // The session the commands work on: the program's, as it is now.
    void takeSessionCopy();
    void enableCommands(bool enabled);

    void onTimerTick();
    void onStopRepeating();
    void onResetFtp();
    // The part of "Reset FTP" after the running operation has ended.
    void finishReset();

    RavikApp& app_;
    Session work_;
    CurlFtpClient ftp_;
    std::unique_ptr<BackgroundCommand> background_;
    std::unique_ptr<UiThreadPrompt> prompt_;
    std::unique_ptr<Publisher> publisher_;
    bool showWithoutTest_ = false;
    bool resetPending_ = false;
    bool stopPending_ = false;
};

} // namespace ravik
