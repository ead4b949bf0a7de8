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
#include <cstdio>
#include <memory>

namespace ravik::test {
namespace {

// Controls 1 and 2 answered A and B, station code 10 * control + answer position.
ClassDefinition twoControls(const std::string& name) {
    ClassDefinition definition;
    definition.class_name = name;
    definition.time_limit = 60;
    for (int k = 0; k < 2; ++k) {
        definition.control_flags[k] = "A-F";
        definition.control_answer[k] = std::string(1, static_cast<char>('A' + k));
        for (int position = 0; position < 7; ++position)
            definition.answer_codes[k][position] = (k + 1) * 10 + position;
    }
    return definition;
}

std::string punchLine(const std::string& code, const std::string& time) {
    return "1;2045117;" + code + "; CN;1;6;2023-11-01;" + time + ";5;12;\r\n";
}

// Both controls right, started at 10:00:00.
std::string bothRight(const std::string& finish) {
    return "MANUAL;2045117;1;STA;RDO;6;2023-11-01;10:00:00;0;00\r\n" + punchLine("10", "10:10:00") +
           punchLine("21", "10:20:00") + "MANUAL;2045117;1;FIN;RDO;6;2023-11-01;" + finish + ";9;00\r\n";
}

class ResultsWindowOverall : public AppTest {
protected:
    ResultsWindowOverall() {
        RaceRecord stage;
        stage.race_name = "Spring Cup";
        stage.stage_date = "2026-05-01";
        stage.stage_start = "10:00";
        stage.classes[0] = twoControls("H21");
        stage.classes[1] = twoControls("D21");
        createRaceFile(folder.file("cup.ravik"), stage);
        appendStage(folder.file("cup.ravik"), stage);
        Session& session = app.session();
        session.race.setRacePath(folder.file("cup.ravik"));
        session.race.setCurrentStageText("1");
        session.loadCompetitors();
        session.table.setRowCount(1);
        // Ann is an hour and two minutes on the course in stage 1: one over-time unit.
        addCompetitor("1", "H21", "Ann", bothRight("11:02:00"));
        addCompetitor("2", "H21", "Bob", bothRight("10:30:00"));
        addCompetitor("3", "D21", "Cecil", bothRight("10:30:00"));
        window_ = &app.resultsWindow();
        window_->show();
    }
    ~ResultsWindowOverall() override { window_->hide(); }

    // Read out in both stages; stage 2 both right within the hour.
    void addCompetitor(const std::string& id, const std::string& className, const std::string& name,
                       const std::string& stage1Punches) {
        TableRow row;
        row[column::kId] = id;
        row[column::kClass] = className;
        row[column::kName] = name;
        row[column::start(1)] = row[column::start(2)] = "0";
        app.session().table.appendRow(row);
        for (int stage = 1; stage <= 2; ++stage) {
            ensureFolder(app.session().race.stageFolder(stage));
            writeFile(app.session().race.stageFolder(stage) + id + ".si",
                      stage == 1 ? stage1Punches : bothRight("10:30:00"));
        }
    }

    TempFolder folder;
    ResultsWindow* window_ = nullptr;
};

TEST_F(ResultsWindowOverall, ResultsScoresTheChosenStagesAndWritesThePageOfTheChosenClassesForTheBrowser) {
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
    // The over-time penalty of stage 1 comes from its files, not from an earlier run.
    EXPECT_NE(html.find("<td><center><font color=#0000FF>1</font><td><center>0\r\n"), std::string::npos);
    EXPECT_EQ(app.session().table.cell(1, column::points(1)), "2");
    EXPECT_EQ(html.find("Cecil"), std::string::npos);
    EXPECT_EQ(app.browserWindow().windowTitle(), QFileInfo(QString::fromStdString(page)).absoluteFilePath());
    EXPECT_FALSE(app.browserWindow().isVisible());
}

TEST_F(ResultsWindowOverall, ThePdfButtonWritesThePageAndItsPdfBesideItAndLogsIt) {
    // Every command that writes a page has its PDF button beside it.
    EXPECT_EQ(window_->Button2Pdf->parentWidget(), window_->Button2->parentWidget());
    EXPECT_EQ(window_->ButtonStatsPdf->parentWidget(), window_->ButtonStats->parentWidget());
    EXPECT_EQ(str(window_->Button1Pdf->text()), "PDF");
    window_->ee1->setChecked(true);
    window_->ListBox2->item(0)->setSelected(true);
    window_->Button1Pdf->click();

    const std::string pdf = folder.file("overall_results_E1_class_H21.pdf");
    EXPECT_TRUE(fileExists(folder.file("overall_results_E1_class_H21.htm")));
    EXPECT_EQ(window_->lastPdfPath, pdf);
    ASSERT_TRUE(fileExists(pdf));
    EXPECT_EQ(app.session().log.lastLine(), "PDF zapsáno - " + pdf);
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(("pdftotext -layout '" + pdf + "' -").c_str(), "r"),
                                               pclose);
    std::string text(4096, '\0');
    text.resize(fread(text.data(), 1, text.size(), pipe.get()));
    ASSERT_NE(text.find("Ann"), std::string::npos) << text;
    EXPECT_LT(text.find("Bob"), text.find("Ann")) << text;
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

    window_->ListBox1->item(1)->setSelected(true); // the stage is scored first
    window_->Button2->click();
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
