#pragma once
// The publishing window (title "FTP"): uploads of the generated pages to the race
// web service or another FTP server, timed-control downloads and their merge,
// and repeated uploads. Its captions start in English.
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
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

private:
    void buildServiceGroup();
    void buildOtherServerGroup();
    void layOut();

    RavikApp& app_;
};

} // namespace ravik
