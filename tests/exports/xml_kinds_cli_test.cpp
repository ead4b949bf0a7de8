// export-xml --kind startlist|overall|relay through ravik-cli: each file is
// checked against the IOF schema, read back and compared with the page the
// program writes for the same race.
#include "core/competitor_file.h"
#include "core/competitor_table.h"
#include "core/log.h"
#include "core/race_file.h"
#include "iof_schema.h"
#include "program_run.h"
#include "test_support.h"
#include "two_stage_race.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <pugixml.hpp>
#include <regex>

namespace ravik {
namespace {

// Two stages of classes A and B (the same two controls, answers A at 31 and B at
// 42, a limit of 60 minutes). Stage 1: Novak 50 min, Lind 61 min (one over-time
// unit), Berg 40 min, Kovac (B) not started, Dvorak 50 min but "DISK". Stage 2:
// Novak 50, Lind 40, Berg not started, Dvorak 50. Relays: 7 = Novak + Lind,
// 3 = Berg + Kovac, 9 = Dvorak alone.
struct XmlRace {
    test::TempFolder folder;
    std::string racePath = folder.file("cup.ravik");

    XmlRace() {
        test::createTwoStageRace(racePath, {"A", "B"});

        CompetitorTable table;
        table.setHeadings(Language::Czech);
        table.appendRow(row("1", "Novak Jan", "A", "7", "0", "0"));
        table.appendRow(row("2", "Lind Eva", "A", "7", "2.5", "0"));
        table.appendRow(row("3", "Berg Ola", "A", "3", "5", "0"));
        table.appendRow(row("4", "Kovac Petr", "B", "3", "5", ""));
        TableRow dvorak = row("5", "Dvorak Ivo", "A", "9", "7", "3");
        dvorak[column::disqualified(1)] = "DISK";
        table.appendRow(dvorak);
        LogLines log;
        saveCompetitorTable(folder.file("cup.zavodnici"), table, log);
        punches(1, "1", "10:50:00");
        punches(1, "2", "11:01:00");
        punches(1, "3", "10:40:00");
        punches(1, "5", "10:50:00");
        punches(2, "1", "10:50:00");
        punches(2, "2", "10:40:00");
        punches(2, "5", "10:50:00");
    }
    static TableRow row(const std::string& id, const std::string& name, const std::string& className,
                        const std::string& relay, const std::string& e1, const std::string& e2) {
        TableRow row{};
        row[column::kId] = id;
        row[column::kRegistration] = "R" + id;
        row[column::kClass] = className;
        row[column::kSi] = "10" + id;
        row[column::kName] = name;
        row[column::kFlag] = "CZE";
        row[column::kRelay] = relay;
        row[column::start(1)] = e1;
        row[column::start(2)] = e2;
        return row;
    }
    void punches(int stage, const std::string& id, const std::string& finish) {
        auto line = [](const std::string& code, const std::string& mode, const std::string& time) {
            return "MANUAL;1;" + code + ";" + mode + ";RDO;6;2024-05-04;" + time + ";0;00\r\n";
        };
        test::writeFile(folder.file("E" + std::to_string(stage) + "/" + id + ".si"),
                        line("1", "STA", "10:00:00") + line("31", " CN", "10:10:00") +
                            line("42", " CN", "10:20:00") + line("1", "FIN", finish));
    }
    // Runs ravik-cli; returns its exit status and its output (both streams).
    int cli(const std::vector<std::string>& arguments, std::string& output) {
        const test::ProgramRun run = test::runCli(arguments, test::Streams::Together);
        output = run.output;
        return run.exitCode;
    }
    // Writes the file with export-xml (and these options), checks its printed path and its schema, and
    // reads it back.
    pugi::xml_document exported(const std::string& options, const std::string& fileName) {
        std::string output;
        const std::string path = folder.file(fileName);
        EXPECT_EQ(cli(test::followedBy({"export-xml", racePath}, test::words(options)), output), 0) << output;
        EXPECT_EQ(output, path + "\n");
        if (const auto schemaErrors = test::iofSchemaErrors(path)) {
            EXPECT_EQ(*schemaErrors, "");
        }
        EXPECT_EQ(test::readFile(path).find("\n"), test::readFile(path).find("\r\n") + 1); // CR LF
        pugi::xml_document document;
        EXPECT_TRUE(document.load_file(path.c_str()));
        return document;
    }
    std::string page(const std::vector<std::string>& arguments, const std::string& fileName) {
        std::string output;
        EXPECT_EQ(cli(arguments, output), 0) << output;
        return test::readFile(folder.file(fileName));
    }
};

std::string personName(pugi::xml_node holder) {
    const pugi::xml_node name = holder.child("Person").child("Name");
    return std::string(name.child_value("Family")) + " " + name.child_value("Given");
}

// The place cell of the pages: "1." for a position, else the status word.
std::string placeText(pugi::xml_node result) {
    static const std::map<std::string, std::string> words = {
        {"DidNotStart", "DNS"}, {"DidNotFinish", "DNF"}, {"Disqualified", "DISK"}};
    const std::string status = result.child_value("Status");
    return status == "OK" ? std::string(result.child_value("Position")) + "." : words.at(status);
}

std::vector<std::smatch> matches(const std::string& text, const std::string& pattern) {
    const std::regex expression(pattern);
    return {std::sregex_iterator(text.begin(), text.end(), expression), std::sregex_iterator()};
}

TEST(XmlKindsCli, StartListHasEveryClassAndAgreesWithTheStartListPage) {
    XmlRace race;
    const pugi::xml_document xml = race.exported("--kind startlist --stage 1", "cup_StartList_E1.xml");
    const std::string html = race.page({"startlist", race.racePath, "--stage", "1"}, "E1/startlist_E1.htm");
    // ID, registration, class, SI, name, country, clock of each page row.
    std::map<std::string, std::vector<std::string>> pageRows;
    for (const std::smatch& row : matches(
             html, "<tr><td>([^<]*)<td>([^<]*)<td>([^<]*)<td>([^<]*)<td>([^<]*)<td bgcolor=#BBBBBB>([^<]*)"
                   "<td bgcolor=#FFFFAA><font size=\\+1>&nbsp;<b>[^<]*</b>&nbsp;</font><td "
                   "bgcolor=#FFFFAA>&nbsp;([0-9:]*)"))
        pageRows[row[1]] = {row[2], row[3], row[4], row[5], row[6], row[7]};
    ASSERT_EQ(pageRows.size(), 5u);
    std::vector<std::string> classes;
    std::size_t listed = 0;
    for (pugi::xml_node classStart : xml.child("StartList").children("ClassStart")) {
        const std::string className = classStart.child("Class").child_value("Name");
        classes.push_back(className);
        for (pugi::xml_node person : classStart.children("PersonStart")) {
            const pugi::xml_node start = person.child("Start");
            const std::string id = start.child_value("BibNumber");
            ASSERT_TRUE(pageRows.count(id)) << id;
            const std::string startTime = start.child_value("StartTime");
            EXPECT_EQ((std::vector<std::string>{
                          person.child("Person").child_value("Id"), className,
                          start.child_value("ControlCard"), personName(person),
                          person.child("Organisation").child("Country").attribute("code").value(),
                          startTime.substr(11, 8)}),
                      pageRows[id]);
            EXPECT_EQ(startTime.substr(0, 10), "2024-05-04");
            ++listed;
        }
    }
    EXPECT_EQ(classes, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(listed, pageRows.size());
    EXPECT_EQ(pageRows["2"][5], "10:02:30");
}

TEST(XmlKindsCli, OverallHasAResultPerStageAndThePagesPlacesStatusesAndTotals) {
    XmlRace race;
    const std::string args = "--stages 1,2 --classes A --complete";
    const pugi::xml_document xml =
        race.exported("--kind overall " + args, "cup_OverallResults_E1+E2_class_A.xml");
    const std::string html = race.page(test::followedBy({"overall", race.racePath}, test::words(args)),
                                       "overall_results_E1+E2_class_A.htm");
    const auto rows =
        matches(html, "<td><center>([^<]*)<td>\r\n([^\r]*)\r\n<td>[^\r]*\r\n<td bgcolor=#EEEEEE><b>"
                      "<center>(-?[0-9]+)<td bgcolor=#EEEEEE><b><center>(-?[0-9]+)\r\n");
    const pugi::xml_node list = xml.child("ResultList");
    std::vector<std::string> races;
    for (pugi::xml_node raceNode : list.child("Event").children("Race"))
        races.push_back(std::string(raceNode.child_value("RaceNumber")) +
                        raceNode.child("StartTime").child_value("Date"));
    EXPECT_EQ(races, (std::vector<std::string>{"12024-05-04", "22024-05-05"}));
    std::vector<std::string> fromXml, fromPage;
    for (pugi::xml_node person : list.child("ClassResult").children("PersonResult")) {
        std::vector<std::string> stages;
        for (pugi::xml_node result : person.children("Result"))
            stages.push_back(std::string(result.attribute("raceNumber").value()) + ":" +
                             result.child_value("Status"));
        const pugi::xml_node overall = person.last_child().child("OverallResult");
        fromXml.push_back(placeText(overall) + " " + personName(person) + " " + overall.child_value("Score") +
                          " " + overall.child_value("Time") + " " + stages[0] + " " + stages[1]);
    }
    for (const std::smatch& row : rows)
        fromPage.push_back(row.str(1) + " " + row.str(2) + " " + row.str(3) + " " + row.str(4));
    ASSERT_EQ(fromXml.size(), fromPage.size());
    for (std::size_t i = 0; i < fromXml.size(); ++i)
        EXPECT_EQ(fromXml[i].substr(0, fromPage[i].size()), fromPage[i]);
    EXPECT_EQ(fromXml, (std::vector<std::string>{"1. Novak Jan 4 0 1:OK 2:OK", "2. Lind Eva 3 0 1:OK 2:OK",
                                                 "DNS Berg Ola 2 0 1:OK 2:DidNotStart",
                                                 "DISK Dvorak Ivo 4 0 1:Disqualified 2:OK"}));
}

TEST(XmlKindsCli, RelayHasTheTeamsOfTheRelayPageWithAMemberResultPerLeg) {
    XmlRace race;
    const std::string args = "--stage 1 --classes A,B --relay farsta";
    const pugi::xml_document xml = race.exported("--kind relay " + args, "cup_RelayResults_E1_class_A+B.xml");
    const std::string html =
        race.page(test::followedBy({"results", race.racePath}, test::words(args + " --columns")),
                  "E1/vysledky_stafet_E1_kategorie_A+B.htm");
    // Per team block: its count or status and total; per leg: name and time cell.
    std::vector<std::string> fromPage;
    for (const std::smatch& part : matches(
             html,
             "<center>([^<]*)<br>(-?[0-9]+) sec|width=100%><tr><td>([^<]*)<td align=\"right\">\\("
             "[^\r]*\r\n<TD bgcolor=#EEEEEE><b>[0-9]*<TD bgcolor=#EEEEEE>[0-9]*<TD bgcolor=#EEEEEE>([^\r]*)"))
        fromPage.push_back(part[1].matched ? part.str(1) + " " + part.str(2)
                                           : part.str(3) + " " + part.str(4));
    std::vector<std::string> fromXml;
    for (pugi::xml_node team : xml.child("ResultList").child("ClassResult").children("TeamResult")) {
        const pugi::xml_node overall = team.last_child().child("Result").child("OverallResult");
        fromXml.push_back(placeText(overall) + " " + overall.child_value("Time"));
        for (pugi::xml_node member : team.children("TeamMemberResult")) {
            const pugi::xml_node result = member.child("Result");
            const std::string status = result.child_value("Status");
            if (!member.child("Person")) {
                EXPECT_EQ(status, "DidNotStart");
                fromPage.erase(fromPage.begin() + static_cast<long>(fromXml.size())); // the page's empty leg
                continue;
            }
            const int seconds = result.child("Time").text().as_int();
            char time[16];
            std::snprintf(time, sizeof time, "%02d:%02d", seconds / 60, seconds % 60);
            fromXml.push_back(personName(member) + " " + (status == "DidNotStart" ? "DNS" : time));
        }
    }
    EXPECT_EQ(fromXml, fromPage);
    EXPECT_EQ(fromXml,
              (std::vector<std::string>{"1. 0", "Dvorak Ivo 50:00", "2. 660", "Novak Jan 50:00",
                                        "Lind Eva 61:00", "DNS 120", "Berg Ola 40:00", "Kovac Petr DNS"}));
}

TEST(XmlKindsCli, BadArgumentsAreToldAndNothingIsWritten) {
    XmlRace race;

    const struct {
        std::string arguments, told;
    } cases[] = {
        {"--kind list --stage 1", "--kind takes preo, tempo, startlist, overall or relay"},
        {"--stage 1", "--kind takes preo, tempo, startlist, overall or relay"},
        {"--kind startlist", "--kind startlist needs --stage"},
        {"--kind startlist --stage 1 --classes A", "--classes does not go with --kind startlist"},
        {"--kind overall --stages 1,2", "--kind overall needs --classes"},
        {"--kind overall --stages 1,3 --classes A", "the race has no stage 3"},
        {"--kind relay --stage 1 --classes A", "--kind relay needs --relay"},
        {"--kind relay --stage 1 --classes A --relay ring", "--relay takes farsta, motala or teams"},
        {"--kind relay --stage 1 --classes C --relay teams", "the stage has no class C"},
        {"--kind startlist --stage 4 --lang GBR", "The race has no such stage: 4"},
        {"--kind preo --stage 1 --complete", "--complete does not go with --kind preo"},
    };
    for (const auto& [arguments, told] : cases) {
        std::string output;
        EXPECT_NE(race.cli(test::followedBy({"export-xml", race.racePath}, test::words(arguments)), output),
                  0)
            << arguments;
        EXPECT_NE(output.find("ravik-cli: " + told + "\n"), std::string::npos) << arguments << ": " << output;
    }
    for (const auto& entry : std::filesystem::directory_iterator(race.folder.file("")))
        EXPECT_NE(entry.path().extension(), ".xml") << entry.path();
}

} // namespace
} // namespace ravik
