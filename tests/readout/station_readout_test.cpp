// Ravik's station read-out against the emulated master station on a
// pseudo-terminal: every card type, the log lines it appends and the punch
// files the unchanged read-out pass writes from them, byte for byte; cards
// pulled early, transmission errors, a silent station, an unplugged one.
#include "core/competitor_table.h"
#include "core/log.h"
#include "core/time_of_day.h"
#include "readout/readout_pass.h"
#include "readout/si_log_csv.h"
#include "readout/station/serial_link.h"
#include "readout/station/station_readout.h"
#include "station_emulator.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ravik::test {
namespace {

using namespace ravik::station;
using namespace std::chrono_literals;

// Saturday 16 May 2026: punches of day 6 are dated that day, of day 5 the day before.
const std::chrono::sys_days kReadoutDay = std::chrono::year(2026) / 5 / 16;

std::string header() {
    return std::string(kSiLogHeader) + "\r\n";
}

// A log line as the station read-out writes it.
std::string line(std::uint32_t card, const std::string& code, const std::string& mode,
                 const std::string& source, const std::string& day, const std::string& date,
                 const std::string& time, int no, int count) {
    return "1;" + std::to_string(card) + ";" + code + ";" + mode + ";" + source + ";" + day + ";" + date +
           ";" + time + ";" + std::to_string(no) + ";" + std::to_string(count) + ";\r\n";
}

// The lines expected for a card built with punchRun (all on day 6).
std::string expectedLines(const CardContents& card) {
    const std::string source(cardKindName(card.kind));
    const std::string day = card.twelveHour() ? "" : "6";
    const int count = static_cast<int>(card.punches.size());
    auto time = [&](const CardPunch& p) {
        return clockText(*p.seconds % (card.twelveHour() ? 43200 : 86400));
    };
    std::string lines;
    if (card.start)
        lines += line(card.number, "", "STA", source, day, "2026-05-16", time(*card.start), 0, count);
    for (int i = 0; i < count; ++i)
        lines += line(card.number, std::to_string(card.punches[i].code), " CN", source, day, "2026-05-16",
                      time(card.punches[i]), i + 1, count);
    if (card.finish)
        lines += line(card.number, "", "FIN", source, day, "2026-05-16", time(*card.finish), 0, count);
    return lines;
}

class StationReadoutTest : public ::testing::Test {
protected:
    StationReadoutTest() : link(station.path()), readout(link, {}, [] { return kReadoutDay; }) {}

    void SetUp() override {
        const Connection connection = readout.connect();
        ASSERT_TRUE(connection.connected()) << connectionText(connection, station.path(), Language::English);
        ASSERT_TRUE(std::filesystem::create_directory(folder.file("E1")));
    }

    // Puts the card in and handles what the station reports about it.
    StationReport read(const CardContents& card) {
        station.insert(card);
        return nextReport();
    }
    StationReport nextReport() {
        for (int i = 0; i < 50; ++i) {
            StationReport report = readout.poll(200ms, logPath(), Language::English);
            if (report.kind != StationReportKind::Nothing) return report;
        }
        return {};
    }

    std::string logPath() const { return folder.file("log.csv"); }
    std::string log() const { return std::filesystem::exists(logPath()) ? readFile(logPath()) : ""; }

    // The read-out pass over the log; each card belongs to the competitor of the same ID.
    void runPass() {
        CompetitorTable table;
        for (const auto& [id, card] : competitors)
            table.appendRow(competitorRow(id, "H21", "Runner " + id, card));
        LogLines passLog;
        ReadoutOptions options;
        options.logPath = logPath();
        options.stageFolder = folder.file("E1/");
        runReadoutPass(options, table, Language::English, passLog);
    }
    std::string punchFile(const std::string& id) const { return readFile(folder.file("E1/" + id + ".si")); }

    int acks() {
        int count = 0;
        station.with([&](FakeStation& s) { count = s.acks; });
        return count;
    }

