// ravik-cli station against the emulated station, and the serial port list
// behind ravik-cli station --list.
#include "core/competitor_file.h"
#include "core/competitor_table.h"
#include "core/log.h"
#include "core/race_file.h"
#include "readout/si_log_csv.h"
#include "readout/station/serial_ports.h"
#include "station_emulator.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ravik::test {
namespace {

using namespace ravik::station;
namespace fs = std::filesystem;

// ravik-cli running in the background with its output going to a file.
class Cli {
public:
    Cli(const std::vector<std::string>& arguments, const std::string& outputPath) {
        std::vector<std::string> words{RAVIK_CLI_PATH};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (posix_spawn(&pid_, words[0].c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Cli() {
        if (pid_ > 0) stop();
    }
    // Interrupts it as Ctrl+C does; its exit status.
    int stop() {
        ::kill(pid_, SIGINT);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
};

bool waitForFile(const std::string& path) {
    for (int i = 0; i < 500 && !fs::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return fs::exists(path);
}

// A race of one stage whose competitor 12 carries card 304243; returns its path.
std::string raceWithRunnerOfCard304243(const TempFolder& folder) {
    const std::string racePath = folder.file("cup.ravik");
    RaceRecord stage;
    stage.stage_number = 1;
    stage.classes[0].class_name = "H21";
    createRaceFile(racePath, stage);
    fs::create_directory(folder.file("E1"));
    CompetitorTable table;
    table.appendRow(competitorRow("12", "H21", "Runner", "304243"));
    LogLines saveLog;
    saveCompetitorTable(folder.file("cup.zavodnici"), table, saveLog);
    return racePath;
}

TEST(StationCommand, ReadsCardsIntoTheLogAndWithARaceWritesTheirPunchFilesUntilInterrupted) {
    TempFolder folder;
    const std::string racePath = raceWithRunnerOfCard304243(folder);

    PtyStation station;
    Cli cli({"station", "--port", station.path(), "--log", folder.file("log.csv"), "--race", racePath,
             "--stage", "1", "--lang", "GBR"},
            folder.file("out.txt"));
    ASSERT_TRUE(station.waitUntil([](const FakeStation& s) {
        return std::find(s.commands.begin(), s.commands.end(), 0xF9) != s.commands.end();
    })) << readFile(folder.file("out.txt"));
    const CardContents card = makeCard(CardKind::Si5, 304243, punchAt(1, "10:00:00"), punchAt(2, "10:30:00"),
                                       {punchAt(31, "10:10:00")});
    station.insert(card);
    ASSERT_TRUE(waitForFile(folder.file("E1/12.si"))) << readFile(folder.file("out.txt"));
    EXPECT_EQ(cli.stop(), 0);

    EXPECT_EQ(readFile(folder.file("out.txt")),
              "connected to BSM8 station 1, 38400 Bd\nCard 304243 read (SI5, 1 punch)\nSIlog read\n");
    const std::string date = todayText(); // an SI-Card 5 keeps no day: the read-out's day
    EXPECT_EQ(readFile(folder.file("E1/12.si")), "1;304243;9999;STA;SI5;;" + date +
                                                     ";10:00:00;0;1;\r\n"
                                                     "1;304243;31; CN;SI5;;" +
                                                     date +
                                                     ";10:10:00;1;1;\r\n"
                                                     "1;304243;9998;FIN;SI5;;" +
                                                     date + ";10:30:00;0;1;\r\n");
}

TEST(StationCommand, OnConnectingWritesThePunchFileOfACardLoggedBeforeItStarted) {
    TempFolder folder;
    const std::string racePath = raceWithRunnerOfCard304243(folder);
    // The card the station acknowledged just before the last run was killed.
    const std::string card = "1;304243;9999;STA;SI5;;2026-05-16;10:00:00;0;1;\r\n"
                             "1;304243;9998;FIN;SI5;;2026-05-16;10:30:00;0;1;\r\n";
    writeFile(folder.file("log.csv"),
              "EventId;SI-Card;CN;Mode;Source;DayOfWeek;PunchDate;PunchTime;No;Cnt\r\n" + card);
    ageFile(folder.file("log.csv"), 60);

    PtyStation station;
    Cli cli({"station", "--port", station.path(), "--log", folder.file("log.csv"), "--race", racePath,
             "--stage", "1", "--lang", "GBR"},
            folder.file("out.txt"));
    ASSERT_TRUE(waitForFile(folder.file("E1/12.si"))) << readFile(folder.file("out.txt"));
    EXPECT_EQ(cli.stop(), 0);
    EXPECT_EQ(readFile(folder.file("E1/12.si")), card);
}

// A sysfs tree as the kernel shows a USB station, a USB modem and a console.
TEST(SerialPorts, UsbPortsCarryTheirMakerAndTheStationIsRecognisedByItsUsbIds) {
    TempFolder sys;
    auto write = [&](const std::string& file, const std::string& text) {
        fs::create_directories(fs::path(sys.file(file)).parent_path());
        writeFile(sys.file(file), text + "\n");
    };
    write("devices/usb1/1-1/idVendor", "10c4");
    write("devices/usb1/1-1/idProduct", "800a");
    write("devices/usb1/1-1/manufacturer", "Silicon Labs");
    write("devices/usb1/1-1/product", "SPORTident USB to UART Bridge Controller");
    write("devices/usb1/1-2/idVendor", "1546");
    write("devices/usb1/1-2/idProduct", "01a7");
    write("devices/usb1/1-2/product", "u-blox GNSS receiver");
    fs::create_directories(sys.file("devices/usb1/1-1/1-1:1.0/ttyUSB0"));
    fs::create_directories(sys.file("devices/usb1/1-2/1-2:1.0/ttyACM0"));
    fs::create_directories(sys.file("class/tty/tty1"));
    for (const auto& [name, device] :
         {std::pair{"ttyUSB0", "1-1/1-1:1.0/ttyUSB0"}, {"ttyACM0", "1-2/1-2:1.0/ttyACM0"}}) {
        fs::create_directories(sys.file(std::string("class/tty/") + name));
        fs::create_directory_symlink(sys.file(std::string("devices/usb1/") + device),
                                     sys.file(std::string("class/tty/") + name + "/device"));
    }
    const auto ports = listSerialPorts(sys.file("class/tty"));
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].path, "/dev/ttyACM0");
    EXPECT_EQ(ports[0].description, "u-blox GNSS receiver");
    EXPECT_FALSE(ports[0].sportIdent);
    EXPECT_EQ(ports[1].path, "/dev/ttyUSB0");
    EXPECT_EQ(ports[1].description, "Silicon Labs SPORTident USB to UART Bridge Controller");
    EXPECT_TRUE(ports[1].sportIdent);
}

} // namespace
} // namespace ravik::test
