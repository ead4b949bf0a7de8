// Automatic regeneration in the results window: jobs recorded from "Výsledky"
// while CheckBox16 is checked, replayed by the timer's tick (fired directly),
// "Zastavit", "Info" and the minutes edit.
#include "modal_dialogs.h"
#include "app/results_window.h"
#include "app_fixture.h"
#include "core/competitor_table.h"
#include "core/file_io.h"
#include "core/race_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace ravik::test {
namespace {

class RegenerationTest : public AppTest {
protected:
    RegenerationTest() {
        const std::string race = folder.file("cup.ravik");
        for (int stage = 1; stage <= 2; ++stage) {
            RaceRecord record;
            record.stage_number = stage;
            record.race_name = "Spring Cup";
            record.stage_date = "2026-05-0" + std::to_string(stage);
            record.stage_place = "Brno";
            record.stage_start = "10:00";
            record.classes[0].class_name = "H21";
            record.classes[1].class_name = "D21";
            record.classes[0].control_flags[0] = "A-C";
            record.classes[0].control_answer[0] = "B";
            record.classes[0].answer_codes[0] = {31, 32, 33, 0, 0, 0, 34};
            if (stage == 1)
                createRaceFile(race, record);
            else
                appendStage(race, record);
            ensureFolder(folder.file("E" + std::to_string(stage)));
        }
        Session& session = app.session();
        session.race.setRacePath(race);
        session.race.setCurrentStageText("1");
        session.loadCompetitors();
        session.table.setRowCount(1);
        TableRow ann;
        ann[column::kId] = "1";
        ann[column::kClass] = "H21";
        ann[column::kName] = "Ann";
        ann[column::start(1)] = "0";
        ann[column::start(2)] = "0";
        session.table.appendRow(ann);
        writeFile(folder.file("E1/1.si"), "1;100;32; CN;1;6;2026-05-01;10:05:00;1;2;\r\n");
        window_ = &app.resultsWindow();
        window_->show();
    }
    ~RegenerationTest() override { window_->hide(); }

    // Chooses the stage and H21, then presses "Výsledky" with CheckBox16 checked.
    void recordStageJob(int stage) {
        window_->ComboBox1->setCurrentText(QString::number(stage));
        window_->ListBox1->clearSelection();
        window_->ListBox1->item(0)->setSelected(true);
        window_->CheckBox16->setChecked(true);
        window_->Button2->click();
    }
    std::string page(int stage) const {
        return folder.file("E" + std::to_string(stage) + "/vysledky_E" + std::to_string(stage) +
                           "_kategorie_H21.htm");
    }
    void removePages() {
        for (int stage = 1; stage <= 2; ++stage)
            std::remove(page(stage).c_str());
    }
    void tick() { window_->onRegenerationTick(); }