    TempFolder folder;
    PtyStation station;
    SerialLink link;
    StationReadout readout;
    std::vector<std::pair<std::string, std::string>> competitors;
};

TEST_F(StationReadoutTest, ConnectsToTheStationAndNamesItInBothLanguages) {
    const Connection connection = readout.connect();
    EXPECT_EQ(connectionText(connection, station.path(), Language::English),
              "connected to BSM8 station 1, 38400 Bd");
    EXPECT_EQ(connectionText(connection, station.path(), Language::Czech),
              "připojeno ke stanici BSM8 č. 1, 38400 Bd");
}

TEST_F(StationReadoutTest, AnSi9CardBecomesLogLinesThenThePunchFileAndIsAcknowledgedAfterTheyAreOnDisk) {
    const CardContents card =
        makeCard(CardKind::Si9, 1045117, punchAt(1, "10:02:00"), punchAt(2, "10:40:12"),
                 {punchAt(31, "10:05:07"), punchAt(300, "10:07:00", 5), punchAt(32, "")});
    const StationReport report = read(card);
    ASSERT_EQ(report.kind, StationReportKind::CardLogged);
    EXPECT_EQ(report.messages, (std::vector<std::string>{"Card 1045117 read (SI9, 3 punches)",
                                                         "Card 1045117: punches without time: 1"}));
    EXPECT_EQ(log(), header() + "1;1045117;;STA;SI9;6;2026-05-16;10:02:00;0;3;\r\n"
                                "1;1045117;31; CN;SI9;6;2026-05-16;10:05:07;1;3;\r\n"
                                "1;1045117;300; CN;SI9;5;2026-05-15;10:07:00;2;3;\r\n"
                                "1;1045117;32; CN;SI9;;2026-05-16;;3;3;\r\n"
                                "1;1045117;;FIN;SI9;6;2026-05-16;10:40:12;0;3;\r\n");
    EXPECT_TRUE(station.waitUntil([](const FakeStation& s) { return s.acks == 1 && !s.hasCard(); }));

    competitors = {{"12", "1045117"}};
    runPass();
    EXPECT_EQ(punchFile("12"), "1;1045117;9999;STA;SI9;6;2026-05-16;10:02:00;0;3;\r\n"
                               "1;1045117;31; CN;SI9;6;2026-05-16;10:05:07;1;3;\r\n"
                               "1;1045117;300; CN;SI9;5;2026-05-15;10:07:00;2;3;\r\n"
                               "1;1045117;32; CN;SI9;;2026-05-16;;3;3;\r\n"
                               "1;1045117;9998;FIN;SI9;6;2026-05-16;10:40:12;0;3;\r\n");
}

// The card keeps twelve-hour times; the pass adds 12 hours to those before the start hour.
TEST_F(StationReadoutTest, Si5TimesAcrossNoonStayTwelveHourInTheLogAndAreCorrectedInThePunchFile) {
    const CardContents card =
        makeCard(CardKind::Si5, 304243, punchAt(0, "11:50:00"), punchAt(0, "13:30:05"),
                 {punchAt(31, "11:58:00"), punchAt(32, "12:05:10"), punchAt(33, "13:10:00")});
    ASSERT_EQ(read(card).kind, StationReportKind::CardLogged);
    EXPECT_EQ(log(), header() + "1;304243;;STA;SI5;;2026-05-16;11:50:00;0;3;\r\n"
                                "1;304243;31; CN;SI5;;2026-05-16;11:58:00;1;3;\r\n"
                                "1;304243;32; CN;SI5;;2026-05-16;00:05:10;2;3;\r\n"
                                "1;304243;33; CN;SI5;;2026-05-16;01:10:00;3;3;\r\n"
                                "1;304243;;FIN;SI5;;2026-05-16;01:30:05;0;3;\r\n");
    competitors = {{"7", "304243"}};
    runPass();
    EXPECT_EQ(punchFile("7"), "1;304243;9999;STA;SI5;;2026-05-16;11:50:00;0;3;\r\n"
                              "1;304243;31; CN;SI5;;2026-05-16;11:58:00;1;3;\r\n"
                              "1;304243;32; CN;SI5;;2026-05-16;12:05:10;2;3;\r\n"
                              "1;304243;33; CN;SI5;;2026-05-16;13:10:00;3;3;\r\n"
                              "1;304243;9998;FIN;SI5;;2026-05-16;13:30:05;0;3;\r\n");
}

// Every card type at its capacity (SI-Card 6 in 192-punch mode, a full SIAC), one after the other.
TEST_F(StationReadoutTest, EveryCardTypeIsReadWholeAndThePassWritesEveryPunch) {
    struct Case {
        CardKind kind;
        std::uint32_t number;
        int punches;
    };
    const Case cases[] = {
        {CardKind::Si5, 61234, 30},     {CardKind::Si6, 654321, 64},    {CardKind::Si6, 16711690, 192},
        {CardKind::Si8, 2345678, 30},   {CardKind::Si9, 1234567, 50},   {CardKind::PCard, 4123456, 20},
        {CardKind::Si10, 7123456, 128}, {CardKind::Si11, 9123456, 100}, {CardKind::Siac, 8123456, 128}};
    std::string expectedLog = header();
    int substitute = 9999;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.number));
        const CardContents card = makeCard(c.kind, c.number, punchAt(1, "09:30:00"), punchAt(2, "11:59:59"),
                                           punchRun(c.punches, 31, "09:31:00"));
        const StationReport report = read(card);
        ASSERT_EQ(report.kind, StationReportKind::CardLogged)
            << (report.messages.empty() ? "" : report.messages[0]);
        ASSERT_TRUE(report.card);
        EXPECT_EQ(report.card->punches.size(), static_cast<std::size_t>(c.punches));
        expectedLog += expectedLines(card);
        EXPECT_EQ(log(), expectedLog);
        ASSERT_TRUE(station.waitUntil([](const FakeStation& s) { return !s.hasCard(); }));

        const std::string id = std::to_string(competitors.size() + 1);
        competitors.push_back({id, std::to_string(c.number)});
        runPass();
        std::string expectedFile = expectedLines(card);
        // The start's and the finish's empty code become the pass's substitute codes.
        expectedFile.replace(expectedFile.find(";;STA;"), 6, ";" + std::to_string(substitute) + ";STA;");
        expectedFile.replace(expectedFile.find(";;FIN;"), 6, ";" + std::to_string(substitute - 1) + ";FIN;");
        substitute -= 2;
        EXPECT_EQ(punchFile(id), expectedFile);
    }
    EXPECT_EQ(acks(), 9);
}

