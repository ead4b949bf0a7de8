// The main window's Station group connected to the emulated master station: a
// card inserted becomes its log-box line, SI log lines, the punch file and the
// slip at once (without a finish punch, from one more pass once the log has stood
// still); an unplugged station is found again; ports that cannot be used are
// named and change nothing.
#include "app/main_window.h"
#include "app/print_preview_window.h"
#include "app/station_group.h"
#include "app_fixture.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "readout/si_log_csv.h"
#include "readout/station/serial_link.h"
#include "station_emulator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

namespace ravik::test {
namespace {

using namespace ravik::station;

class StationGroupTest : public AppTest {
protected:
    StationGroupTest() {
        RaceRecord stage;
        stage.race_name = "Spring Cup";
        stage.stage_start = "10:00";
        stage.classes[0].class_name = "H21";
        openRace(folder, stage);
        Session& session = app.session();
        session.table.appendRow(competitorRow("30", "H21", "Late Lucy", "304243"));
        session.table.appendRow(competitorRow("31", "H21", "Early Ed", "8000031"));
        session.table.appendRow(competitorRow("32", "H21", "Quit Quinn", "8000032"));
        main = &app.mainWindow();
        main->CheckBox4->setChecked(false); // no printer here
        main->cestaSI->setText(QString::fromStdString(folder.file("si.csv")));
        group = main->GroupBoxStation;
    }

    void connectTo(const std::string& port) {
        group->stationPort->setCurrentText(QString::fromStdString(port));
        group->stationConnect->click();
    }
    std::string status() const { return str(group->stationStatus->text()); }
    bool logged(const std::string& line) {
        const auto& lines = app.session().log.lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    TempFolder folder;
    MainWindow* main = nullptr;
    StationGroup* group = nullptr;
};

TEST_F(StationGroupTest, ACardInsertedGivesItsLogLineTheSiLogThePunchFileAndTheSlipAtOnce) {
    EXPECT_EQ(status(), "nepřipojeno");
    PtyStation station;
    connectTo(station.path());
    EXPECT_EQ(status(), "připojeno ke stanici BSM8 č. 1, 38400 Bd");
    EXPECT_FALSE(group->stationConnect->isEnabled());
    EXPECT_TRUE(group->stationDisconnect->isEnabled());

    station.insert(makeCard(CardKind::Si5, 304243, punchAt(0, "10:00:00"), punchAt(0, "10:20:00"),
                            {punchAt(31, "10:05:00"), punchAt(32, "10:10:00")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return fileExists(folder.file("E1/30.si")); }, 5000));
    EXPECT_TRUE(logged("Čip 304243 vyčten (SI5, 2 ražení)"));
    EXPECT_EQ(str(group->stationLastCard->text()), "Čip 304243 vyčten (SI5, 2 ražení)");
    const std::string date = todayText(); // an SI-Card 5 keeps no day
    EXPECT_EQ(readFile(folder.file("si.csv")),
              std::string(kSiLogHeader) + "\r\n" + "1;304243;;STA;SI5;;" + date + ";10:00:00;0;2;\r\n" +
                  "1;304243;31; CN;SI5;;" + date + ";10:05:00;1;2;\r\n" + "1;304243;32; CN;SI5;;" + date +
                  ";10:10:00;2;2;\r\n" + "1;304243;;FIN;SI5;;" + date + ";10:20:00;0;2;\r\n");
    EXPECT_EQ(readFile(folder.file("E1/30.si")), "1;304243;9999;STA;SI5;;" + date + ";10:00:00;0;2;\r\n" +
                                                     "1;304243;31; CN;SI5;;" + date + ";10:05:00;1;2;\r\n" +
                                                     "1;304243;32; CN;SI5;;" + date + ";10:10:00;2;2;\r\n" +
                                                     "1;304243;9998;FIN;SI5;;" + date + ";10:20:00;0;2;\r\n");
    EXPECT_EQ(str(app.printPreviewWindow().windowTitle()), "Mezičasy - Late Lucy (ID:30)");
    EXPECT_TRUE(station.waitUntil([](const FakeStation& s) { return s.acks == 1; }));

    // Unplugged and plugged in again: found without a touch.
    station.unplug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return status() == "Stanice odpojena, hledám ji znovu…"; }, 3000));
    station.plugIn();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return status() == "připojeno ke stanici BSM8 č. 1, 38400 Bd"; }, 5000));
    station.insert(makeCard(CardKind::Siac, 8000031, punchAt(1, "10:00:00"), punchAt(2, "10:30:00"),
                            punchRun(3, 31, "10:01:00")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return fileExists(folder.file("E1/31.si")); }, 5000));
    EXPECT_EQ(str(group->stationLastCard->text()), "Čip 8000031 vyčten (SIAC, 3 ražení)");
    EXPECT_FALSE(main->settlePassTimer->isActive()); // every card so far had its finish punch
    // Without a finish punch the card is complete once the log has stood still: one
    // more pass, due within 5 s, writes it while the poll timer is off.
    station.insert(
        makeCard(CardKind::Siac, 8000032, punchAt(1, "10:00:00"), std::nullopt, punchRun(2, 31, "10:01:00")));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return logged("Čip 8000032 se ještě vyčítá, soubor ražení bude zapsán později."); }, 5000));
    EXPECT_FALSE(fileExists(folder.file("E1/32.si")));
    EXPECT_FALSE(main->Timer1->isActive());
    ASSERT_TRUE(main->settlePassTimer->isActive());
    EXPECT_LE(main->settlePassTimer->remainingTime(), 5000);
    ageFile(folder.file("si.csv"), 10); // the settling time has passed and the timer runs out
    main->settlePassTimer->stop();
    QMetaObject::invokeMethod(main->settlePassTimer, "timeout");
    EXPECT_TRUE(fileExists(folder.file("E1/32.si")));
    EXPECT_EQ(str(app.printPreviewWindow().windowTitle()), "Mezičasy - Quit Quinn (ID:32)");
    EXPECT_FALSE(main->settlePassTimer->isActive());

    main->GBR->click();
    QTest::qWait(600); // the group's next tick
    EXPECT_EQ(status(), "connected to BSM8 station 1, 38400 Bd");
    EXPECT_EQ(str(group->stationLastCard->text()), "Card 8000032 read (SIAC, 2 punches)");
    group->stationDisconnect->click();
    EXPECT_EQ(status(), "not connected");
    EXPECT_TRUE(group->stationConnect->isEnabled());
}

