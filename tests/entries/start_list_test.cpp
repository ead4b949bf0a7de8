#include "core/time_of_day.h"
#include "entries/start_list.h"

#include "core/errors.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "program_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace ravik {
namespace {

const std::string kHead =
    " <!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n"
    "<html>\r\n"
    "<head>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">\r\n"
    "<meta http-equiv=\"Cache-Control\" content=\"no-cache\">\r\n"
    "<TITLE>Ravik</TITLE>\r\n"
    "</head>\r\n"
    "<BODY text=\"#000000\" link=\"#000000\" vlink=\"#000000\" alink=\"#000000\" leftmargin=0 "
    "topmargin=0 bgcolor=\"#ffffff\">\r\n";
const std::string kTableHead =
    "<table border=1 cellspacing=0 cellpadding=2>\r\n"
    "<tr><th>ID\r\n<th>Registration\r\n<th>Class\r\n<th>SI\r\n<th>Name\r\n<th>NAT\r\n"
    "<th colspan=2>START</tr>\r\n";

std::string rowLine(const std::string& id, const std::string& name, const std::string& offset,
                    const std::string& clock) {
    return "<tr><td>" + id + "<td>REG" + id + "<td>H21<td>5" + id + "<td>" + name +
           "<td bgcolor=#BBBBBB>CZE<td bgcolor=#FFFFAA><font size=+1>&nbsp;<b>" + offset +
           "</b>&nbsp;</font><td bgcolor=#FFFFAA>&nbsp;" + clock + "\r\n";
}

// A race of two stages in a temporary folder, its table with a row per start cell of stage 2.
struct StartListRace {
    test::TempFolder folder;
    Session session;
    test::ScriptedPrompt prompt;

    explicit StartListRace(const std::vector<std::string>& stage2Starts,
                           const std::string& stageStart = "09:00") {
        RaceRecord record;
        record.race_name = "Jarn\xED poh\xE1r";
        record.stage_date = "2026-05-02";
        record.stage_place = "Brno";
        record.stage_start = "10:00";
        session.race.setRacePath(folder.file("Spring.ravik"));
        createRaceFile(session.race.racePath(), record);
        record.stage_number = 2;
        record.stage_start = stageStart;
        record.stage_place = "\x8Atramberk";
        appendStage(session.race.racePath(), record);
        ensureFolder(folder.file("E1"));
        ensureFolder(folder.file("E2"));
        session.loadCompetitors();
        session.table.setRowCount(1);
        for (std::size_t i = 0; i < stage2Starts.size(); ++i) {
            TableRow row;
            const std::string id = std::to_string(i + 1);
            row[column::kId] = id;
            row[column::kRegistration] = "REG" + id;
            row[column::kClass] = "H21";
            row[column::kSi] = "5" + id;
            row[column::kName] = "Nov\xE1k " + id;
            row[column::kFlag] = "CZE";
            row[column::start(2)] = stage2Starts[i];
            session.table.appendRow(row);
        }
    }
    std::optional<std::string> write(const std::string& answer) {
        prompt.inputs.push_back(answer);
        return writeStartList(session, "Jarn\xED poh\xE1r", prompt);
    }
};

TEST(StartList, PageOfStageTwoLineByLine) {
    StartListRace race({"0", "", "2.5"});
    const auto path = race.write("2");
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, race.folder.file("E2/startlist_E2.htm"));
    EXPECT_EQ(race.prompt.inputCalls.at(0).title, "Startovka etapy číslo...");
    EXPECT_EQ(race.prompt.inputCalls.at(0).prompt, "Zadej etapu:");
    EXPECT_EQ(race.prompt.inputCalls.at(0).defaultAnswer, "1");
    EXPECT_EQ(test::readFile(*path), kHead +
                                         "<h2>Jarn\xED poh\xE1r</h2>\r\n<h3>2026-05-02,\x8Atramberk</h3>\r\n"
                                         "<h3>Start list - E2</h3>\r\n" +
                                         kTableHead + rowLine("1", "Nov\xE1k 1", "00:00", "09:00:00") +
                                         rowLine("3", "Nov\xE1k 3", "02:30", "09:02:30") +
                                         "</table><p>\r\n</body>\r\n");
}

TEST(StartList, OffsetsAreCutToWholeSecondsAndHoursGoPast24) {
    EXPECT_EQ(startTimesOf("0", 0)->offset, "00:00");
    EXPECT_EQ(startTimesOf("125", 0)->offset, "125:00");
    EXPECT_EQ(startTimesOf("2,5", 9 * 3600)->clock, "09:02:30");
    EXPECT_EQ(startTimesOf("0.29", 0)->offset, "00:17"); // 17.4 s
    EXPECT_EQ(startTimesOf("0.7", 0)->offset, "00:42");
    EXPECT_EQ(startTimesOf("30", 23 * 3600 + 45 * 60)->clock, "24:15:00");
    EXPECT_FALSE(startTimesOf("1:30", 0));
    EXPECT_FALSE(startTimesOf("?", 0));
    EXPECT_EQ(zeroTimeSeconds("09:30"), 9 * 3600 + 30 * 60);
    EXPECT_FALSE(zeroTimeSeconds("9:30"));
}