TEST_F(StationReadoutTest, ACardWithoutStartGetsNoStartLineAndACardReadTwiceIsLoggedTwiceButFiledOnce) {
    const CardContents card = makeCard(CardKind::Si10, 7000001, std::nullopt, punchAt(2, "14:00:00"),
                                       {punchAt(31, "13:10:00"), punchAt(31, "13:20:00")});
    const std::string lines = "1;7000001;31; CN;SI10;6;2026-05-16;13:10:00;1;2;\r\n"
                              "1;7000001;31; CN;SI10;6;2026-05-16;13:20:00;2;2;\r\n"
                              "1;7000001;;FIN;SI10;6;2026-05-16;14:00:00;0;2;\r\n";
    ASSERT_EQ(read(card).kind, StationReportKind::CardLogged);
    ASSERT_TRUE(station.waitUntil([](const FakeStation& s) { return !s.hasCard(); }));
    ASSERT_EQ(read(card).kind, StationReportKind::CardLogged);
    EXPECT_EQ(log(), header() + lines + lines);
    competitors = {{"3", "7000001"}};
    runPass();
    // A punch repeated at the same station keeps its first time, as for every read-out.
    EXPECT_EQ(punchFile("3"), "1;7000001;31; CN;SI10;6;2026-05-16;13:10:00;1;2;\r\n"
                              "1;7000001;9999;FIN;SI10;6;2026-05-16;14:00:00;0;2;\r\n");
}

TEST_F(StationReadoutTest, ACardPulledOutDuringTheReadoutIsNotLoggedNorAcknowledgedAndReadWhenInsertedAgain) {
    const CardContents card = makeCard(CardKind::Siac, 8000002, punchAt(1, "10:00:00"),
                                       punchAt(2, "10:50:00"), punchRun(40, 31, "10:01:00"));
    station.with([](FakeStation& s) { s.removeInPlaceOfBlock = 1; });
    StationReport report = read(card);
    EXPECT_EQ(report.kind, StationReportKind::CardNotRead);
    EXPECT_EQ(report.messages, std::vector<std::string>{"Card removed too early, insert it again"});
    EXPECT_EQ(log(), "");
    EXPECT_EQ(acks(), 0);

    station.with([](FakeStation& s) { s.removeInPlaceOfBlock = -1; });
    ASSERT_EQ(read(card).kind, StationReportKind::CardLogged);
    EXPECT_EQ(log(), header() + expectedLines(card));
    EXPECT_TRUE(station.waitUntil([](const FakeStation& s) { return s.acks == 1; }));
}

TEST_F(StationReadoutTest, ABlockWithAWrongCrcIsAskedForAgainAndThreeWrongOnesLeaveTheCardUnread) {
    const CardContents card =
        makeCard(CardKind::Si8, 2000003, punchAt(1, "10:00:00"), std::nullopt, punchRun(5, 31, "10:01:00"));
    station.with([](FakeStation& s) { s.corruptedReplies = 1; });
    ASSERT_EQ(read(card).kind, StationReportKind::CardLogged);
    EXPECT_EQ(log(), header() + expectedLines(card));
    std::vector<std::uint8_t> commands;
    station.with([&](FakeStation& s) { commands = s.commands; });
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0xEF), 3); // block 0 twice, block 1

    ASSERT_TRUE(station.waitUntil([](const FakeStation& s) { return !s.hasCard(); }));
    station.with([](FakeStation& s) { s.corruptedReplies = 3; });
    const StationReport report = read(card);
    EXPECT_EQ(report.messages,
              std::vector<std::string>{"The card could not be read (transmission error), insert it again"});
    EXPECT_EQ(log(), header() + expectedLines(card));
    EXPECT_EQ(acks(), 1);
}

