// Giving an unassigned card to a competitor: whom the dialog offers, what is
// refused, and `ravik-cli assign` ending with his punch file written.
#include "core/competitor_file.h"
#include "core/competitor_table.h"
#include "core/race_file.h"
#include "core/session.h"
#include "program_run.h"
#include "readout/card_assignment.h"
#include "readout/si_log_csv.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ravik::test {
namespace {

TableRow competitor(const std::string& id, const std::string& className, const std::string& card) {
    TableRow row;
    row[column::kId] = id;
    row[column::kName] = "Name " + id;
    row[column::kClass] = className;
    row[column::kSi] = card;
    return row;
}

RaceRecord twoClasses() {
    RaceRecord stage;
    stage.stage_number = 1;
    stage.classes[0].class_name = "A";
    stage.classes[0].answer_codes[0] = {31, 32, 33, 0, 0, 0, 0};
    stage.classes[1].class_name = "B";
    stage.classes[1].answer_codes[0] = {41, 42, 0, 0, 0, 0, 0};
    stage.classes[1].answer_codes[1] = {31, 0, 0, 0, 0, 0, 0};
    return stage;
}

std::vector<std::string> idsOf(const std::vector<AssignCandidate>& candidates) {
    std::vector<std::string> ids;
    for (const auto& candidate : candidates)
        ids.push_back(candidate.id);
    return ids;
}

TEST(CardAssignment, TheClassOfThePunchesAndTheCompetitorsOffered) {
    const RaceRecord stage = twoClasses();
    const struct {
        std::vector<int> punched;
        std::string cls;
    } cases[] = {{{31, 32}, "A"}, {{41, 42, 31}, "B"}, {{31}, ""} /* one each */, {{99}, ""}, {{}, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(likelyClassOfCard(stage, c.punched), c.cls) << c.punched.size();

    CompetitorTable table;
    table.appendRow(competitor("1", "A", "500"));
    table.appendRow(competitor("2", "A", ""));
    table.appendRow(competitor("3", "B", ""));
    table.appendRow(competitor("", "B", ""));   // no ID: never offered
    table.appendRow(competitor("4", "B", "0")); // "0" is no card
    EXPECT_EQ(idsOf(assignCandidates(table, "B")), (std::vector<std::string>{"3", "4", "2"}));
    EXPECT_EQ(idsOf(assignCandidates(table, "")), (std::vector<std::string>{"2", "3", "4"}));

    EXPECT_EQ(cardOfUnassignedLine("SI2045117"), "2045117");
    EXPECT_EQ(cardOfUnassignedLine("SI12 \r"), "12");
    for (const char* line : {"", "SI", "12", "SIx1", "Refresh"})
        EXPECT_EQ(cardOfUnassignedLine(line), "") << line;
}

TEST(CardAssignment, RefusesWhatWouldMixUpCardsAndSavesTheCard) {
    TempFolder folder;
    createRaceFile(folder.file("cup.ravik"), twoClasses());
    Session session;
    session.language = Language::English;
    session.race.setRacePath(folder.file("cup.ravik"));
    session.loadCompetitors();
    session.table.appendRow(competitor("1", "A", "500"));
    session.table.appendRow(competitor("2", "A", ""));
    const struct {
        std::string card, id, message;
    } refused[] = {{"12a", "2", "The card number must be a number: 12a"},
                   {"0", "2", "The card number must be a number: 0"},
                   {"700", "9", "No competitor has the ID 9 in the competitor table."},
                   {"700", "1", "Competitor 1 already carries the card 500."},
                   {"500", "2", "The card 500 is already carried by 1."}};
    for (const auto& c : refused) {
        try {
            assignCard(session, c.card, c.id);
            ADD_FAILURE() << c.card << " " << c.id << " was assigned";
        } catch (const AssignError& error) {
            EXPECT_EQ(error.what(), c.message);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("cup.zavodnici")));
    assignCard(session, "700", "2");
    EXPECT_EQ(session.log.lastLine(), "Card 700 assigned to competitor 2.");
    CompetitorTable saved;
    loadCompetitorTable(folder.file("cup.zavodnici"), saved);
    ASSERT_EQ(saved.cell(saved.rowCount() - 1, column::kId), "2");
    EXPECT_EQ(saved.cell(saved.rowCount() - 1, column::kSi), "700");
}

TEST(CardAssignment, TheAssignCommandWritesThePunchFileOfTheCompetitor) {
    TempFolder folder;
    const std::string race = folder.file("cup.ravik");
    createRaceFile(race, twoClasses());
    std::filesystem::create_directory(folder.file("E1"));
    CompetitorTable table;
    table.appendRow(competitor("7", "B", ""));
    LogLines saveLog;
    saveCompetitorTable(folder.file("cup.zavodnici"), table, saveLog);
    writeFile(folder.file("log.csv"), std::string(kSiLogHeader) +
                                          "\r\n1;99;41;  CN;1;6;2023-10-31;10:10:00;5;12;\r\n"
                                          "1;99;2;FIN;1;6;2023-10-31;10:30:00;5;12;\r\n");
    const auto run = [&](const std::vector<std::string>& arguments) {
        const ProgramRun ran = runCli(arguments, Streams::Together);
        return std::make_pair(ran.exitCode, ran.output);
    };
    const std::vector<std::string> options = {"--stage", "1",  "--log", folder.file("log.csv"),
                                              "--lang",  "GBR"};
    ASSERT_EQ(run(followedBy({"readout", race}, options)).first, 0);
    ASSERT_TRUE(std::filesystem::exists(folder.file("E1/SI99.si")));

    const auto assigned = run(followedBy({"assign", race, "--card", "99", "--id", "7"}, options));
    EXPECT_EQ(assigned.first, 0) << assigned.second;
    EXPECT_EQ(assigned.second, "Card 99 assigned to competitor 7.\nSIlog read\n");
    EXPECT_EQ(readFile(folder.file("E1/7.si")), readFile(folder.file("E1/SI99.si")));

    const auto again = run(followedBy({"assign", race, "--card", "99", "--id", "8"}, options));
    EXPECT_EQ(again.first, 1);
    EXPECT_NE(again.second.find("No competitor has the ID 8"), std::string::npos) << again.second;
}

} // namespace
} // namespace ravik::test