TEST_F(StationGroupTest, ConnectingWritesThePunchFileOfACardLoggedBeforeTheProgramStarted) {
    const std::string card = "1;8000031;9999;STA;SIAC;;2026-05-16;10:00:00;0;1;\r\n"
                             "1;8000031;9998;FIN;SIAC;;2026-05-16;10:30:00;0;1;\r\n";
    writeFile(folder.file("si.csv"), std::string(kSiLogHeader) + "\r\n" + card);
    ageFile(folder.file("si.csv"), 60);
    PtyStation station;
    connectTo(station.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return fileExists(folder.file("E1/31.si")); }, 5000));
    EXPECT_EQ(readFile(folder.file("E1/31.si")), card);
}

TEST_F(StationGroupTest, APortThatIsMissingOrBusyIsNamedAndNothingElseChanges) {
    connectTo("/nonexistent/ttyUSB7");
    EXPECT_EQ(status(), "Port neexistuje: /nonexistent/ttyUSB7");
    EXPECT_TRUE(group->stationConnect->isEnabled());
    EXPECT_FALSE(group->stationDisconnect->isEnabled());

    PtyStation station;
    SerialLink holder(station.path()); // ravik-cli, say, reads this station already
    ASSERT_EQ(holder.open(38400).status, LinkOpen::Opened);
    connectTo(station.path());
    EXPECT_EQ(status(), "Port používá jiný program: " + station.path());
    EXPECT_TRUE(logged("Port používá jiný program: " + station.path()));
    EXPECT_FALSE(fileExists(folder.file("si.csv")));
}

} // namespace
} // namespace ravik::test
