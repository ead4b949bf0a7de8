#include "core/file_io.h"
#include "setup/class_editor.h"
#include "setup_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace ravik {
namespace {

using test::OpenRace;
using test::stageWithClasses;

RaceRecord stageWithEverything(int number, const std::string& className) {
    RaceRecord record = stageWithClasses(number, {className, "Open"});
    for (ClassDefinition& definition : record.classes) {
        definition.control_flags[0] = "A-B";
        definition.control_answer[0] = "A";
        definition.answer_codes[0] = {31, 32, 0, 0, 0, 0, 33};
        definition.cluster_answers[0][0] = "C";
        definition.cluster_penalty = 60;
        definition.time_limit = 120;
        definition.break1_from_code = 201;
        definition.break2_to_code = 204;
    }
    return record;
}

TEST(AddStage, CopiesTheEditorStagesClassesPenaltiesAndLimitsWithoutDatesOrControls) {
    OpenRace race({stageWithEverything(1, "Elite"), stageWithEverything(2, "Junior")});
    race.editor.load();
    race.editor.chooseStage("2");
    int shownCount = 0;
    race.editor.hooks.stageCountChanged = [&](int count) { shownCount = count; };
    race.editor.addStage();

    ASSERT_EQ(stageCount(race.path()), 3);
    const RaceRecord added = race.stage(3);
    EXPECT_EQ(added.race_name, "Spring Cup");
    EXPECT_EQ(added.stage_date, "");
    EXPECT_EQ(added.stage_place, "");
    EXPECT_EQ(added.stage_start, "");
    EXPECT_EQ(added.classes[0].class_name, "Junior");
    EXPECT_EQ(added.classes[1].class_name, "Open");
    for (const ClassDefinition& definition : added.classes) {
        EXPECT_EQ(definition.cluster_penalty, 60);
        EXPECT_EQ(definition.time_limit, 120);
        EXPECT_EQ(definition.control_flags[0], "");
        EXPECT_EQ(definition.control_answer[0], "");
        EXPECT_EQ(definition.answer_codes[0][0], 0);
        EXPECT_EQ(definition.cluster_answers[0][0], "");
        EXPECT_EQ(definition.break1_from_code, 0);
        EXPECT_EQ(definition.break2_to_code, 0);
    }
    EXPECT_EQ(race.stage(2), stageWithEverything(2, "Junior"));
    EXPECT_EQ(race.prompt.shown, (std::vector<std::string>{"Byla přidána jedna etapa."}));
    EXPECT_EQ(race.editor.view.stageItems, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(shownCount, 3);
    EXPECT_EQ(race.editor.view.etapa, "2") << "the editor stays on its stage";
    EXPECT_TRUE(folderExists(race.folder.file("E3")));
}

TEST(AddStage, TakesClassNamesJustSavedInTheEditor) {
    OpenRace race({stageWithClasses(1, {})});
    race.editor.load();
    race.editor.view.classList[0] = "H21";
    race.editor.save();
    race.editor.addStage();
    EXPECT_EQ(race.stage(2).classes[0].class_name, "H21");
}

TEST(AddStage, AddsNothingAndSaysNothingToAFiveStageRace) {
    std::vector<RaceRecord> five;
    for (int n = 1; n <= 5; ++n)
        five.push_back(stageWithClasses(n, {"Elite"}));
    OpenRace race(five);
    race.editor.load();
    const std::string before = test::readFile(race.path());
    race.editor.addStage();
    EXPECT_EQ(test::readFile(race.path()), before);
    EXPECT_TRUE(race.prompt.shown.empty());
    EXPECT_EQ(race.editor.view.stageItems.size(), 5u);
}

TEST(RemoveStage, AlwaysRemovesTheLastStageWhicheverIsShown) {
    OpenRace race({stageWithClasses(1, {"A"}), stageWithClasses(2, {"B"}), stageWithClasses(3, {"C"})});
    ensureFolder(race.folder.file("E3"));
    race.editor.load();
    race.session.race.setCurrentStageText("1");
    race.editor.removeStage();
    ASSERT_EQ(stageCount(race.path()), 2);
    EXPECT_EQ(race.stage(1), stageWithClasses(1, {"A"}));
    EXPECT_EQ(race.stage(2), stageWithClasses(2, {"B"}));
    EXPECT_EQ(race.prompt.shown, (std::vector<std::string>{"Byla odebrána jedna etapa."}));
    EXPECT_EQ(race.editor.view.etapa, "1");
    EXPECT_EQ(race.session.race.currentStageText(), "1");
    EXPECT_EQ(race.editor.view.stageItems, (std::vector<std::string>{"1", "2"}));
    EXPECT_TRUE(folderExists(race.folder.file("E3"))) << "its punch files stay on disk";
}

TEST(RemoveStage, MovesEditorAndMainWindowOffTheRemovedStageSoASaveNeverWritesItBack) {
    OpenRace race({stageWithClasses(1, {"A"}), stageWithClasses(2, {"B"})});
    race.editor.load();
    race.editor.chooseStage("2");
    race.session.race.setCurrentStageText("2");
    race.editor.removeStage();
    EXPECT_EQ(race.editor.view.etapa, "1");
    EXPECT_EQ(race.session.race.currentStageText(), "1");
    race.editor.save();
    EXPECT_EQ(stageCount(race.path()), 1);
    EXPECT_EQ(fileSize(race.path()), 16496);
}

TEST(RemoveStage, KeepsTheOnlyStageAndLeavesNoTemporaryFileBehind) {
    OpenRace race({stageWithClasses(1, {"A"})});
    race.editor.load();
    race.editor.removeStage();
    EXPECT_EQ(stageCount(race.path()), 1);
    EXPECT_TRUE(race.prompt.shown.empty());

    OpenRace two({stageWithClasses(1, {"A"}), stageWithClasses(2, {"B"})});
    two.editor.load();
    two.editor.removeStage();
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(two.folder.path()))
        if (entry.is_regular_file()) files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    // The race's lock file stays beside it.
    EXPECT_EQ(files, (std::vector<std::string>{"Spring.ravik", "Spring.ravik.lock"}));
}

TEST(EditorSave, NeverWritesAStageTheFileNoLongerHas) {
    OpenRace race({stageWithClasses(1, {"A"}), stageWithClasses(2, {"B"})});
    race.editor.load();
    race.editor.chooseStage("2");
    truncateStages(race.path(), 1); // removed behind the editor's back
    EXPECT_EQ(race.editor.save(), SaveOutcome::NothingToSave);
    EXPECT_EQ(stageCount(race.path()), 1);
}

} // namespace
} // namespace ravik
