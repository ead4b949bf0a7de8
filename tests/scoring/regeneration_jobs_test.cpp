#include "scoring/regeneration_jobs.h"

#include <gtest/gtest.h>

using namespace ravik;

namespace {
ResultsControls stageTwoControls() {
    ResultsControls c;
    c.stage = "2";
    c.classNames = {"H21", "D21", "H35"};
    c.stageSelection = {true, false, true};
    c.overallSelection = {false, true, false};
    c.columns = true;
    c.tempoStyle = true;
    c.wrongAnswerPenalty = "45";
    c.overallStages = {true, true, false, false, false};
    c.hold = true;
    c.holdCount = "6";
    return c;
}
} // namespace

TEST(RegenerationJobs, RecordingSetsThePeriodAndTheInfoCaption) {
    RegenerationJobs jobs;
    EXPECT_EQ(jobs.infoCaption(), "Info - 0");
    EXPECT_TRUE(jobs.tickLines().empty());
    ASSERT_TRUE(jobs.record(JobKind::StageResults, stageTwoControls(), "10"));
    ASSERT_TRUE(jobs.record(JobKind::OverallResults, stageTwoControls(), "5"));
    EXPECT_EQ(jobs.count(), 2);
    EXPECT_EQ(jobs.periodMilliseconds(), 5 * 60000);
    EXPECT_EQ(jobs.infoCaption(), "Info - 2");
    EXPECT_EQ(jobs.tickLines(),
              (std::vector<std::string>{"Automatické generování výsledků", "Počet zadaných operací: 2"}));
    jobs.stop();
    EXPECT_EQ(jobs.infoCaption(), "Info - 0");
    EXPECT_TRUE(jobs.infoLines(Language::Czech).empty());
}

TEST(RegenerationJobs, TheFiftyFirstJobIsRefused) {
    RegenerationJobs jobs;
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(jobs.record(JobKind::StageResults, {}, "10"));
    EXPECT_FALSE(jobs.record(JobKind::StageResults, {}, "1"));
    EXPECT_EQ(jobs.count(), 50);
    EXPECT_EQ(jobs.periodMilliseconds(), 10 * 60000);
}

TEST(RegenerationJobs, InfoListsTheSettingsInBothLanguages) {
    RegenerationJobs jobs;
    jobs.record(JobKind::StageResults, stageTwoControls(), "10");
    const std::string rule(50, '-');
    EXPECT_EQ(jobs.infoLines(Language::Czech),
              (std::vector<std::string>{rule, "AUTOMATICKÉ GENEROVÁNÍ VÝSLEDKŮ - NASTAVENÍ", rule, "Etapa:2",
                                        "Vybrané kategorie jedna etapa: H21, H35, ",
                                        "Vybrané kategorie celkove vysledky: D21, ", " - Podrobné výsledky ",
                                        " - TempOstyle, TempOstyle penalizace 45", " + E1 ", " + E2 ",
                                        "refresh=300", "- držet 6 prvních míst", rule}));
    const auto english = jobs.infoLines(Language::English);
    EXPECT_EQ(english.at(1), "AUTOMATIC RESULTS GENERATION - SETTINGS");
    EXPECT_EQ(english.at(3), "Stage:2");
    EXPECT_EQ(english.at(4), "Selected classes for one stage: H21, H35, ");
    EXPECT_EQ(english.at(11), "- keep 6 first places");
}

TEST(RegenerationJobs, InfoNamesTheIofRuleOfAJobThatHasIt) {
    RegenerationJobs jobs;
    ResultsControls controls = stageTwoControls();
    controls.unansweredIsWrong = true;
    jobs.record(JobKind::StageResults, controls, "10");
    EXPECT_EQ(jobs.infoLines(Language::English).at(7), " - Unanswered = wrong (IOF) ");
    EXPECT_EQ(jobs.infoLines(Language::Czech).at(7), " - Nezodpovězená = chybná (IOF) ");
}
