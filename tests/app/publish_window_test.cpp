// The publishing window against a real FTP server: what it shows and hides, the
// upload with repetition, Timer1, and silent or trickling servers that must hang
// neither the window nor the read-out, and "Reset FTP" that ends their wait.
#include "../publish/publish_fixture.h"
#include "app/main_window.h"
#include "app/publish_window.h"
#include "app_fixture.h"
#include "core/captions.h"
#include "core/file_io.h"
#include "readout/si_log_csv.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <chrono>

namespace ravik::test {
namespace {

class PublishWindowTest : public AppTest {
protected:
    PublishWindowTest() : server(serverRoot.path(), kFtpUser, kFtpPassword) {
        Session& session = app.session();
        session.language = Language::English;
        session.race.setRacePath(raceFolder.file("cup.ravik"));
        session.race.setCurrentStageText("1");
        createRaceFile(session.race.racePath(), publishingStage());
        ensureFolder(session.race.currentStageFolder());
        fillTable(session.table);
        std::filesystem::create_directories(serverRoot.file("www/ravik/results/club/2023-05-13E1"));
        writeFile(session.race.currentStageFolder() + "results_E1.htm", "stage page");
        writeFile(raceFolder.file("overall.htm"), "overall");
        publishWindow().publisher().setService(serviceConfig(server.port()));
        control<QLineEdit>(ravik::window::kPublish, "VXuser")->setText("club");
    }
    ~PublishWindowTest() override { publishWindow().hide(); }

    static ServiceConfig serviceConfig(int port) {
        ServiceConfig config;
        config.account = {.host = "127.0.0.1", .port = port, .user = kFtpUser, .password = kFtpPassword};
        config.publicBaseAddress = "https://results.example.invalid/";
        return config;
    }
    PublishWindow& publishWindow() { return app.publishWindow(); }
    template <class T> T* find(const char* name) { return control<T>(ravik::window::kPublish, name); }
    // Processes events until the running command has ended (at most 20 s).
    void waitUntilIdle() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        do
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        while (publishWindow().isBusy() && std::chrono::steady_clock::now() < deadline);
        QCoreApplication::processEvents();
    }
    void showAndSettle() {
        publishWindow().show();
        QCoreApplication::processEvents();
        waitUntilIdle();
    }
    // Processes events until the log has the line (at most a few seconds).
    bool waitForLogLine(const std::string& line) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            const auto& lines = app.session().log.lines();
            if (std::find(lines.begin(), lines.end(), line) != lines.end()) return true;
        }
        return false;
    }
    const std::vector<std::string>& log() { return app.session().log.lines(); }

    TempFolder raceFolder;
    TempFolder serverRoot;
    FtpTestServer server;
};

TEST_F(PublishWindowTest, ShowListsThePagesAndTestsTheConnection) {
    showAndSettle();
    auto* list = find<QListWidget>("ListBox1");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(str(list->item(0)->text()), "results_E1.htm");
    EXPECT_EQ(str(list->item(1)->text()), "overall.htm");
    EXPECT_FALSE(find<QGroupBox>("GroupBox1")->isHidden());
    EXPECT_TRUE(find<QPushButton>("FTPzavod")->isHidden());
    for (const char* name : {"FTPupdate", "DownloadTC", "Button5", "Button2", "TC"})
        EXPECT_FALSE(find<QPushButton>(name)->isHidden()) << name;
    EXPECT_EQ(str(find<QLineEdit>("Edit1")->text()),
              "https://results.example.invalid/ravik/results/club/2023-05-13E1");
    EXPECT_EQ(str(find<QLabel>("info")->text()), "");
    EXPECT_EQ(log().back(), "Test succesful, disconected.");

    find<QLineEdit>("VXuser")->textEdited("clu");
    for (const char* name : {"FTPzavod", "FTPupdate", "DownloadTC"})
        EXPECT_TRUE(find<QPushButton>(name)->isHidden()) << name;
    EXPECT_FALSE(find<QPushButton>("Button5")->isHidden());

    auto* minutes = find<QLineEdit>("Edit3");
    minutes->setText("1a2");
    minutes->textEdited("1a2");
    EXPECT_EQ(str(minutes->text()), "12");

    // A stage change in the main window lists the new stage's pages.
    appendStage(app.session().race.racePath(), publishingStage());
    ensureFolder(raceFolder.file("E2"));
    writeFile(raceFolder.file("E2/results_E2.htm"), "second stage");
    app.mainWindow().onStageChanged("2");
    waitUntilIdle();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(str(list->item(0)->text()), "results_E2.htm");
}

