#include "core/competitor_file.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "setup/race_opening.h"
#include "setup/stage_display.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {

using test::TempFolder;

TEST(RacePath, OpenAppendsTheExtensionUnlessTheNameEndsExactlyInRavik) {
    EXPECT_EQ(racePathFor("/r/Race", RaceNaming::Open), "/r/Race.ravik");
    EXPECT_EQ(racePathFor("/r/Race.ravik", RaceNaming::Open), "/r/Race.ravik");
    EXPECT_EQ(racePathFor("/r/Race.RAVIK", RaceNaming::Open), "/r/Race.RAVIK.ravik");
    EXPECT_EQ(racePathFor("/r/Race.Ravik", RaceNaming::Open), "/r/Race.Ravik.ravik");
    EXPECT_EQ(racePathFor("/r/Race.ravik", RaceNaming::New), "/r/Race.ravik.ravik");
    EXPECT_EQ(racePathFor("/r/Race", RaceNaming::New), "/r/Race.ravik");
}

TEST(OpenRace, CreatesAMissingRaceWithOneEmptyStageAndLoadsNoCompetitors) {
    TempFolder folder;
    Session session;
    session.table.appendRow({"7", "", "H21"});
    bool editorReloadedBeforeCreation = false;
    const OpenedRace opened = openRace(session, folder.file("Race"), RaceNaming::Open, [&] {
        editorReloadedBeforeCreation = !fileExists(folder.file("Race.ravik"));
    });
    EXPECT_TRUE(opened.created);
    EXPECT_EQ(opened.stageCount, 1);
    EXPECT_TRUE(editorReloadedBeforeCreation);
    EXPECT_EQ(session.race.racePath(), folder.file("Race.ravik"));
    EXPECT_EQ(fileSize(folder.file("Race.ravik")), 16496);
    EXPECT_EQ(readStage(folder.file("Race.ravik"), 1), newRaceFirstStage());
    EXPECT_EQ(session.race.currentStageText(), "1");
    EXPECT_EQ(session.table.cell(1, 0), "") << "the table was cleared";
    EXPECT_TRUE(folderExists(folder.file("E1"))) << "a new race has its first stage folder";
}

TEST(OpenRace, KeepsTheCurrentStageWhenTheRaceHasItAndTakesOverTheCompetitors) {
    TempFolder folder;
    RaceRecord stage;
    std::string bytes;
    for (int n = 1; n <= 3; ++n) {
        stage.stage_number = n;
        bytes += encodeRaceRecord(stage);
    }
    test::writeFile(folder.file("Cup.ravik"), bytes);
    CompetitorTable table;
    table.appendRow({"1", "ABC0001", "H21", "12345", "Novák Jan"});
    LogLines log;
    saveCompetitorTable(folder.file("Cup.zavodnici"), table, log);

    Session session;
    session.race.setCurrentStageText("3");
    const OpenedRace opened = openRace(session, folder.file("Cup.ravik"), RaceNaming::Open);
    EXPECT_FALSE(opened.created);
    EXPECT_EQ(opened.stageCount, 3);
    EXPECT_EQ(session.race.currentStageText(), "3");
    EXPECT_EQ(session.table.cell(1, 4), "Novák Jan");
    EXPECT_EQ(fileSize(folder.file("Cup.ravik")), 3 * 16496);

    session.race.setCurrentStageText("3");
    openRace(session, folder.file("Other"), RaceNaming::New);
    EXPECT_EQ(session.race.currentStageText(), "1") << "the new race has no stage 3";
    EXPECT_EQ(session.race.currentStageFolder(), folder.file("E1/"));
}

TEST(OpenRace, RefusesARaceFileWithoutAWholeStage) {
    TempFolder folder;
    test::writeFile(folder.file("Short.ravik"), std::string(100, 'x'));
    Session session;
    EXPECT_THROW(openRace(session, folder.file("Short.ravik"), RaceNaming::Open), IoError);
    EXPECT_EQ(fileSize(folder.file("Short.ravik")), 100);
}

TEST(StageDisplay, ShowsDateAndPlaceCutTo111CharactersAndNeverReadsPastTheEnd) {
    RaceRecord record;
    record.stage_date = "2026-05-11";
    record.stage_place = "Brno";
    EXPECT_EQ(stageLine(record), "2026-05-11 Brno");
    record.stage_place = std::string(100, 'p');
    EXPECT_EQ(stageLine(record).size(), 111u);

    TempFolder folder;
    RaceContext race;
    race.setRacePath(folder.file("R.ravik"));
    createRaceFile(race.racePath(), record);
    race.setCurrentStageText("1");
    ASSERT_TRUE(readCurrentStage(race).has_value());
    race.setCurrentStageText("2");
    EXPECT_FALSE(readCurrentStage(race).has_value());
    race.setCurrentStageText("");
    EXPECT_FALSE(readCurrentStage(race).has_value());
}

} // namespace
} // namespace ravik
