#include "slips/printout.h"

#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace ravik;
using ravik::test::TempFolder;
using ravik::test::writeFile;

namespace {

// Station code of answer letter at control k: k·10 + position (A = 0 .. F = 5, Z = 6).
int code(int control, char letter) {
    return control * 10 + (letter == 'Z' ? 6 : letter - 'A');
}

ClassDefinition classWithAnswers(const std::string& name, const std::string& answers) {
    ClassDefinition definition;
    definition.class_name = name;
    definition.time_limit = 120;
    definition.cluster_penalty = 30;
    for (std::size_t k = 0; k < answers.size(); ++k) {
        definition.control_flags[k] = "A-F";
        definition.control_answer[k] = std::string(1, answers[k]);
        for (int position = 0; position < kAnswersPerControl; ++position)
            definition.answer_codes[k][position] = static_cast<int>(k + 1) * 10 + position;
    }
    return definition;
}

std::string punch(int stationCode, const std::string& time) {
    return "1;2045117;" + std::to_string(stationCode) + "; CN;1;6;2023-11-01;" + time + ";5;12;\r\n";
}
std::string startPunch(const std::string& time) {
    return "MANUAL;2045117;1;STA;RDO;6;2023-11-01;" + time + ";0;00\r\n";
}
std::string finishPunch(const std::string& time) {
    return "MANUAL;2045117;1;FIN;RDO;6;2023-11-01;" + time + ";9;00\r\n";
}

class PrintoutRace {
public:
    PrintoutRace() {
        session.language = Language::English;
        session.race.setRacePath(folder.file("race.ravik"));
        session.race.setCurrentStageText("1");
        session.table.setHeadings(Language::English);
        record.stage_number = 1;
        record.race_name = "Spring Cup";
        record.stage_start = "10:00";
        record.classes[0] = classWithAnswers("D21", "AB");
        record.classes[1] = classWithAnswers("H21", "ABCA");
        record.classes[1].cluster_answers[0] = {"A", "B", "C"};
        record.classes[1].cluster_answers[1] = {"A", "B"};
        createRaceFile(session.race.racePath(), record);
        ensureFolder(session.race.stageFolder(1));
    }

    int addCompetitor(const std::string& id, const std::string& className, const std::string& name,
                      const std::string& card) {
        session.table.appendRow(test::competitorRow(id, className, name, card));
        return session.table.rowCount() - 1;
    }
    void writeStageFile(const std::string& name, const std::string& bytes) {
        writeFile(session.race.stageFolder(1) + name, bytes);
    }

    PrintoutRequest request(const std::string& id) const {
        PrintoutRequest r;
        r.competitorId = id;
        r.run.scoring.stage = 1;
        r.run.scoring.selectedClasses = {"D21", "H21"}; // whatever was chosen, the slip ranks his class
        return r;
    }

    TempFolder folder;
    Session session;
    RaceRecord record;
};

} // namespace

