#include "core/cp1250.h"
#include "core/file_io.h"
#include "setup/class_editor.h"
#include "setup_fixture.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {

using test::OpenRace;
using test::stageWithClasses;

constexpr const char* kBadCodeLine = "V datech Kontrol byly chyby (písmena, kde se očekávaly číslice).";

RaceRecord stageWithControls() {
    RaceRecord record = stageWithClasses(1, {"Elite", "Junior"});
    ClassDefinition& elite = record.classes[0];
    elite.control_flags[0] = "A-C";
    elite.control_answer[0] = "B";
    elite.answer_codes[0] = {31, 32, 33, 0, 0, 0, 34};
    elite.control_flags[24] = "A";
    elite.control_answer[24] = "Z";
    elite.answer_codes[24] = {60, 0, 0, 0, 0, 0, 61};
    elite.cluster_answers[1][0] = "A";
    elite.cluster_answers[1][9] = "X";
    elite.cluster_penalty = 30;
    elite.time_limit = 90;
    elite.break1_from_code = 201;
    elite.break1_to_code = 202;
    return record;
}

TEST(ClassEditorLoad, ShowsTheFirstClassOfStageOneAndMakesNoStageFolder) {
    OpenRace race({stageWithControls(), stageWithClasses(2, {"Open"})});
    RaceRecord shownInMainWindow;
    race.editor.hooks.stageShown = [&](const RaceRecord& stage) { shownInMainWindow = stage; };
    int stageCount = 0;
    race.editor.hooks.stageCountChanged = [&](int count) { stageCount = count; };

    ASSERT_TRUE(race.editor.load());
    const ClassEditorView& view = race.editor.view;
    EXPECT_EQ(view.etapa, "1");
    EXPECT_EQ(race.session.race.currentStageText(), "1");
    EXPECT_EQ(view.stageItems, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(stageCount, 2);
    EXPECT_EQ(shownInMainWindow.stage_place, "Brno");
    EXPECT_EQ(view.raceName, "Spring Cup");
    EXPECT_EQ(view.kategorie, "Elite");
    EXPECT_EQ(race.editor.currentSlot, 0);
    EXPECT_EQ(view.copyItems, (std::vector<std::string>{"Junior", "", "", "", "", "", "", ""}));
    EXPECT_EQ(view.controls[0], (ControlRow{"K 1", "A-C", "B", "31", "32", "33", "", "", "", "34"}));
    EXPECT_EQ(view.controls[24][controlColumn::kFirstCode], "60");
    EXPECT_EQ(view.clusters[1][1], "A");
    EXPECT_EQ(view.clusters[1][10], "X");
    EXPECT_EQ(view.penalty, "30");
    EXPECT_EQ(view.limit, "90");
    EXPECT_EQ(view.break1From, "201");
    EXPECT_EQ(view.break2From, "");
    // A missing stage folder may be an unmounted share: showing the editor makes none.
    EXPECT_FALSE(folderExists(race.folder.file("E1")));
    EXPECT_FALSE(folderExists(race.folder.file("E2")));
}

TEST(ClassEditorLoad, DoesNothingWithoutARaceFile) {
    OpenRace race({});
    std::remove(race.path().c_str());
    EXPECT_FALSE(race.editor.load());
    EXPECT_EQ(race.editor.view.etapa, "");
    EXPECT_EQ(race.editor.save(), SaveOutcome::NothingToSave);
    EXPECT_FALSE(fileExists(race.path()));
}

TEST(ClassEditorLoad, PutsAnEditorStageThatTheRaceLacksBackOnStageOne) {
    OpenRace race({stageWithClasses(1, {"Elite"})});
    race.editor.view.etapa = "4";
    ASSERT_TRUE(race.editor.load());
    EXPECT_EQ(race.editor.view.etapa, "1");
    EXPECT_EQ(race.editor.view.kategorie, "Elite");
}

TEST(ClassEditorSave, WritesTheViewIntoTheCurrentSlotAndEveryClassName) {
    OpenRace race({stageWithControls(), stageWithClasses(2, {"Other"})});
    race.editor.load();
    ClassEditorView& view = race.editor.view;
    view.raceName = std::string(120, 'R');
    view.stageDate = "2026-05-11xx";
    view.classList[4] = utf8ToCp1250("Senioři nad 50 let a víc");
    view.controls[1] = {"K 2", "A-B", "A", "40", "41", "", "", "", "", "42"};
    view.clusters[0][1] = "BC";
    view.limit = "";
    view.penalty = "";
    view.break2To = "7";
    std::string raceNameShown;
    race.editor.hooks.raceNameShown = [&](const std::string& name) { raceNameShown = name; };

    ASSERT_EQ(race.editor.save(), SaveOutcome::Saved);
    const RaceRecord saved = race.stage(1);
    EXPECT_EQ(saved.race_name, std::string(100, 'R'));
    EXPECT_EQ(raceNameShown, std::string(100, 'R'));
    EXPECT_EQ(saved.stage_date, "2026-05-11");
    EXPECT_EQ(saved.classes[4].class_name, utf8ToCp1250("Senioři nad 50 let a"));
    EXPECT_EQ(saved.classes[0].control_flags[1], "A-B");
    EXPECT_EQ(saved.classes[0].answer_codes[1], (std::array<std::int32_t, 7>{40, 41, 0, 0, 0, 0, 42}));
    EXPECT_EQ(saved.classes[0].cluster_answers[0][0], "B");
    EXPECT_EQ(saved.classes[0].time_limit, 0);
    EXPECT_EQ(saved.classes[0].break2_to_code, 7);
    EXPECT_EQ(view.limit, "0");
    EXPECT_EQ(view.penalty, "0");
    EXPECT_EQ(saved.classes[1], stageWithControls().classes[1]) << "other slots keep their definitions";
    EXPECT_EQ(race.stage(2), stageWithClasses(2, {"Other"})) << "other stages keep their class lists";
}

TEST(ClassEditorSave, StoresTheLeadingDigitsOfABadCodeCellAndLogsOnceForEachSuchCell) {
    OpenRace race({stageWithControls()});
    race.editor.load();
    race.editor.view.controls[0][controlColumn::kFirstCode] = "3x";
    race.editor.view.controls[0][controlColumn::kFirstCode + 1] = "x";
    race.editor.view.controls[30][controlColumn::kFirstCode + 6] = "12.5";
    ASSERT_EQ(race.editor.save(), SaveOutcome::Saved);
    const ClassDefinition saved = race.stage(1).classes[0];
    EXPECT_EQ(saved.answer_codes[0][0], 3);
    EXPECT_EQ(saved.answer_codes[0][1], 0);
    EXPECT_EQ(saved.answer_codes[30][6], 12);
    EXPECT_EQ(race.session.log.lines(), (std::vector<std::string>{kBadCodeLine, kBadCodeLine, kBadCodeLine}));
}

TEST(ClassEditorSave, StopsBeforeWritingWhenANumberEditHoldsNoNumber) {
    OpenRace race({stageWithControls()});
    race.editor.load();
    const std::string before = test::readFile(race.path());
    race.editor.view.classList[1] = "Renamed";
    race.editor.view.limit = "9O";
    EXPECT_EQ(race.editor.save(), SaveOutcome::Refused);
    EXPECT_EQ(test::readFile(race.path()), before);
    EXPECT_EQ(race.prompt.shown,
              (std::vector<std::string>{"V poli \"Limit\" není platné číslo. Nic nebylo uloženo."}));

    race.editor.view.limit = "90";
    race.editor.view.break1From = "99999999999";
    EXPECT_EQ(race.editor.save(), SaveOutcome::Refused);
    EXPECT_EQ(test::readFile(race.path()), before);
}

TEST(ClassEditorSelectClass, SavesAndMovesToTheChosenClass) {
    OpenRace race({stageWithControls()});
    race.editor.load();
    race.editor.view.controls[2][controlColumn::kFlags] = "A-B";
    race.editor.selectClass(1);
    EXPECT_EQ(race.stage(1).classes[0].control_flags[2], "A-B") << "the class left is saved first";
    EXPECT_EQ(race.editor.view.kategorie, "Junior");
    EXPECT_EQ(race.editor.currentSlot, 1);
    EXPECT_EQ(race.editor.view.controls[0][controlColumn::kFlags], "");
    EXPECT_EQ(race.editor.view.copyItems.front(), "Elite");
}

TEST(ClassEditorSelectClass, AnEmptyRowSavesButKeepsTheCurrentClass) {
    OpenRace race({stageWithControls()});
    race.editor.load();
    race.editor.view.classList[5] = "";
    race.editor.view.controls[3][controlColumn::kAnswer] = "C";
    race.editor.selectClass(5);
    EXPECT_EQ(race.stage(1).classes[0].control_answer[3], "C");
    EXPECT_EQ(race.editor.view.kategorie, "Elite");
    EXPECT_EQ(race.editor.currentSlot, 0);
}

TEST(ClassEditorSelectClass, ANewNameInRowFiveIsStoredInSlotSixOfTheEditorStageOnly) {
    OpenRace race({stageWithControls(), stageWithClasses(2, {"Open"})});
    race.editor.load();
    race.editor.view.classList[5] = "Para";
    race.editor.save(); // leaving the list
    EXPECT_EQ(race.stage(1).classes[5].class_name, "Para");
    EXPECT_EQ(race.stage(2).classes[5].class_name, "");
}

TEST(ClassEditorActivateFirstClass, NamesTheFirstClassWhenNoneIsChosen) {
    OpenRace race({stageWithClasses(1, {})});
    race.editor.load();
    EXPECT_EQ(race.editor.view.kategorie, "");

    race.editor.activateFirstClass();
    EXPECT_EQ(race.prompt.shown, (std::vector<std::string>{"Není definovaná žádná kategorie."}));

    race.editor.view.classList[0] = "H21";
    race.session.language = Language::English;
    race.editor.activateFirstClass();
    EXPECT_EQ(race.editor.view.kategorie, "H21");
    EXPECT_EQ(race.editor.currentSlot, 0);
    EXPECT_EQ(race.session.log.lastLine(), "Class H21 has been activated.");
    EXPECT_EQ(race.stage(1).classes[0].class_name, "H21");

    race.editor.view.controls[0][controlColumn::kFlags] = "A";
    race.editor.save();
    race.editor.load();
    EXPECT_EQ(race.editor.view.controls[0][controlColumn::kFlags], "A") << "the controls belong to H21";

    race.session.language = Language::Czech;
    race.editor.view.kategorie.clear();
    race.editor.activateFirstClass();
    EXPECT_EQ(race.session.log.lastLine(), "Byla aktivována kategorie H21");
}

TEST(ClassEditorCopyClass, CopiesEverythingButTheNameForThisStageOnly) {
    RaceRecord first = stageWithControls();
    RaceRecord second = stageWithClasses(2, {"Elite", "Junior"});
    OpenRace race({first, second});
    race.editor.load();
    race.editor.selectClass(1);
    race.editor.view.controls[5][controlColumn::kFlags] = "A-F"; // not saved: the copy replaces it
    race.editor.view.copyText = "Elite";
    race.editor.copyClass();

    ClassDefinition expected = first.classes[0];
    expected.class_name = "Junior";
    EXPECT_EQ(race.stage(1).classes[1], expected);
    EXPECT_EQ(race.stage(1).classes[0], first.classes[0]);
    EXPECT_EQ(race.stage(2), second);
    EXPECT_EQ(race.session.log.lastLine(), "Kategorie Elite zkopirovana do Junior");
    EXPECT_EQ(race.editor.view.copyText, "");
    EXPECT_EQ(race.editor.view.controls[0],
              (ControlRow{"K 1", "A-C", "B", "31", "32", "33", "", "", "", "34"}));
    EXPECT_EQ(race.editor.view.controls[5][controlColumn::kFlags], "");
}

TEST(ClassEditorCopyClass, AnEmptyCopyBoxChangesNothing) {
    OpenRace race({stageWithControls()});
    race.editor.load();
    const std::string before = test::readFile(race.path());
    race.editor.view.copyText = "";
    race.editor.copyClass();
    EXPECT_EQ(test::readFile(race.path()), before);
    EXPECT_TRUE(race.session.log.lines().empty());
}

TEST(ClassEditorTakeOver, CopiesAControlOfTheMainClassIntoTheClickedRow) {
    OpenRace race({stageWithControls()});
    race.editor.load();
    race.editor.selectClass(1);
    race.prompt.inputs = {std::string("25")};
    race.editor.takeOverControl(22);
    ASSERT_EQ(race.prompt.inputCalls.size(), 1u);
    EXPECT_EQ(race.prompt.inputCalls[0].title, "Doplň SI (K23) podle kontrol hlavní kategorie");
    EXPECT_EQ(race.prompt.inputCalls[0].prompt, "Zadej kontrolu:");
    EXPECT_EQ(race.prompt.inputCalls[0].defaultAnswer, "");
    EXPECT_EQ(race.editor.view.controls[22], (ControlRow{"K 23", "A", "Z", "60", "", "", "", "", "", "61"}));
    EXPECT_EQ(race.stage(1).classes[1].control_flags[22], "") << "only the grid changes";

    race.session.language = Language::English;
    race.prompt.inputs = {std::string("41"), std::string("x"), std::nullopt};
    race.editor.takeOverControl(0);
    race.editor.takeOverControl(0);
    race.editor.takeOverControl(0);
    EXPECT_EQ(race.prompt.inputCalls[1].title, "Add SI (C1) according the main class controls");
    EXPECT_EQ(race.prompt.inputCalls[1].prompt, "Enter control number:");
    EXPECT_EQ(race.editor.view.controls[0], (ControlRow{"K 1", "", "", "", "", "", "", "", "", ""}));
}

TEST(ClassEditorNumbers, NumbersFromTheFirstCodeEditOr31) {
    OpenRace race({stageWithControls()});
    race.editor.load();
    race.editor.view.firstCode = "";
    race.editor.numberStations();
    EXPECT_EQ(race.editor.view.controls[0][controlColumn::kFirstCode], "31");
    race.editor.view.firstCode = "100";
    race.editor.numberStations();
    EXPECT_EQ(race.editor.view.controls[0][controlColumn::kFirstCode], "100");
    race.editor.view.firstCode = "1e5";
    race.editor.numberStations();
    EXPECT_EQ(race.editor.view.controls[0][controlColumn::kFirstCode], "100");
    EXPECT_EQ(race.prompt.shown.size(), 1u);
}

} // namespace
} // namespace ravik