    TempFolder folder;
    ResultsWindow* window_ = nullptr;
};

TEST_F(RegenerationTest, TwoJobsForTwoStagesWriteBothPagesOnEveryTick) {
    window_->Edit3->setText("5");
    recordStageJob(1);
    EXPECT_FALSE(window_->CheckBox16->isChecked());
    EXPECT_EQ(str(window_->Button5->text()), "Info - 1");
    recordStageJob(2);
    EXPECT_EQ(str(window_->Button5->text()), "Info - 2");
    EXPECT_TRUE(window_->Timer1->isActive());
    EXPECT_EQ(window_->Timer1->interval(), 5 * 60000);

    for (int round = 0; round < 2; ++round) {
        removePages();
        window_->ComboBox1->setCurrentText("2");
        window_->ListBox1->clearSelection();
        const std::size_t before = app.session().log.lines().size();
        tick();
        ASSERT_TRUE(fileExists(page(1))) << round;
        ASSERT_TRUE(fileExists(page(2))) << round;
        EXPECT_NE(readFile(page(1)).find("<h3>2026-05-01,Brno</h3>"), std::string::npos);
        EXPECT_NE(readFile(page(2)).find("<h3>2026-05-02,Brno</h3>"), std::string::npos);
        EXPECT_NE(readFile(page(1)).find("Ann"), std::string::npos);
        const auto& lines = app.session().log.lines();
        ASSERT_GT(lines.size(), before + 1);
        EXPECT_EQ(lines[before], "Automatické generování výsledků");
        EXPECT_EQ(lines[before + 1], "Počet zadaných operací: 2");
    }
    // Replaying records nothing more.
    EXPECT_EQ(window_->regenerationJobs().count(), 2);
    EXPECT_EQ(str(window_->ComboBox1->currentText()), "2");
}

TEST_F(RegenerationTest, AnErrorEndsTheTickAndTheTimerKeepsRunning) {
    recordStageJob(1);
    recordStageJob(2);
    app.session().table.setCell(1, column::kId, "x1"); // every run stops on it
    removePages();
    // Error boxes are closed as they come by the test program; count them.
    const std::size_t before = test::closedModalDialogs().size();
    tick();
    const auto errorBoxes = test::closedModalDialogs().size() - before;
    EXPECT_EQ(errorBoxes, 1u);
    EXPECT_FALSE(fileExists(page(1)));
    EXPECT_FALSE(fileExists(page(2)));
    EXPECT_NE(str(window_->ComboBox1->currentText()), "2"); // the second job never started
    EXPECT_TRUE(window_->Timer1->isActive());
    EXPECT_EQ(window_->regenerationJobs().count(), 2);
}

TEST_F(RegenerationTest, AJobForAStageTheRaceNoLongerHasIsSkipped) {
    recordStageJob(2);
    recordStageJob(1);
    truncateStages(folder.file("cup.ravik"), 1);
    window_->prepare(); // the stage box now lists stage 1 only
    removePages();
    tick();
    EXPECT_TRUE(fileExists(page(1)));
    EXPECT_FALSE(fileExists(page(2)));
}

TEST_F(RegenerationTest, AJobWithTheLeadersBlockKeepsItOnEveryTick) {
    window_->CheckBox8->setChecked(true); // only the regeneration can set it
    window_->Edit4->setText("6");
    recordStageJob(1);
    window_->CheckBox8->setChecked(false);
    window_->Edit4->setText("3");
    for (int round = 0; round < 2; ++round) {
        removePages();
        tick();
        ASSERT_TRUE(fileExists(page(1)));
        EXPECT_NE(readFile(page(1)).find("<td height=184>&nbsp;<tr>"), std::string::npos) << round;
        EXPECT_TRUE(window_->CheckBox8->isChecked());
        EXPECT_EQ(str(window_->Edit4->text()), "6");
    }
}

TEST_F(RegenerationTest, ZastavitForgetsTheJobsAndStopsTheTimer) {
    recordStageJob(1);
    window_->Button3->click();
    EXPECT_EQ(str(window_->Button5->text()), "Info - 0");
    EXPECT_FALSE(window_->Timer1->isActive());
    EXPECT_EQ(app.session().log.lastLine(), "Opakování zastaveno!");
    const std::size_t before = app.session().log.lines().size();
    window_->Button5->click();
    removePages();
    tick();
    EXPECT_EQ(app.session().log.lines().size(), before);
    EXPECT_FALSE(fileExists(page(1)));

    app.session().language = Language::English;
    window_->Button3->click();
    EXPECT_EQ(app.session().log.lastLine(), "Process stopped!");
}

TEST_F(RegenerationTest, InfoListsTheJobsAndSelectsTheirClasses) {
    window_->CheckBox2->setChecked(true);
    window_->ListBox2->item(1)->setSelected(true);
    recordStageJob(1);
    window_->ListBox1->clearSelection();
    window_->ListBox2->clearSelection();
    const std::size_t before = app.session().log.lines().size();
    window_->Button5->click();
    const std::string rule(50, '-');
    const std::vector<std::string> info(app.session().log.lines().begin() + before,
                                        app.session().log.lines().end());
    EXPECT_EQ(info, (std::vector<std::string>{rule, "AUTOMATICKÉ GENEROVÁNÍ VÝSLEDKŮ - NASTAVENÍ", rule,
                                              "Etapa:1", "Vybrané kategorie jedna etapa: H21, ",
                                              "Vybrané kategorie celkove vysledky: D21, ",
                                              " - Podrobné výsledky ", "refresh=300", rule}));
    EXPECT_TRUE(window_->ListBox1->item(0)->isSelected());
    EXPECT_FALSE(window_->ListBox1->item(1)->isSelected());
    EXPECT_TRUE(window_->ListBox2->item(1)->isSelected());
}

TEST_F(RegenerationTest, TheMinutesEditKeepsOnlyDigits) {
    window_->Edit3->setText("5ab");
    emit window_->Edit3->textEdited(window_->Edit3->text());
    EXPECT_EQ(str(window_->Edit3->text()), "5");
}

TEST_F(RegenerationTest, AFiftyFirstJobIsRefusedWithAMessage) {
    for (int job = 0; job < 50; ++job)
        recordStageJob(1);
    EXPECT_EQ(str(window_->Button5->text()), "Info - 50");
    recordStageJob(1);
    EXPECT_EQ(window_->regenerationJobs().count(), 50);
    EXPECT_FALSE(window_->CheckBox16->isChecked());
    EXPECT_EQ(str(window_->Button5->text()), "Info - 50");
    ASSERT_EQ(prompt->shown.size(), 1u);
    EXPECT_EQ(prompt->shown[0], "Automatické generování výsledků už má 50 operací, další nelze přidat. "
                                "Nejprve stiskni Zastavit.");
}

} // namespace
} // namespace ravik::test
