// The results window: a small race, a class selected, "Výsledky" pressed; the
// page is written and handed to the browser window; the relay box rule.
#include "app/browser_window.h"
#include "app/main_window.h"
#include "app/results_window.h"
#include "app_fixture.h"
#include "core/competitor_table.h"
#include "core/file_io.h"
#include "core/race_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace ravik::test {
namespace {

class ResultsWindowTest : public AppTest {
protected:
    ResultsWindowTest() {
        RaceRecord stage;
        stage.race_name = "Spring Cup";
        stage.stage_start = "10:00";
        for (int slot = 0; slot < 2; ++slot) {
            ClassDefinition& definition = stage.classes[slot];
            definition.class_name = slot == 0 ? "H21" : "D21";
            definition.control_flags[0] = "A-C";
            definition.control_answer[0] = "B";
            definition.answer_codes[0] = {31, 32, 33, 0, 0, 0, 34};
        }
        openRace(folder, stage);
        appendStage(folder.file("cup.ravik"), stage);
        addCompetitor("1", "H21", "Ann");
        addCompetitor("2", "H21", "Bob");
        writeFile(folder.file("E1/1.si"), "1;100;32; CN;1;6;2026-05-01;10:05:00;1;2;\r\n");
        window_ = &app.resultsWindow();
    }

    void addCompetitor(const std::string& id, const std::string& className, const std::string& name) {
        app.session().table.appendRow(competitorRow(id, className, name));
    }

    TempFolder folder;
    ResultsWindow* window_ = nullptr;
};

TEST_F(ResultsWindowTest, ShowingFillsTheStageBoxAndTheClassListsFromTheRaceAndTheStageBoxItsClasses) {
    window_->show();
    EXPECT_EQ(window_->ComboBox1->count(), 2);
    EXPECT_EQ(str(window_->ComboBox1->currentText()), "1");
    ASSERT_EQ(window_->ListBox1->count(), 2);
    EXPECT_EQ(str(window_->ListBox1->item(0)->text()), "H21");
    EXPECT_EQ(str(window_->ListBox1->item(1)->text()), "D21");
    EXPECT_EQ(window_->ListBox2->count(), 2);
    EXPECT_TRUE(window_->ee2->isEnabled());
    EXPECT_FALSE(window_->ee3->isEnabled());
    // Stage 2 has a class of its own: the list follows the stage, and H21 stays chosen.
    RaceRecord second = readStage(folder.file("cup.ravik"), 2);
    second.classes[1].class_name = "Open";
    writeStage(folder.file("cup.ravik"), 2, second);
    window_->ListBox1->item(0)->setSelected(true);
    window_->ComboBox1->setCurrentIndex(1);
    EXPECT_EQ(app.session().log.lastLine(), folder.file("E2/"));
    ASSERT_EQ(window_->ListBox1->count(), 2);
    EXPECT_EQ(str(window_->ListBox1->item(1)->text()), "Open");
    EXPECT_TRUE(window_->ListBox1->item(0)->isSelected());
    EXPECT_EQ(str(window_->ListBox2->item(1)->text()), "D21"); // the overall's list is the shown race's
    window_->hide();
}

TEST_F(ResultsWindowTest, ResultsWritesThePageOfTheSelectedClassAndGivesItToTheBrowser) {
    window_->show();
    window_->CheckBox20->setChecked(false);
    window_->Button2->click();
    EXPECT_EQ(prompt->shown,
              std::vector<std::string>{"Není vybrána žádná kategorie, stránka výsledků nevznikla."});
    EXPECT_TRUE(window_->lastPagePath.empty());
    EXPECT_FALSE(fileExists(folder.file("E1/vysledky_E1_kategorie_.htm")));

    window_->ListBox1->item(0)->setSelected(true);
    window_->CheckBox20->setChecked(false);
    window_->Button2->click();
    const std::string page = folder.file("E1/vysledky_E1_kategorie_H21.htm");
    EXPECT_EQ(window_->lastPagePath, page);
    ASSERT_TRUE(fileExists(page));
    EXPECT_NE(readFile(page).find("Ann"), std::string::npos);
    EXPECT_EQ(app.browserWindow().windowTitle(), QFileInfo(QString::fromStdString(page)).absoluteFilePath());
    EXPECT_FALSE(app.browserWindow().isVisible());
    EXPECT_EQ(app.session().table.cell(1, column::points(1)), "1");
    EXPECT_TRUE(fileExists(folder.file("cup.zavodnici")));
    window_->hide();
}

TEST_F(ResultsWindowTest, AnswerStatisticsShowsThePageAndTheIofBoxGoesIntoTheScoringAndTheJob) {
    window_->show();
    window_->ListBox1->item(0)->setSelected(true);
    window_->CheckBox20->setChecked(false);
    window_->ButtonStats->click();
    const std::string page = folder.file("E1/statistika_E1_kategorie_H21.htm");
    EXPECT_EQ(window_->lastStatisticsPath, page);
    EXPECT_NE(readFile(page).find("Kategorie H21 - odstartovalo 1"), std::string::npos);
    EXPECT_EQ(app.browserWindow().windowTitle(), QFileInfo(QString::fromStdString(page)).absoluteFilePath());
    EXPECT_FALSE(window_->readStageOptions().scoring.unansweredIsWrong);
    window_->CheckBoxIOF->setChecked(true);
    EXPECT_TRUE(window_->readStageOptions().scoring.unansweredIsWrong);
    window_->CheckBox16->setChecked(true);
    window_->Button2->click();
    ASSERT_EQ(window_->regenerationJobs().count(), 1);
    EXPECT_TRUE(window_->regenerationJobs().jobs()[0].controls.unansweredIsWrong);
    window_->onRegenerationStop();
    window_->hide();
}

TEST_F(ResultsWindowTest, TheRelayBoxSelectsFarstaAndUncheckingItUnselectsTheForms) {
    window_->CheckBox6->click();
    EXPECT_TRUE(window_->CheckBox6->isChecked());
    EXPECT_TRUE(window_->RadioButton1->isChecked());
    window_->RadioButton2->click();
    window_->CheckBox6->click();
    EXPECT_FALSE(window_->RadioButton1->isChecked());
    EXPECT_FALSE(window_->RadioButton2->isChecked());
    window_->CheckBox6->click();
    EXPECT_TRUE(window_->RadioButton1->isChecked());
}

} // namespace
} // namespace ravik::test