TEST(Printout, TheCompetitorsPrintoutCarriesHisScoredStage) {
    PrintoutRace race;
    race.addCompetitor("7", "H21", "Fast Fred", "111");
    race.addCompetitor("12", "H21", "Nov\xE1k Jan", "2045117");
    // Fred: all four right.
    race.writeStageFile("7.si", startPunch("10:00:00") + punch(code(1, 'A'), "10:01:00") +
                                    punch(code(2, 'B'), "10:02:00") + punch(code(3, 'C'), "10:03:00") +
                                    punch(code(4, 'A'), "10:04:00") + finishPunch("10:05:00"));
    // Jan: control 2 wrong, control 4 skipped; a split across the hour mark.
    race.writeStageFile("12.si", startPunch("10:00:00") + punch(code(1, 'A'), "10:01:05") +
                                     punch(code(2, 'D'), "10:03:00") + punch(code(3, 'C'), "11:05:05") +
                                     finishPunch("11:10:00"));
    race.writeStageFile("12.tc2", "AB-;95\r\n-A;40\r\n");

    const PrintoutOutcome outcome = makePrintouts(race.session, race.request("12"));

    ASSERT_EQ(outcome.printouts.size(), 1u);
    const PrintoutData& d = outcome.printouts[0];
    EXPECT_EQ(d.name, "Nov\xE1k Jan");
    EXPECT_EQ(d.className, "H21");
    EXPECT_EQ(d.card, "2045117");
    EXPECT_EQ(d.id, "12");
    EXPECT_EQ(d.start, "10:00:00");
    EXPECT_EQ(d.finish, "11:10:00");
    EXPECT_EQ(d.raceTime, 70 * 60);
    EXPECT_EQ(d.points, 2);
    EXPECT_EQ(d.answer[0], "A");
    EXPECT_EQ(d.answer[1], "D");
    EXPECT_EQ(d.answer[2], "C");
    EXPECT_EQ(d.answer[3], "");
    EXPECT_EQ(d.wrong[0], false);
    EXPECT_EQ(d.wrong[1], true);
    EXPECT_EQ(d.split[0], 65);
    EXPECT_EQ(d.split[1], 115);
    EXPECT_EQ(d.split[2], 3725);
    EXPECT_EQ(d.place, 2);
    EXPECT_EQ(d.placed, 2);
    // Station 1: A and B right, task 3 missing (2 × 30 s); station 2 has no task-1 answer.
    EXPECT_EQ(d.tcAnswer[0][0], "A");
    EXPECT_EQ(d.tcAnswer[0][2], "");
    EXPECT_EQ(d.tcTime[0], 95);
    EXPECT_EQ(d.tcPenalty[0], 60);
    EXPECT_EQ(d.taskCount[0], 3);
    EXPECT_EQ(d.taskCount[1], 2);
    EXPECT_EQ(d.taskCount[2], 0);

    // The drawn printout shows the split within the hour, the missing task and the penalty.
    const DrawingList drawn = windowPrintout(d, {.markWrongAnswers = true});
    auto has = [&](const std::string& text) {
        for (const DrawnText& t : drawn.texts)
            if (t.text == text) return true;
        return false;
    };
    EXPECT_TRUE(has("Score: 2"));
    EXPECT_TRUE(has("2: D*"));
    EXPECT_TRUE(has("02:05"));
    EXPECT_TRUE(has("TC1: A B - "));
    EXPECT_TRUE(has("95 +60 pen"));
    EXPECT_TRUE(has("Preliminary: 2. m\xEDsto z 2 v H21"));
    // The stage was written back into the table and the competitor file saved.
    EXPECT_EQ(race.session.table.cell(2, column::points(1)), "2");
    EXPECT_TRUE(fileExists(race.session.race.competitorFilePath()));
}

TEST(Printout, ThePlaceAndItsCountAreThoseInHisClassWithoutTheDisqualified) {
    PrintoutRace race;
    race.addCompetitor("3", "D21", "Dana", "31");
    race.addCompetitor("4", "H21", "Better", "34");
    race.addCompetitor("12", "H21", "Jan", "32");
    const int cheat = race.addCompetitor("14", "H21", "Cheat", "33");
    race.session.table.setCell(cheat, column::disqualified(1), "DISK");
    race.writeStageFile("3.si", startPunch("10:00:00") + punch(code(1, 'A'), "10:01:00") +
                                    punch(code(2, 'B'), "10:02:00") + finishPunch("10:03:00"));
    race.writeStageFile("4.si", startPunch("10:00:00") + punch(code(1, 'A'), "10:01:00") +
                                    punch(code(2, 'B'), "10:02:00") + finishPunch("10:03:00"));
    race.writeStageFile("12.si",
                        startPunch("10:00:00") + punch(code(1, 'A'), "10:01:00") + finishPunch("10:03:00"));
    race.writeStageFile("14.si", startPunch("10:00:00") + punch(code(1, 'A'), "10:01:00") +
                                     punch(code(2, 'B'), "10:02:00") + punch(code(3, 'C'), "10:02:30") +
                                     finishPunch("10:03:00"));

    const PrintoutOutcome outcome = makePrintouts(race.session, race.request("12"));

    ASSERT_EQ(outcome.printouts.size(), 1u);
    EXPECT_EQ(outcome.printouts[0].points, 1);
    // Behind Better of H21; Dana's better score in D21 and the disqualified Cheat do not count.
    EXPECT_EQ(outcome.printouts[0].place, 2);
    EXPECT_EQ(outcome.printouts[0].placed, 2);
}