TEST(StartList, AnswerWithMoreCharactersNamesFolderAndFileButMakesNoFolder) {
    StartListRace race({"0"});
    EXPECT_THROW(race.write("2x"), IoError); // E2x is no stage folder
    ensureFolder(race.folder.file("E2x"));
    const auto path = race.write("2x");
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, race.folder.file("E2x/startlist_E2x.htm"));
    EXPECT_NE(test::readFile(*path).find("<h3>Start list - E2x</h3>\r\n"), std::string::npos);
    EXPECT_NE(test::readFile(*path).find("&nbsp;09:00:00\r\n"), std::string::npos);
}

TEST(StartList, CancelledBoxTakesStageOne) {
    StartListRace race({"0"});
    race.prompt.inputs.push_back(std::nullopt);
    const auto path = writeStartList(race.session, "R", race.prompt);
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, race.folder.file("E1/startlist_E1.htm"));
}

TEST(StartList, StageOutsideTheRaceIsLogged) {
    StartListRace race({"0"});
    race.session.language = Language::English;
    EXPECT_FALSE(race.write("7"));
    EXPECT_EQ(race.session.log.lastLine(), "This stage (7) is not set in this competition.");
    race.session.language = Language::Czech;
    EXPECT_FALSE(race.write("3"));
    EXPECT_EQ(race.session.log.lastLine(), "Tato etapa (3) v závodě není.");
    EXPECT_FALSE(race.write("2/../x"));
    race.session.race.setRacePath("");
    EXPECT_FALSE(race.write("1"));
    EXPECT_EQ(race.session.log.lines().size(), 4u);
    EXPECT_FALSE(std::filesystem::exists(race.folder.file("E3")));
}

TEST(StartList, StageWithoutStartTimeWritesNoFile) {
    StartListRace race({"0"}, "");
    EXPECT_FALSE(race.write("2"));
    EXPECT_EQ(race.prompt.shown, (std::vector<std::string>{"Start time of the stage is not set!"}));
    EXPECT_FALSE(fileExists(race.folder.file("E2/startlist_E2.htm")));
}

TEST(StartList, StartCellThatIsNoNumberIsLoggedAndLeftOut) {
    StartListRace race({"1", "x", "3"});
    const auto path = race.write("2");
    ASSERT_TRUE(path);
    const std::string page = test::readFile(*path);
    EXPECT_EQ(page.find("<td>2<td>"), std::string::npos);
    EXPECT_NE(page.find("&nbsp;09:03:00\r\n</table><p>\r\n</body>\r\n"), std::string::npos);
    EXPECT_EQ(race.session.log.lines(),
              (std::vector<std::string>{"Startovka: start není číslo, řádek vynechán: 2 (Novák 2)"}));
}

TEST(StartList, TextsOfCellsAreEscaped) {
    StartListRace race({"0"});
    race.session.table.setCell(1, column::kName, "A<b>&");
    const std::string page = test::readFile(*race.write("2"));
    EXPECT_NE(page.find("<td>A&lt;b&gt;&amp;<td"), std::string::npos);
}

// Runs headless Chromium on the page and returns the DOM after loading.
std::string dumpDom(const std::string& page) {
    const std::string profile = std::filesystem::path(page).parent_path().string() + "/chromium-profile";
    return test::runProgram({"chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                             "--no-first-run", "--disable-background-networking",
                             "--disable-component-update", "--disable-sync", "--user-data-dir=" + profile,
                             "--dump-dom", "file://" + page})
        .output;
}

TEST(StartList, PageRendersInABrowser) {
    if (!std::filesystem::exists("/usr/bin/chromium")) GTEST_SKIP() << "no /usr/bin/chromium";
    StartListRace race({"0", "", "2.5", "4"});
    const auto path = race.write("2");
    ASSERT_TRUE(path);
    const std::string dom = dumpDom(*path);
    std::vector<std::string> rows;
    const std::regex row("<tr><td>([^<]*)</td><td>[^<]*</td><td>[^<]*</td><td>[^<]*</td><td>([^<]*)</td>.*?"
                         "<b>([^<]*)</b>.*?<td bgcolor=\"#FFFFAA\">&nbsp;([^<]*)");
    for (auto it = std::sregex_iterator(dom.begin(), dom.end(), row); it != std::sregex_iterator(); ++it)
        rows.push_back((*it)[1].str() + "|" + (*it)[2].str() + "|" + (*it)[3].str() + "|" + (*it)[4].str());
    EXPECT_EQ(rows, (std::vector<std::string>{"1|Novák 1|00:00|09:00:00\n", "3|Novák 3|02:30|09:02:30\n",
                                              "4|Novák 4|04:00|09:04:00\n"}))
        << dom;
    EXPECT_NE(dom.find("<h2>Jarní pohár</h2>"), std::string::npos);
}

} // namespace
} // namespace ravik
