// A result run never zeroes what it cannot see, never stops on one bad file, and
// writes only names and rows that cannot be forged by the data.
#include "core/competitor_file.h"
#include "core/cp1250.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/platform/files.h"
#include "scoring/result_page.h"
#include "scoring/results_run.h"
#include "scoring_race.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ravik::test {
namespace {

namespace fs = std::filesystem;

ResultsRunOptions runOf(const std::vector<std::string>& classes) {
    ResultsRunOptions run;
    run.scoring.selectedClasses = classes;
    run.page.raceName = "Spring Cup";
    run.page.generated = "10:00:00, 01.05.2026";
    return run;
}

void addRunner(ScoringRace& race, const std::string& id, const std::string& className,
               const std::string& name) {
    race.addCompetitor(id, className, name);
    race.writePunches(id, {startPunch("10:00:00"), controlPunch(answerCode(1, 'A'), "10:01:00"),
                           controlPunch(answerCode(2, 'B'), "10:02:00"), finishPunch("10:03:00")});
}

TEST(StageRunSafety, AMissingStageFolderStopsTheRunBeforeAnythingChanges) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB");
    addRunner(race, "1", "A", "Runner");
    race.setCell(1, column::points(1), "2");
    race.session.saveCompetitors();
    const std::string saved = readFile(race.session.race.competitorFilePath());
    fs::rename(race.stageFolder(), race.folder.file("E1.away")); // an unmounted share, say
    race.setCell(1, column::points(1), "");

    try {
        race.saveRecord();
        runResults(race.session, runOf({"A"}));
        ADD_FAILURE() << "scored a stage without its folder";
    } catch (const IoError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The stage folder " + race.stageFolder() +
                      " does not exist. No results were computed, nothing was changed.");
    }
    EXPECT_FALSE(fs::exists(race.stageFolder()));
    EXPECT_EQ(readFile(race.session.race.competitorFilePath()), saved);
    EXPECT_EQ(race.session.table.cell(1, column::points(1)), "");
}

TEST(StageRunSafety, AnOversizedPunchFileIsSkippedByNameAndTheOthersAreScored) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB");
    addRunner(race, "1", "A", "Damaged");
    addRunner(race, "2", "A", "Sound");
    writeFile(race.stageFolder() + "1.si", std::string(16 * 1024 * 1024 + 1, 'x'));

    race.saveRecord();
    const ResultsRunOutcome outcome = runResults(race.session, runOf({"A"}));
    const std::string message = "Skipped the file " + race.stageFolder() + "1.si: larger than 16 MB";
    EXPECT_EQ(outcome.skippedFiles, std::vector<std::string>{message});
    const auto& log = race.session.log.lines();
    EXPECT_NE(std::find(log.begin(), log.end(), message), log.end());
    EXPECT_EQ(race.session.table.cell(2, column::points(1)), "2");
    EXPECT_EQ(race.session.table.cell(1, column::points(1)), "0");
    EXPECT_TRUE(fileExists(outcome.pagePath));
}

TEST(StageRunSafety, APunchAtATimeOutsideADayIsLeftOutAndTheRunSaysSo) {
    ScoringRace race;
    race.record.classes[0] = makeClass("A", "AB", 60);
    race.record.classes[0].break1_from_code = 201;
    race.record.classes[0].break1_to_code = 202;
    race.addCompetitor("1", "A", "Garbled");
    race.writePunches("1", {startPunch("10:00:00"), controlPunch(201, "999999999:00:00"),
                            controlPunch(202, "10:05:00"), controlPunch(answerCode(1, 'A'), "10:10:00"),
                            finishPunch("10:40:00")});
    race.saveRecord();
    const ResultsRunOutcome outcome = runResults(race.session, runOf({"A"}));
    EXPECT_EQ(outcome.skippedFiles,
              std::vector<std::string>{"Left out a line of the file " + race.stageFolder() +
                                       "1.si: the time 999999999:00:00 is no time of day"});
    // The break has no start, so it is no break: 40 minutes on the course, one point, no over-time.
    EXPECT_EQ(race.session.table.cell(1, column::points(1)), "1");
    EXPECT_EQ(race.session.table.cell(1, column::penalty(1)), "0");
}

TEST(StageRunSafety, NamesCannotForgeOrisRowsOrMarkupInPageNamesAndLongClassListsStillGetAPage) {
    ScoringRace race;
    race.record.classes[0] = makeClass("<svg onload=x>", "AB");
    addRunner(race, "1", "<svg onload=x>", "Evil\r\nA;1.;Forged;X;99");
    ResultsRunOptions run = runOf({"<svg onload=x>"});
    run.page.oris = true;
    race.saveRecord();
    const ResultsRunOutcome outcome = runResults(race.session, run);
    EXPECT_EQ(outcome.pagePath, race.stageFolder() + "results_E1_class__svg onload=x_.htm");
    EXPECT_EQ(readFile(race.stageFolder() + "results_E1_class__svg onload=x_.csv"),
              "<svg onload=x>;1.;Evil  A 1. Forged X 99;REG1;2" + utf8ToCp1250(" bodů / ") + "0s;\r\n");

    // Nine classes of twenty Czech letters: far over the file system's 255 bytes in UTF-8.
    ScoringRace czech;
    std::vector<std::string> classes, others;
    for (int slot = 0; slot < kClassSlots; ++slot) {
        classes.push_back(utf8ToCp1250("Žďárský okruh čtvrtý").substr(0, 19) + std::to_string(slot));
        czech.record.classes[slot] = makeClass(classes.back(), "AB");
        addRunner(czech, std::to_string(slot + 1), classes.back(), "Runner");
    }
    others = classes;
    others.pop_back();
    czech.saveRecord();
    const std::string path = runResults(czech.session, runOf(classes)).pagePath;
    const std::string name = platform::utf8Of(platform::pathOf(path).filename());
    EXPECT_TRUE(fileExists(path));
    EXPECT_LE(name.size(), 234u);
    EXPECT_EQ(name.rfind("results_E1_class_" + cp1250ToUtf8(classes[0]), 0), 0u);
    EXPECT_EQ(name.substr(name.size() - 13, 1), "~");
    EXPECT_NE(runResults(czech.session, runOf(others)).pagePath, path);
    EXPECT_EQ(readCompetitorRecords(czech.session.race.competitorFilePath()).at(0).stage_points[0], 2);
}

} // namespace
} // namespace ravik::test
