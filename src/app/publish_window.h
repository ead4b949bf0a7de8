#pragma once
// The publishing window (title "FTP"): uploads of the generated pages to the race
// web service or another FTP server, timed-control downloads and their merge,
// and repeated uploads. Its captions start in English.
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
class QShowEvent;
class QTimer;

namespace ravik {

class RavikApp;

class PublishWindow : public QWidget {
    Q_OBJECT
public:
    explicit PublishWindow(RavikApp& app);

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
    QPushButton* button1;

    // Repeated uploads.
    QCheckBox* CheckBox16;
    QLineEdit* Edit3;      // minutes
    QPushButton* Button9;  // info
    QPushButton* Button10; // stop
    QTimer* Timer1;

    Publisher& publisher() { return *publisher_; }
    // The values of the controls, as the commands take them.
    PublishControls readControls() const;

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
    // Runs a command of this window; a tick of Timer1 never runs inside another command.
    void runPublishing(const std::function<PublishOutcome()>& command);

    void onTimerTick();
    void onStopRepeating();
    void onResetFtp();

    RavikApp& app_;
    CurlFtpClient ftp_;
    std::unique_ptr<Publisher> publisher_;
    bool busy_ = false;
    bool showWithoutTest_ = false;
};

} // namespace ravik