TEST(Printout, EveryRowWithTheIdGetsAPrintoutAndTheLastRowGivesTheClass) {
    PrintoutRace race;
    race.addCompetitor("12", "D21", "Jan as D21", "1");
    race.addCompetitor("5", "D21", "Other", "2");
    race.addCompetitor("12", "H21", "Jan as H21", "3");
    race.writeStageFile("12.si",
                        startPunch("10:00:00") + punch(code(1, 'A'), "10:01:00") + finishPunch("10:03:00"));

    const PrintoutOutcome outcome = makePrintouts(race.session, race.request("12"));

    ASSERT_EQ(outcome.printouts.size(), 2u);
    EXPECT_EQ(outcome.printouts[0].name, "Jan as D21");
    EXPECT_EQ(outcome.printouts[0].place, 0); // his class is H21, the last row's: D21 is not ranked
    EXPECT_EQ(outcome.printouts[1].name, "Jan as H21");
    EXPECT_EQ(outcome.printouts[1].place, 1);
    EXPECT_EQ(outcome.printouts[1].card, "3");
}

TEST(Printout, WhoDidNotFinishOrStartGetsTheStatusOnThePlaceLineInBothLayouts) {
    PrintoutRace race;
    race.addCompetitor("7", "H21", "Quit Fred", "111");
    race.writeStageFile("7.si", startPunch("10:00:00") + punch(code(1, 'A'), "10:01:00"));
    race.addCompetitor("8", "H21", "Absent Eva", "222");
    for (const auto& [id, status] :
         std::vector<std::pair<std::string, std::string>>{{"7", "DNF"}, {"8", "DNS"}}) {
        const PrintoutOutcome outcome = makePrintouts(race.session, race.request(id));
        ASSERT_EQ(outcome.printouts.size(), 1u);
        const PrintoutData& d = outcome.printouts[0];
        EXPECT_EQ(d.place, 0);
        EXPECT_EQ(d.status, status);
        for (const DrawingList& drawn : {windowPrintout(d, {}), printerPrintout(d, {}, 10)}) {
            EXPECT_EQ(drawn.texts.back().text, status);
            for (const DrawnText& t : drawn.texts)
                EXPECT_EQ(t.text.find("place in"), std::string::npos) << t.text;
        }
    }
    EXPECT_EQ(race.session.table.cell(1, column::points(1)), "1"); // the quitter's points are written back
    EXPECT_EQ(race.session.table.cell(2, column::points(1)), "");
}

TEST(Printout, AnIdThatMatchesNoRowComputesAndDrawsNothing) {
    PrintoutRace race;
    race.addCompetitor("12", "H21", "Jan", "1");
    race.addCompetitor("", "H21", "Without ID", "2");

    for (const std::string id : {"99", ""}) {
        const PrintoutOutcome outcome = makePrintouts(race.session, race.request(id));
        EXPECT_TRUE(outcome.printouts.empty()) << id;
    }
    EXPECT_FALSE(fileExists(race.session.race.competitorFilePath()));
}

TEST(Printout, TaskCountsCountTheFilledAnswerSlots) {
    ClassDefinition definition;
    definition.cluster_answers[0] = {"A", "B", "C"};
    definition.cluster_answers[4] = {"A", "", "C", "", "", "", "", "", "", "X"};
    const auto counts = stationTaskCounts(definition);
    EXPECT_EQ(counts[0], 3);
    EXPECT_EQ(counts[1], 0);
    EXPECT_EQ(counts[4], 3);
}
