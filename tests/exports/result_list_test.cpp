#include "core/errors.h"
#include "core/race_file.h"
#include "core/session.h"
#include "exports/iof_times.h"
#include "exports/result_list.h"
#include "exports/result_list_export.h"
#include "exports/xml_text.h"
#include "iof_schema.h"
#include "scoring/result_cells.h"
#include "scoring/results_run.h"
#include "test_support.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <pugixml.hpp>
#include <regex>
#include <sstream>

namespace ravik {
namespace {

constexpr const char* kCreateTime = "2024-05-04T09:05:07+01:00";

// Station code of an answer at a control: control 1 answer A is 101, control 2 answer Z is 207.
std::int32_t code(int control, char answer) {
    return 100 * control + (answer == 'Z' ? 7 : answer - 'A' + 1);
}

ClassDefinition classWith(const std::string& name, const std::string& correctAnswers) {
    ClassDefinition definition;
    definition.class_name = name;
    for (std::size_t slot = 0; slot < correctAnswers.size(); ++slot) {
        definition.control_flags[slot] = "A-C";
        definition.control_answer[slot] = std::string(1, correctAnswers[slot]);
        for (char answer : std::string("ABCDEFZ"))
            definition.answer_codes[slot][answer == 'Z' ? 6 : answer - 'A'] =
                code(static_cast<int>(slot) + 1, answer);
    }
    return definition;
}

void setStation(ClassDefinition& definition, int station, const std::string& correct,
                bool switchedOff = false) {
    for (std::size_t task = 0; task < correct.size(); ++task)
        definition.cluster_answers[station - 1][task] = std::string(1, correct[task]);
    if (switchedOff) definition.cluster_answers[station - 1][9] = "X";
}

// The machine's time zone for one test: Central European time with its summer
// time, as a POSIX rule (no time-zone database needed).
class CentralEuropeanTime {
public:
    CentralEuropeanTime() {
        if (const char* zone = std::getenv("TZ")) before_ = zone;
        test::setTimeZone("CET-1CEST,M3.5.0,M10.5.0/3");
    }
    ~CentralEuropeanTime() { test::setTimeZone(before_); }

private:
    std::optional<std::string> before_;
};

struct Race {
    CentralEuropeanTime zone;
    test::TempFolder folder;
    Session session;
    RaceRecord record;
    Race() {
        record.stage_number = 1;
        record.stage_date = "2024-05-04";
        record.race_name = "Spring Cup";
        record.stage_start = "10:00";
        session.race.setRacePath(folder.file("spring.ravik"));
        session.race.setCurrentStageText("1");
        session.table.setHeadings(Language::English);
        std::filesystem::create_directories(folder.file("E1"));
    }
    void save() { createRaceFile(session.race.racePath(), record); }
    // A competitor of stage 1 with the given points and TC cells, read out (an
    // empty punch file: he started) unless he did not start.
    void add(const std::string& id, const std::string& name, const std::string& competitorClass,
             const std::string& points, const std::string& tc, const std::string& start = "0",
             bool started = true) {
        if (started) punches(id, {});
        TableRow row{};
        row[column::kId] = id;
        row[column::kRegistration] = "REG" + id;
        row[column::kClass] = competitorClass;
        row[column::kName] = name;
        row[column::start(1)] = start;
        row[column::points(1)] = points;
        row[column::tc(1)] = tc;
        session.table.appendRow(row);
    }
    void punches(const std::string& id, const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& line : lines)
            bytes += line + "\r\n";
        test::writeFile(folder.file("E1/" + id + ".si"), bytes);
    }
    void timedControls(const std::string& id, const std::string& bytes) {
        test::writeFile(folder.file("E1/" + id + ".tc2"), bytes);
    }
    std::vector<std::string> lines(ResultListKind kind) {
        return resultListLines({record, session.table, session.race.stageFolder(1), 1, kind, kCreateTime});
    }
    std::string exportFile(ResultListKind kind) {
        save();
        test::ScriptedPrompt prompt;
        const auto path =
            exportResultList(session, {.stage = 1, .kind = kind, .createTime = kCreateTime}, prompt);
        if (!path) throw std::runtime_error("not exported");
        return *path;
    }
};

std::string punch(const std::string& code, const std::string& mode, const std::string& time) {
    return "MANUAL;1;" + code + ";" + mode + ";RDO;6;2024-05-04;" + time + ";0;00";
}

// Each person's family name, position and time behind, in document order; only
// those with a time behind.
std::vector<std::string> listed(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    std::string family, behind;
    auto value = [](const std::string& line) {
        const auto open = line.find('>');
        return line.substr(open + 1, line.rfind('<') - open - 1);
    };
    for (const auto& line : lines) {
        if (line == " <PersonResult>") behind.clear();
        if (line.rfind("   <Family>", 0) == 0) family = value(line);
        if (line.rfind("  <TimeBehind>", 0) == 0) behind = value(line);
        if (line.rfind("  <Position>", 0) == 0 && !behind.empty())
            out.push_back(family + " " + value(line) + " " + behind);
    }
    return out;
}

// Each person's family name, position (or status when he has none) and score
// ("-" when none), in document order.
std::vector<std::string> standings(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    std::string family, place, score;
    auto value = [](const std::string& line) {
        const auto open = line.find('>');
        return line.substr(open + 1, line.rfind('<') - open - 1);
    };
    for (const auto& line : lines) {
        if (line == " <PersonResult>") place.clear(), score = "-";
        if (line.rfind("   <Family>", 0) == 0) family = value(line);
        if (line.rfind("  <Position>", 0) == 0) place = value(line);
        if (line.rfind("  <Status>", 0) == 0 && place.empty()) place = value(line);
        if (line.rfind("  <Score>", 0) == 0) score = value(line);
        if (line == " </PersonResult>") out.push_back(family + " " + place + " " + score);
    }
    return out;
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// xmllint's verdict on the file against the IOF XML 3.0 schema; empty when valid
// and where xmllint cannot run.
std::string schemaErrors(const std::string& path) {
    return test::iofSchemaErrors(path).value_or("");
}

TEST(ResultList, TempOListsPositiveTimesAscendingWithTimeBehindTheFastest) {
    Race race;
    race.record.classes[0] = classWith("A", "AB");
    race.add("1", "Slow Jan", "A", "5", "245");
    race.add("2", "Fast Eva", "A", "5", "230");
    race.add("3", "Empty Ota", "A", "5", "");
    race.add("4", "Zero Ida", "A", "5", "0");
    race.add("5", "Unstarted Bob", "A", "5", "300", "");
    race.add("6", "Cheat Petr", "A", "5", "100"); // the fastest, but disqualified
    race.session.table.setCell(6, column::disqualified(1), "DISK");
    race.add("7", "Home Dan", "A", "", "", "0", false);
    const auto lines = race.lines(ResultListKind::TempO);
    EXPECT_EQ(listed(lines), (std::vector<std::string>{"Fast 1 0", "Slow 2 15"}));
    EXPECT_EQ(standings(lines), (std::vector<std::string>{"Fast 1 -", "Slow 2 -", "Cheat Disqualified -",
                                                          "Home DidNotStart -"}));

    const std::string path = race.exportFile(ResultListKind::TempO);
    EXPECT_EQ(schemaErrors(path), "");
}

TEST(ResultList, PreOFollowsTheStageRankingAndListsTheOtherStatusesAfterWithoutPosition) {
    Race race;
    race.record.classes[0] = classWith("A", "AB");
    race.record.classes[0].time_limit = 60;
    race.add("1", "Ninety", "A", "20", "90");
    race.add("2", "Forty", "A", "20", "40");
    race.add("3", "Late", "A", "21", "0");
    // Six minutes over the hour: two over-time units, net score 19. The penalty cell
    // is not trusted (the competitor file does not keep it): the files tell.
    race.punches("3", {punch("1", "STA", "10:00:00"), punch("1", "FIN", "11:06:00")});
    race.session.table.setCell(3, column::penalty(1), "");
    race.add("4", "Tied", "A", "19", "0");
    race.add("5", "Ten", "A", "10", "150"); // more time-control time than one point is worth
    race.add("6", "Nine", "A", "9", "0");
    race.add("7", "Zero", "A", "0", "");
    race.add("8", "Cheat", "A", "25", "10");
    race.session.table.setCell(8, column::disqualified(1), "DISK");
    race.add("9", "Gone", "A", "", "", "0", false);
    race.add("10", "Quit", "A", "5", "0");
    race.punches("10", {punch(std::to_string(code(1, 'A')), " CN", "10:10:00")});
    const auto lines = race.lines(ResultListKind::PreO);
    EXPECT_EQ(standings(lines),
              (std::vector<std::string>{"Forty 1 20", "Ninety 2 20", "Late 3 19", "Tied 3 19", "Ten 5 10",
                                        "Nine 6 9", "Zero 7 0", "Cheat Disqualified 25",
                                        "Quit DidNotFinish 5", "Gone DidNotStart -"}));
    EXPECT_TRUE(listed(lines).empty()); // no time behind: the ranking is not by time
    EXPECT_EQ(schemaErrors(race.exportFile(ResultListKind::PreO)), "");
    EXPECT_EQ(schemaErrors(race.exportFile(ResultListKind::TempO)), "");
}

TEST(ResultList, StartComesFromThePunchOrFromZeroTimeAndWholeOffsetMinutesAndFinishOnlyFromItsPunch) {
    Race race;
    race.record.classes[0] = classWith("A", "AB");
    race.add("1", "Offset Jan", "A", "1", "1", "12.5");
    race.add("2", "Punched Eva", "A", "1", "2", "40");
    race.punches("2", {punch("1", "STA", "10:41:30"), punch("1", "FIN", "11:20:05")});
    race.add("3", "Night Ota", "A", "1", "3", "20");
    race.punches("3", {punch("1", "STA", "23:58:00"), punch("1", "FIN", "00:41:00")});
    race.add("4", "Late Ida", "A", "1", "4", "900");
    const auto lines = race.lines(ResultListKind::TempO);
    // No finish punch, no finish time; the offset is the summer time of the day.
    const std::vector<std::string> expected = {
        "  <StartTime>2024-05-04T10:12:00+02:00</StartTime>",
        "  <StartTime>2024-05-04T10:41:30+02:00</StartTime>",
        "  <FinishTime>2024-05-04T11:20:05+02:00</FinishTime>",
        "  <StartTime>2024-05-04T23:58:00+02:00</StartTime>",
        "  <FinishTime>2024-05-05T00:41:00+02:00</FinishTime>",
        "  <StartTime>2024-05-05T01:00:00+02:00</StartTime>",
    };
    std::vector<std::string> times;
    for (const auto& line : lines)
        if (line.find("<StartTime>2024") != std::string::npos ||
            line.find("<FinishTime>") != std::string::npos)
            times.push_back(line);
    EXPECT_EQ(times, expected);
}

// The stage page's rows as "name place-or-status points" ("-" for no points).
std::vector<std::string> pageStandings(const std::string& html) {
    std::vector<std::string> lines, out;
    std::size_t from = 0;
    for (std::size_t end; (end = html.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(html.substr(from, end - from));
    const std::string rowStart = "<tr><td bgcolor=#EEEEEE>", pointsCell = "<TD bgcolor=#EEEEEE><b>";
    const std::map<std::string, std::string> statuses = {
        {"DISK", "Disqualified"}, {"DNF", "DidNotFinish"}, {"DNS", "DidNotStart"}};
    for (std::size_t i = 0; i + 3 < lines.size(); ++i) {
        if (lines[i].rfind(rowStart, 0) != 0) continue;
        std::string number = lines[i].substr(rowStart.size(), lines[i].find("<TD") - rowStart.size());
        number = statuses.count(number) ? statuses.at(number) : number.substr(0, number.size() - 1);
        std::string points = lines[i + 3].substr(pointsCell.size());
        if (points.rfind("<font color=#0000FF>", 0) == 0) points = points.substr(20);
        out.push_back(lines[i + 1] + " " + number + " " + (points.empty() ? "-" : points));
    }
    return out;
}

TEST(ResultList, StatusesPositionsAndScoresAreThoseOfTheStagePageRowByRow) {
    Race race;
    race.record.classes[0] = classWith("A", "AAAA");
    race.record.classes[0].time_limit = 60;
    auto answers = [](int right) {
        std::vector<std::string> lines = {punch("1", "STA", "10:00:00")};
        for (int k = 1; k <= 4; ++k)
            lines.push_back(punch(std::to_string(code(k, k <= right ? 'A' : 'B')), " CN",
                                  "10:1" + std::to_string(k) + ":00"));
        return lines;
    };
    auto finisher = [&](int right, const std::string& finish) {
        auto lines = answers(right);
        lines.push_back(punch("1", "FIN", finish));
        return lines;
    };
    const std::vector<std::pair<std::string, std::vector<std::string>>> competitors = {
        {"Gone", {}},                      // no files: did not start
        {"Over", finisher(4, "11:05:00")}, // 5 minutes over the hour: 2 units off
        {"Best", finisher(4, "10:50:00")},
        {"Quit", answers(2)}, // no finish punch
        {"TieA", finisher(3, "10:40:00")},
        {"Disk", finisher(1, "10:30:00")},
        {"TieB", finisher(3, "10:45:00")},
    };
    for (std::size_t i = 0; i < competitors.size(); ++i) {
        const std::string id = std::to_string(i + 1);
        race.add(id, competitors[i].first, "A", "", "", "0", false);
        if (!competitors[i].second.empty()) race.punches(id, competitors[i].second);
    }
    race.session.table.setCell(6, column::disqualified(1), "DISK");
    race.save();
    ResultsRunOptions run;
    run.scoring.selectedClasses = {"A"};
    run.page.scoreColumns = true;
    const std::string page = test::readFile(runResults(race.session, run).pagePath);

    const std::vector<std::string> expected = {
        "Best 1 4",          "TieA 2 3", "TieB 2 3", "Over 4 2", "Disk Disqualified 1", "Quit DidNotFinish 2",
        "Gone DidNotStart -"};
    EXPECT_EQ(pageStandings(page), expected);
    EXPECT_EQ(standings(race.lines(ResultListKind::PreO)), expected);
    EXPECT_EQ(schemaErrors(race.exportFile(ResultListKind::PreO)), "");
    EXPECT_EQ(schemaErrors(race.exportFile(ResultListKind::TempO)), "");
}

TEST(ResultList, ANameWithoutABlankIsTheFamilyNameAlone) {
    Race race;
    race.record.classes[0] = classWith("A", "AB");
    race.add("1", "Madonna", "A", "3", "10");
    race.add("2", "van Dijk Jan", "A", "3", "20");
    const auto lines = race.lines(ResultListKind::TempO);
    EXPECT_TRUE(contains(lines, "   <Family>Madonna</Family>"));
    EXPECT_TRUE(contains(lines, "   <Given></Given>"));
    EXPECT_TRUE(contains(lines, "   <Family>van</Family>"));
    EXPECT_TRUE(contains(lines, "   <Given>Dijk Jan</Given>"));
}

TEST(ResultList, PreOExportsEveryControlAndEveryTaskOfTheActiveStationsInPlace) {
    Race race;
    race.record.classes[0] = classWith("A", "ABXZ");
    setStation(race.record.classes[0], 1, "ABC");
    setStation(race.record.classes[0], 2, "A", true);
    setStation(race.record.classes[0], 3, "CXA");
    race.record.classes[0].time_limit = 60;
    race.add("7", "Novak Jan", "A", "2", "95");
    race.session.table.setCell(1, column::kSi, "2045117");
    race.punches("7",
                 {punch("1", "STA", "10:05:00"), punch(std::to_string(code(1, 'A')), " CN", "10:10:00"),
                  punch(std::to_string(code(1, 'B')), " CN", "10:11:00"),
                  punch(std::to_string(code(3, 'C')), " CN", "10:13:00"),
                  punch(std::to_string(code(4, 'Z')), " CN", "10:15:00"), punch("1", "FIN", "10:50:00")});
    race.timedControls("7", "A-C------;45;*\r\nA;30\r\nCBB;65\r\n");
    const auto lines = race.lines(ResultListKind::PreO);
    const auto first = std::find(lines.begin(), lines.end(), "  <Score>2</Score>");
    ASSERT_NE(first, lines.end());
    auto answer = [](const std::string& given, const std::string& correct, const std::string& time = "") {
        std::vector<std::string> out = {"  <ControlAnswer>", "   <Answer>" + given + "</Answer>",
                                        "   <CorrectAnswer>" + correct + "</CorrectAnswer>"};
        if (!time.empty()) out.push_back("   <Time>" + time + "</Time>");
        out.push_back("  </ControlAnswer>");
        return out;
    };
    // Controls 1 to 4 (2 unanswered, 3 voided), station 1 task by task, station 3
    // with its voided task; station 2 is switched off.
    std::vector<std::string> expected = {"  <Score>2</Score>"};
    for (const auto& element : {answer("AB", "A"), answer("", "B"), answer("C", "X"), answer("Z", "Z"),
                                answer("A", "A"), answer("", "B"), answer("C", "C", "45"), answer("C", "C"),
                                answer("B", "X"), answer("B", "A", "65")})
        expected.insert(expected.end(), element.begin(), element.end());
    expected.insert(expected.end(), {R"(   <ControlCard punchingSystem="SI">2045117</ControlCard>)",
                                     "  </Result>", " </PersonResult>"});
    EXPECT_EQ(std::vector<std::string>(first, first + static_cast<long>(expected.size())), expected);

    // TempO carries the stations but neither the score nor the controls.
    const auto tempo = race.lines(ResultListKind::TempO);
    EXPECT_FALSE(contains(tempo, "  <Score>2</Score>"));
    EXPECT_EQ(std::count(tempo.begin(), tempo.end(), "  <ControlAnswer>"), 6);
    EXPECT_EQ(schemaErrors(race.exportFile(ResultListKind::PreO)), "");
    EXPECT_EQ(schemaErrors(race.exportFile(ResultListKind::TempO)), "");
}

std::string withoutTags(const std::string& html) {
    return std::regex_replace(html, std::regex("<[^>]*>"), "");
}

// Each competitor's answers read back from the file as a reader lines them up:
// PreO the first `controls` elements are the controls, then each station runs up
// to the task that carries its time. Written as the page's cells: a voided
// control or task "X", a task not answered "*", a station "time:tasks".
std::map<std::string, std::vector<std::string>> answersInFile(const std::string& path, std::size_t controls) {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_file(path.c_str()));
    std::map<std::string, std::vector<std::string>> out;
    for (const auto& person : document.child("ResultList").child("ClassResult").children("PersonResult")) {
        auto& cells = out[person.child("Person").child("Name").child_value("Family")];
        std::string station;
        for (const auto& element : person.child("Result").children("ControlAnswer")) {
            const std::string answer = element.child_value("Answer");
            const std::string correct = element.child_value("CorrectAnswer");
            const bool task = cells.size() >= controls;
            const std::string cell = correct == "X" ? "X" : answer.empty() && task ? "*" : answer;
            if (!task) {
                cells.push_back(cell);
                continue;
            }
            station += cell;
            if (element.child("Time")) {
                cells.push_back(std::string(element.child_value("Time")) + ":" + station);
                station.clear();
            }
        }
        EXPECT_EQ(station, "") << "tasks after the last station time";
    }
    return out;
}

// The same from the stage page's detail cells; a switched-off station (grey) is
// not in the files.
std::map<std::string, std::vector<std::string>> answersOnPage(const std::vector<StageResult>& results,
                                                              const RaceRecord& record, bool controls) {
    const PageColumns columns = pageColumns(record, {"A"});
    std::map<std::string, std::vector<std::string>> out;
    for (const StageResult& result : results) {
        PageLines page;
        writeDetailCells(page, result, record.classes[0], columns, false, StationCells::Main);
        auto& cells = out[result.name.substr(0, result.name.find(' '))];
        std::istringstream lines(page.bytes());
        std::string line;
        for (int column = 0; std::getline(lines, line); ++column) {
            const std::string cell = withoutTags(line.substr(0, line.size() - 1)); // "\r"
            if (column < columns.controls) {
                if (controls) cells.push_back(cell);
            } else if (line.find("bgcolor=#888888") == std::string::npos) {
                // "total (time-tasks)"
                const auto open = cell.find('('), dash = cell.find('-', open);
                cells.push_back(cell.substr(open + 1, dash - open - 1) + ":" +
                                cell.substr(dash + 1, cell.size() - dash - 2));
            }
        }
    }
    return out;
}

TEST(ResultList, AnswersReadBackFromBothFilesAreThoseOfTheStagePageControlByControlAndTaskByTask) {
    Race race;
    ClassDefinition& definition = race.record.classes[0] = classWith("A", "BXAZC"); // control 2 voided
    setStation(definition, 1, "ABC");
    setStation(definition, 2, "AXB"); // task 2 voided
    setStation(definition, 3, "C", true);
    auto controls = [](const std::string& answers) { // one letter per control, "." none
        std::vector<std::string> lines;
        for (std::size_t k = 0; k < answers.size(); ++k)
            if (answers[k] != '.')
                lines.push_back(punch(std::to_string(code(static_cast<int>(k) + 1, answers[k])), " CN",
                                      "10:1" + std::to_string(k) + ":00"));
        return lines;
    };
    const std::vector<std::array<std::string, 3>> competitors = {
        // name, controls, timed-control file
        {"Fast Eva", "BAAZC", "ABC;20\r\nACB;25\r\nC;10\r\n"},
        {"Novak Jan", "BB.ZA", "-BC;40\r\nABB;30\r\nC;5\r\n"}, // control 3 and task 1 unanswered
        {"Lind Eva", "C.A.C", "ABC;50\r\n-C-;20\r\nC;5\r\n"},  // Novak's timed-control time
        {"Slow Ota", "B....", "ABC;90\r\n"},
    };
    for (std::size_t i = 0; i < competitors.size(); ++i) {
        const std::string id = std::to_string(i + 1);
        race.add(id, competitors[i][0], "A", "", "");
        race.punches(id, controls(competitors[i][1]));
        race.timedControls(id, competitors[i][2]);
    }
    race.save();
    ResultsRunOptions run;
    run.scoring.selectedClasses = {"A"};
    const std::vector<StageResult> results = runResults(race.session, run).results;
    const std::string preo = race.exportFile(ResultListKind::PreO);
    const std::string tempo = race.exportFile(ResultListKind::TempO);
    EXPECT_EQ(schemaErrors(preo), "");
    EXPECT_EQ(schemaErrors(tempo), "");

    const auto page = answersOnPage(results, race.record, true);
    EXPECT_EQ(page.at("Novak"), (std::vector<std::string>{"B", "X", "", "Z", "A", "40:*BC", "30:AXB"}));
    EXPECT_EQ(answersInFile(preo, 5), page);
    EXPECT_EQ(answersInFile(tempo, 0), answersOnPage(results, race.record, false));

    // Equal TempO times share a position; PreO, not ranked by time, has no time behind.
    pugi::xml_document document;
    ASSERT_TRUE(document.load_file(tempo.c_str()));
    std::vector<std::string> positions;
    for (const auto& person : document.child("ResultList").child("ClassResult").children("PersonResult"))
        positions.push_back(std::string(person.child("Person").child("Name").child_value("Family")) + " " +
                            person.child("Result").child_value("Position"));
    EXPECT_EQ(positions, (std::vector<std::string>{"Fast 1", "Novak 2", "Lind 2", "Slow 4"}));
    EXPECT_EQ(test::readFile(preo).find("TimeBehind"), std::string::npos);
}

TEST(ResultList, CzechNamesAreConvertedToUtf8AndEscaped) {
    Race race;
    race.record.race_name = "Poh\xE1r \x8E"
                            "ambery & <Syn>";
    race.record.classes[0] = classWith("H\x9Ainky", "A");
    race.record.classes[2] = classWith("D21", "A");
    race.add("1", "Dvo\xF8\xE1k & Syn", "H\x9Ainky", "1", "10");
    race.session.table.setCell(1, column::kRegistration, "\"ABC'");
    const auto lines = race.lines(ResultListKind::PreO);
    EXPECT_TRUE(contains(lines, " <Name>Pohár Žambery &amp; &lt;Syn&gt;</Name>"));
    EXPECT_TRUE(contains(lines, "  <Name>Hšinky</Name>"));
    EXPECT_TRUE(contains(lines, "   <Family>Dvořák</Family>"));
    EXPECT_TRUE(contains(lines, "   <Given>&amp; Syn</Given>"));
    EXPECT_TRUE(contains(lines, R"(   <Id type="IOF">&quot;ABC&apos;</Id>)"));
    EXPECT_EQ(schemaErrors(race.exportFile(ResultListKind::PreO)), "");
    EXPECT_EQ(schemaErrors(race.exportFile(ResultListKind::TempO)), "");
}

TEST(ResultList, XmlTextLeavesOutControlCharactersThatXmlCannotHold) {
    EXPECT_EQ(xmlText("a\x01"
                      "b\x1F\x7F\tc\r\n"),
              "ab\tc");
    EXPECT_EQ(xmlText("\x8A\xE1<&>"), "Šá&lt;&amp;&gt;");
}

TEST(ResultList, TheDocumentIsWrittenLineByLine) {
    Race race;
    race.record.classes[0] = classWith("A", "B");
    setStation(race.record.classes[0], 1, "C");
    race.record.classes[4] = classWith("Empty", "A");
    race.add("12", "Lind Eva", "A", "1", "60");
    race.session.table.setCell(1, column::kFlag, "SWE");
    race.punches("12", {punch(std::to_string(code(1, 'B')), " CN", "10:20:00")});
    race.timedControls("12", "C;60\r\n");
    const std::vector<std::string> expected = {
        R"(<?xml version="1.0" encoding="utf-8"?>)",
        R"(<ResultList xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" iofVersion="3.0" createTime="2024-05-04T09:05:07+01:00" creator="Ravik" status="Snapshot" xmlns="http://www.orienteering.org/datastandard/3.0">)",
        "<Event>",
        " <Name>Spring Cup</Name>",
        " <StartTime>",
        "  <Date>2024-05-04</Date>",
        "  <Time>10:00:00</Time>",
        " </StartTime>",
        " <EndTime>",
        "  <Date>2024-05-04</Date>",
        "  <Time>23:59:59</Time>",
        " </EndTime>",
        "</Event>",
        "<ClassResult>",
        " <Class>",
        "  <Id>A</Id>",
        "  <Name>A</Name>",
        " </Class>",
        " <Course>",
        "  <Length>0</Length>",
        "  <Climb>0</Climb>",
        " </Course>",
        " <PersonResult>",
        "  <Person>",
        R"(   <Id type="IOF">REG12</Id>)",
        "  <Name>",
        "   <Family>Lind</Family>",
        "   <Given>Eva</Given>",
        "  </Name>",
        " </Person>",
        " <Organisation>",
        "  <Name>SWE</Name>",
        R"(  <Country code="SWE">SWE</Country>)",
        " </Organisation>",
        " <Result>",
        "  <BibNumber>12</BibNumber>",
        "  <StartTime>2024-05-04T10:00:00+02:00</StartTime>",
        "  <Time>60</Time>",
        "  <Position>1</Position>",
        "  <Status>OK</Status>",
        "  <Score>1</Score>",
        "  <ControlAnswer>",
        "   <Answer>B</Answer>",
        "   <CorrectAnswer>B</CorrectAnswer>",
        "  </ControlAnswer>",
        "  <ControlAnswer>",
        "   <Answer>C</Answer>",
        "   <CorrectAnswer>C</CorrectAnswer>",
        "   <Time>60</Time>",
        "  </ControlAnswer>",
        "  </Result>",
        " </PersonResult>",
        "</ClassResult>",
        "<ClassResult>",
        " <Class>",
        "  <Id>Empty</Id>",
        "  <Name>Empty</Name>",
        " </Class>",
        " <Course>",
        "  <Length>0</Length>",
        "  <Climb>0</Climb>",
        " </Course>",
        "</ClassResult>",
        "</ResultList>",
    };
    EXPECT_EQ(race.lines(ResultListKind::PreO), expected);

    std::string bytes;
    for (const auto& line : expected)
        bytes += line + "\r\n";
    const std::string path = race.exportFile(ResultListKind::PreO);
    EXPECT_EQ(path, race.folder.file("spring_PreoResults_E1.xml"));
    EXPECT_EQ(test::readFile(path), bytes);
    EXPECT_EQ(schemaErrors(path), "");
}

TEST(ResultList, AnUnscoredStageHoldsOnlyTheEventAndTheClasses) {
    Race race;
    race.record.classes[0] = classWith("A", "B");
    race.add("1", "Lind Eva", "A", "", "");
    race.add("2", "Novak Jan", "A", "", "", "0", false); // no files yet: not a DNS before the scoring
    const auto lines = race.lines(ResultListKind::TempO);
    EXPECT_FALSE(contains(lines, " <PersonResult>"));
    EXPECT_TRUE(contains(lines, "  <Name>A</Name>"));
    EXPECT_EQ(schemaErrors(race.exportFile(ResultListKind::TempO)), "");
}

TEST(ResultList, TheFileIsNamedAfterTheRaceAndTheSuccessIsTold) {
    EXPECT_EQ(resultListPath("/races/Spring.ravik", 2, ResultListKind::TempO),
              "/races/Spring_TempoResults_E2.xml");
    EXPECT_EQ(resultListPath("/races/Spring.ravik", 1, ResultListKind::PreO),
              "/races/Spring_PreoResults_E1.xml");

    Race race;
    race.record.classes[0] = classWith("A", "B");
    race.save();
    test::ScriptedPrompt prompt;
    const auto path = exportResultList(race.session, {.stage = 1, .kind = ResultListKind::TempO}, prompt);
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, race.folder.file("spring_TempoResults_E1.xml"));
    EXPECT_EQ(prompt.shown, (std::vector<std::string>{"File " + *path + " created."}));
    EXPECT_EQ(schemaErrors(*path), "");
}

TEST(ResultList, AStageWithoutAValidDateOrZeroTimeIsRefusedAndNothingIsWritten) {
    for (const auto& [date, start] : std::vector<std::pair<std::string, std::string>>{
             {"", "10:00"}, {"2024-02-30", "10:00"}, {"2024-05-04", ""}, {"2024-05-04", "25:00"}}) {
        Race race;
        race.record.stage_date = date;
        race.record.stage_start = start;
        race.record.classes[0] = classWith("A", "B");
        race.add("1", "Lind Eva", "A", "1", "1");
        race.save();
        test::ScriptedPrompt prompt;
        race.session.language = Language::English;
        EXPECT_FALSE(exportResultList(race.session, {.stage = 1, .kind = ResultListKind::PreO}, prompt));
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0],
                  date == "2024-05-04"
                      ? "The stage has no valid start time (HH:MM); the results cannot be exported to XML."
                      : "The stage has no valid date (YYYY-MM-DD); the results cannot be exported to XML.");
        EXPECT_FALSE(std::filesystem::exists(race.folder.file("spring_PreoResults_E1.xml")));
    }
}