TEST_F(StationReadoutTest, GarbageAndATruncatedFrameBeforeACardAreSkipped) {
    station.send(std::string("\xFF\x00\x13\x02\x02\x83\x7F\x00\x01\x74", 10)); // noise and half a frame
    const CardContents card = makeCard(CardKind::PCard, 4000004, punchAt(1, "10:00:00"),
                                       punchAt(2, "10:30:00"), punchRun(3, 31, "10:01:00"));
    ASSERT_EQ(read(card).kind, StationReportKind::CardLogged);
    EXPECT_EQ(log(), header() + expectedLines(card));
}

TEST_F(StationReadoutTest, AStationThatStopsAnsweringLeavesTheCardUnreadWithinItsTimeOut) {
    station.with([](FakeStation& s) { s.silent = true; });
    const auto before = std::chrono::steady_clock::now();
    const StationReport report =
        read(makeCard(CardKind::Si9, 1000005, std::nullopt, std::nullopt, punchRun(2, 31, "10:00:00")));
    EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
    EXPECT_EQ(report.messages, std::vector<std::string>{
                                   "The station stopped answering, the card was not read, insert it again"});
    EXPECT_EQ(log(), "");
}

TEST_F(StationReadoutTest, AnUnpluggedStationIsReportedAndFoundAgainWhenPluggedBackIn) {
    station.unplug();
    const StationReport lost = nextReport();
    EXPECT_EQ(lost.kind, StationReportKind::Lost);
    EXPECT_EQ(lost.messages, std::vector<std::string>{"Station disconnected, looking for it again…"});
    link.close();
    EXPECT_EQ(readout.connect().problem, StationProblem::PortMissing);

    station.plugIn();
    ASSERT_TRUE(readout.connect().connected());
    const CardContents card = makeCard(CardKind::Si11, 9000006, punchAt(1, "10:00:00"),
                                       punchAt(2, "10:30:00"), punchRun(2, 31, "10:01:00"));
    ASSERT_EQ(read(card).kind, StationReportKind::CardLogged);
    EXPECT_EQ(log(), header() + expectedLines(card));
}

TEST_F(StationReadoutTest, ACardThatCannotBeLoggedIsNotAcknowledged) {
    const CardContents card =
        makeCard(CardKind::Si9, 1000007, std::nullopt, std::nullopt, punchRun(1, 31, "10:00:00"));
    station.insert(card);
    StationReport report;
    for (int i = 0; i < 50 && report.kind == StationReportKind::Nothing; ++i)
        report = readout.poll(200ms, folder.file("missing/log.csv"), Language::Czech);
    ASSERT_EQ(report.messages.size(), 1u);
    EXPECT_EQ(report.messages[0].rfind("Čip nelze zapsat do SI logu, vložte jej znovu: ", 0), 0u)
        << report.messages[0];
    EXPECT_EQ(acks(), 0);
}

// What keeps a port from being used as a station, with the message the user sees.
TEST(StationConnection, BusyMissingAndSilentPortsAndStationsWithWrongSettingsAreNamed) {
    struct Case {
        StationConfig config;
        std::string message;
    };
    const Case wrongSettings[] = {
        {{.mode = 0x02},
         "The station is not in the read SI cards mode (Readout), set it (SPORTident Config+)"},
        {{.protocol = 0x07}, "The station has autosend on, switch it off (SPORTident Config+)"},
        {{.protocol = 0x01}, "The station has handshake off, switch it on (SPORTident Config+)"},
    };
    for (const Case& c : wrongSettings) {
        PtyStation station(c.config);
        SerialLink link(station.path());
        StationReadout readout(link);
        EXPECT_EQ(connectionText(readout.connect(), station.path(), Language::English), c.message);
    }

    PtyStation station;
    SerialLink first(station.path()), second(station.path());
    StationReadout holder(first), other(second);
    ASSERT_TRUE(holder.connect().connected());
    EXPECT_EQ(connectionText(other.connect(), station.path(), Language::English),
              "The port is in use by another program: " + station.path());

    SerialLink missing("/nonexistent/ttyUSB9");
    EXPECT_EQ(connectionText(StationReadout(missing).connect(), "/nonexistent/ttyUSB9", Language::Czech),
              "Port neexistuje: /nonexistent/ttyUSB9");

    PtyStation mute;
    mute.with([](FakeStation& s) { s.silent = true; });
    SerialLink muteLink(mute.path());
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(connectionText(StationReadout(muteLink).connect(), mute.path(), Language::English),
              "No SportIdent station answers on the port: " + mute.path());
    EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
}

} // namespace
} // namespace ravik::test
