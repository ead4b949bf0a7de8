// The overall group and the XML buttons of the results window: the page of the
// chosen stages and classes handed to the browser window, and the result lists
// written beside the race file with their message.
#include "app/browser_window.h"
#include "app/results_window.h"
#include "app_fixture.h"
#include "core/competitor_table.h"
#include "core/file_io.h"
#include "core/race_file.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace ravik::test {
namespace {

class ResultsWindowOverall : public AppTest {
protected:
    ResultsWindowOverall() {
        RaceRecord stage;
        stage.race_name = "Spring Cup";
        stage.stage_date = "2026-05-01";
        stage.stage_start = "10:00";
        stage.classes[0].class_name = "H21";
        stage.classes[1].class_name = "D21";
        createRaceFile(folder.file("cup.ravik"), stage);
        appendStage(folder.file("cup.ravik"), stage);
        Session& session = app.session();
        session.race.setRacePath(folder.file("cup.ravik"));
        session.race.setCurrentStageText("1");
        session.loadCompetitors();
        session.table.setRowCount(1);
        addCompetitor("1", "H21", "Ann", "20", "1", "18");
        addCompetitor("2", "H21", "Bob", "30", "", "30");
        addCompetitor("3", "D21", "Cecil", "40", "", "40");
        window_ = &app.resultsWindow();
        window_->show();
    }
    ~ResultsWindowOverall() override { window_->hide(); }

    void addCompetitor(const std::string& id, const std::string& className, const std::string& name,
                       const std::string& points1, const std::string& penalty1, const std::string& points2) {
        TableRow row;
        row[column::kId] = id;
        row[column::kClass] = className;
        row[column::kName] = name;
        row[column::start(1)] = row[column::start(2)] = "0";
        row[column::points(1)] = points1;
        row[column::penalty(1)] = penalty1;
        row[column::points(2)] = points2;
        row[column::tc(1)] = row[column::tc(2)] = "10";
        app.session().table.appendRow(row);
        for (int stage = 1; stage <= 2; ++stage) { // read out in both stages
            ensureFolder(app.session().race.stageFolder(stage));
            writeFile(app.session().race.stageFolder(stage) + id + ".si", "");
        }
    }

    TempFolder folder;
    ResultsWindow* window_ = nullptr;
};

TEST_F(ResultsWindowOverall, ResultsWritesThePageOfTheChosenStagesAndClassesAndGivesItToTheBrowser) {
    EXPECT_TRUE(window_->CheckBox9->isChecked());
    window_->ee1->setChecked(true);
    window_->ee2->setChecked(true);
    window_->ListBox2->item(0)->setSelected(true);
    window_->nadpis->setText(QStringLiteral("Pohár"));
    window_->CheckBox21->setChecked(false);
    window_->Button1->click();

    const std::string page = folder.file("overall_results_E1+E2_class_H21.htm");
    EXPECT_EQ(window_->lastOverallPagePath, page);
    ASSERT_TRUE(fileExists(page));
    const std::string html = readFile(page);
    EXPECT_NE(html.find("<h2>Poh\xE1r</h2>\r\n"), std::string::npos);
    EXPECT_LT(html.find("Bob"), html.find("Ann"));
    EXPECT_NE(html.find("<td><center><font color=#0000FF>19</font><td><center>10\r\n"), std::string::npos);
    EXPECT_EQ(html.find("Cecil"), std::string::npos);
    EXPECT_EQ(app.browserWindow().windowTitle(), QFileInfo(QString::fromStdString(page)).absoluteFilePath());
    EXPECT_FALSE(app.browserWindow().isVisible());
}

TEST_F(ResultsWindowOverall, ResultsWithRepetitionRecordsAnOverallJob) {
    window_->ee1->setChecked(true);
    window_->ListBox2->item(1)->setSelected(true);
    window_->CheckBox16->setChecked(true);
    window_->Button1->click();
    EXPECT_TRUE(fileExists(folder.file("overall_results_E1_class_D21.htm")));
    ASSERT_EQ(window_->regenerationJobs().count(), 1);
    EXPECT_EQ(window_->regenerationJobs().jobs()[0].kind, JobKind::OverallResults);
    EXPECT_FALSE(window_->CheckBox16->isChecked());
    EXPECT_EQ(str(window_->Button5->text()), "Info - 1");
}

TEST_F(ResultsWindowOverall, XmlButtonsStandInTheStageGroupAndTellTheFileWritten) {
    ASSERT_NE(window_->GroupBox1->findChild<QPushButton*>(QStringLiteral("XMLTempO")), nullptr);
    ASSERT_NE(window_->GroupBox1->findChild<QPushButton*>(QStringLiteral("XMLPreO")), nullptr);
    EXPECT_EQ(str(window_->XMLTempO->text()), "XML TempO");
    EXPECT_EQ(str(window_->XMLPreO->text()), "XML PreO");

    window_->XMLPreO->click();
    const std::string path = folder.file("cup_PreoResults_E1.xml");
    ASSERT_TRUE(fileExists(path));
    ASSERT_FALSE(prompt->shown.empty());
    EXPECT_EQ(prompt->shown.back(), "File " + path + " created.");
    EXPECT_NE(readFile(path).find("   <Family>Cecil</Family>"), std::string::npos);

    window_->XMLTempO->click();
    EXPECT_TRUE(fileExists(folder.file("cup_TempoResults_E1.xml")));
}

} // namespace
} // namespace ravik::test