TEST_F(PublishWindowTest, UploadWithRepetitionStartsTimer1AndStopEndsIt) {
    showAndSettle();
    find<QListWidget>("ListBox1")->item(0)->setSelected(true);
    find<QCheckBox>("CheckBox16")->setChecked(true);
    find<QLineEdit>("Edit3")->setText("2");
    find<QPushButton>("Button5")->click();
    waitUntilIdle();
    EXPECT_EQ(readFile(serverRoot.file("www/ravik/results/club/2023-05-13E1/results_E1.htm")), "stage page");
    EXPECT_EQ(log().back(), "results_E1.htm uploaded on server");
    EXPECT_FALSE(find<QCheckBox>("CheckBox16")->isChecked());
    auto* timer = find<QTimer>("Timer1");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 120000);
    EXPECT_EQ(str(find<QPushButton>("Button9")->text()), "Info - 1");

    writeFile(app.session().race.currentStageFolder() + "results_E1.htm", "newer page");
    find<QListWidget>("ListBox1")->clearSelection();
    timer->setInterval(1);
    ASSERT_TRUE(waitForLogLine("Automatic FTP"));
    timer->stop();
    waitUntilIdle();
    EXPECT_EQ(readFile(serverRoot.file("www/ravik/results/club/2023-05-13E1/results_E1.htm")), "newer page");
    EXPECT_TRUE(find<QListWidget>("ListBox1")->item(0)->isSelected());

    find<QPushButton>("Button10")->click();
    EXPECT_EQ(log().back(), "Repeating stopped!");
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(str(find<QPushButton>("Button9")->text()), "Info - 0");
}

TEST_F(PublishWindowTest, SilentServerEndsTheTestWithinTheTimeOutAndResetFtpEndsItAtOnce) {
    showAndSettle();
    SilentServer silent;
    publishWindow().publisher().setService(serviceConfig(silent.port()));
    auto start = std::chrono::steady_clock::now();
    find<QPushButton>("Button14")->click();
    EXPECT_TRUE(publishWindow().isBusy()) << "the test waits off the window's thread";
    EXPECT_FALSE(find<QPushButton>("Button5")->isEnabled());
    waitUntilIdle();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(7));
    EXPECT_TRUE(find<QGroupBox>("GroupBox1")->isHidden());
    EXPECT_EQ(log()[log().size() - 3], "FTP connection error!");

    // "Reset FTP" while the silent server keeps the test waiting: the wait ends at
    // once, and the test runs again against the server that answers.
    find<QPushButton>("Button14")->click();
    ASSERT_TRUE(publishWindow().isBusy());
    publishWindow().publisher().setService(serviceConfig(server.port())); // read at the next connect
    start = std::chrono::steady_clock::now();
    find<QPushButton>("Button3")->click();
    ASSERT_TRUE(waitForLogLine("FTP Canceled ************************"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
    waitUntilIdle();
    EXPECT_EQ(log().back(), "Test succesful, disconected.");
    EXPECT_FALSE(find<QGroupBox>("GroupBox1")->isHidden());
    EXPECT_FALSE(find<QPushButton>("Button5")->isHidden());
    EXPECT_TRUE(find<QPushButton>("Button5")->isEnabled());
    EXPECT_EQ(str(find<QLineEdit>("VXuser")->text()), "club");
}

// A server that trickles its data: the download of the timed-control answers skips
// the file that does not come, within seconds and saying why, merges the others,
// and the read-out timer of the main window goes on meanwhile.
TEST_F(PublishWindowTest, TricklingDownloadFailsWithinSecondsWhileTheReadOutRuns) {
    showAndSettle();
    TempFolder slowRoot;
    const std::string webFolder = slowRoot.file("www/ravik/results/club/2023-05-13E1/");
    std::filesystem::create_directories(webFolder);
    writeFile(webFolder + "17_1.tc2", "ABC;31;\r\n");
    writeFile(webFolder + "18_1.tc2", std::string(300000, 'Z'));
    FtpTestServer trickling(slowRoot.path(), kFtpUser, kFtpPassword, {.bytesPerSecond = 200});
    publishWindow().publisher().setService(serviceConfig(trickling.port()));

    Session& session = app.session();
    const std::string stageFolder = session.race.currentStageFolder();
    session.table.setCell(1, column::kSi, "500"); // competitor 17
    const std::string readoutLog = raceFolder.file("si.csv");
    writeFile(readoutLog, std::string(kSiLogHeader) + "\r\n1;500;1;STA;1;6;2023-05-13;10:00:00;5;12;\r\n" +
                              "1;500;2;FIN;1;6;2023-05-13;10:20:00;5;12;\r\n");
    MainWindow& main = app.mainWindow();
    main.cestaSI->setText(QString::fromStdString(readoutLog));
    main.CheckBox4->setChecked(false); // no printer here
    main.Timer1->setInterval(100);

    const auto start = std::chrono::steady_clock::now();
    find<QPushButton>("DownloadTC")->click();
    main.Timer1->start();
    bool punchFileWhileBusy = false;
    while (publishWindow().isBusy() && std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (fileExists(stageFolder + "17.si") && publishWindow().isBusy()) punchFileWhileBusy = true;
    }
    main.Timer1->stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    waitUntilIdle();
    EXPECT_TRUE(punchFileWhileBusy) << "the read-out waited for the download";
    const auto skipped = std::find_if(log().begin(), log().end(), [](const std::string& line) {
        return line.rfind("TC file skipped: 18_1.tc2: RETR 18_1.tc2: Operation too slow", 0) == 0;
    });
    EXPECT_NE(skipped, log().end());
    EXPECT_EQ(readFile(stageFolder + "17.tc2"), "ABC;31;\r\n----;;\r\n---;;\r\n");
}

} // namespace
} // namespace ravik::test