TEST(ResultList, AnUnwritableFolderStopsTheExportWithoutTellingSuccess) {
    Race race;
    race.record.classes[0] = classWith("A", "B");
    race.save();
    std::filesystem::create_directories(race.folder.file("spring_TempoResults_E1.xml/inside"));
    test::ScriptedPrompt prompt;
    EXPECT_THROW(exportResultList(race.session, {.stage = 1, .kind = ResultListKind::TempO}, prompt),
                 IoError);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST(ResultList, TimesCarryTheLocalOffsetOfTheirDayAndTheCreationTimeATwoDigitHour) {
    const CentralEuropeanTime zone;
    std::tm local{};
    local.tm_year = 2023 - 1900;
    local.tm_mon = 10;
    local.tm_mday = 1;
    local.tm_hour = 9;
    local.tm_min = 5;
    local.tm_sec = 3;
    local.tm_isdst = -1;
    EXPECT_EQ(iofCreationTime(local), "2023-11-01T09:05:03+01:00");
    local.tm_mon = 6;
    EXPECT_EQ(iofCreationTime(local), "2023-07-01T09:05:03+02:00");
    // Summer time starts at 02:00 on the last Sunday of March; a finish after
    // midnight belongs to the next day and its offset.
    const auto switchDay = *parseStageDate("2024-03-31");
    EXPECT_EQ(iofDateTime(switchDay, 1 * 3600 + 30 * 60), "2024-03-31T01:30:00+01:00");
    EXPECT_EQ(iofDateTime(switchDay, 3 * 3600 + 30 * 60), "2024-03-31T03:30:00+02:00");
    EXPECT_EQ(iofDateTime(*parseStageDate("2024-10-26"), 86400 + 12 * 3600), "2024-10-27T12:00:00+01:00");

    test::setTimeZone("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(iofDateTime(*parseStageDate("2024-01-15"), 10 * 3600), "2024-01-15T10:00:00-05:00");
}

} // namespace
} // namespace ravik
