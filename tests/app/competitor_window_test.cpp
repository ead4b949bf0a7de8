// The competitor window bound to the core: saving on cell selection, the pop-up
// menu's delete caption and sorts, the draw, the text import and the start list.
#include "app/browser_window.h"
#include "app/competitor_window.h"
#include "app/main_window.h"
#include "app/text_import_window.h"
#include "app_fixture.h"
#include "core/captions.h"
#include "core/competitor_file.h"
#include "core/file_io.h"
#include "core/log.h"
#include "core/race_file.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace ravik::test {
namespace {

class CompetitorWindowTest : public AppTest {
protected:
    CompetitorWindowTest() {
        RaceRecord stage;
        stage.race_name = "Jarn\xED poh\xE1r";
        stage.stage_start = "09:00";
        stage.classes[0].class_name = "H21";
        stage.classes[1].class_name = "D21";
        createRaceFile(folder.file("Spring.ravik"), stage);
        ensureFolder(folder.file("E1"));
        CompetitorTable table;
        addCompetitor(table, "12", "D21", "Nov\xE1k Jan", "0");
        addCompetitor(table, "3", "H21", "Adam Petr", "0");
        addCompetitor(table, "7", "H21",
                      "\xC8"
                      "ern\xFD Ivo",
                      "");
        LogLines log;
        saveCompetitorTable(competitorFile(), table, log);
        app.mainWindow().openRaceAtStart(QString::fromStdString(folder.file("Spring.ravik")));
        competitors().show();
        tabulka = competitors().tabulka;
    }

    static void addCompetitor(CompetitorTable& table, const std::string& id, const std::string& cls,
                              const std::string& name, const std::string& start) {
        TableRow row;
        row[column::kId] = id;
        row[column::kClass] = cls;
        row[column::kName] = name;
        row[column::start(1)] = start;
        table.appendRow(row);
    }

    CompetitorWindow& competitors() { return app.competitorWindow(); }
    std::string competitorFile() const { return folder.file("Spring.zavodnici"); }
    std::vector<std::string> savedNames() const {
        std::vector<std::string> names;
        for (const auto& record : readCompetitorRecords(competitorFile()))
            names.push_back(record.competitor_name);
        return names;
    }
    std::vector<std::string> shownColumn(int col) const {
        std::vector<std::string> cells;
        for (int row = 0; row < tabulka->rowCount(); ++row)
            cells.push_back(tabulka->item(row, col) ? str(tabulka->item(row, col)->text()) : "");
        return cells;
    }

    TempFolder folder;
    QTableWidget* tabulka = nullptr;
};

TEST_F(CompetitorWindowTest, ShowingLoadsTheTableHeadingsAndClassBox) {
    EXPECT_EQ(tabulka->columnCount(), 32);
    EXPECT_EQ(shownColumn(column::kName), (std::vector<std::string>{"Novák Jan", "Adam Petr", "Černý Ivo"}));
    EXPECT_EQ(str(tabulka->horizontalHeaderItem(column::kRegistration)->text()), "Registračka");
    EXPECT_EQ(str(tabulka->horizontalHeaderItem(column::disqualified(1))->text()), "DISK E1");
    QComboBox* classes = competitors().los_kat;
    ASSERT_EQ(classes->count(), 3);
    EXPECT_EQ(str(classes->itemText(0)), "vše");
    EXPECT_EQ(str(classes->itemText(2)), "D21");
    EXPECT_EQ(str(competitors().nazev_zavodu->text()), str(app.mainWindow().nazev_zavodu->text()));
}

TEST_F(CompetitorWindowTest, SelectingACellSavesTheEditedTable) {
    tabulka->setCurrentCell(0, column::kName);
    tabulka->item(0, column::kName)->setText(QStringLiteral("Novák Jan Ml."));
    EXPECT_EQ(savedNames().at(0), "Nov\xE1k Jan");
    tabulka->setCurrentCell(1, column::kName);
    EXPECT_EQ(savedNames().at(0), "Nov\xE1k Jan Ml.");
}

TEST_F(CompetitorWindowTest, PopupCaptionNamesTheRowAndDeletesIt) {
    tabulka->setCurrentCell(1, column::kId);
    emit competitors().PopupMenu1->aboutToShow();
    EXPECT_EQ(str(competitors().PopupItem[0]->text()), "Smazat řádek 2 (3,Adam Petr)");
    competitors().PopupItem[0]->trigger();
    EXPECT_EQ(shownColumn(column::kId), (std::vector<std::string>{"12", "7"}));
    EXPECT_EQ(app.session().table.competitorRows(), 2);
}

TEST_F(CompetitorWindowTest, SortByNameFromThePopupReordersTheGrid) {
    competitors().PopupItem[8]->trigger();
    EXPECT_EQ(shownColumn(column::kName), (std::vector<std::string>{"Adam Petr", "Novák Jan", "Černý Ivo"}));
    competitors().PopupItem[7]->trigger(); // class: H21 then D21
    EXPECT_EQ(shownColumn(column::kClass), (std::vector<std::string>{"H21", "H21", "D21"}));
    // Sorting does not save by itself; the next cell selection does.
    EXPECT_EQ(savedNames().at(0), "Nov\xE1k Jan");
    tabulka->setCurrentCell(2, 2);
    EXPECT_EQ(savedNames().at(2), "Nov\xE1k Jan");
}

TEST_F(CompetitorWindowTest, AddRowIdsAndClearResults) {
    competitors().Button4->click();
    EXPECT_EQ(shownColumn(column::kId).back(), "13");
    tabulka->item(0, column::points(1))->setText(QStringLiteral("18"));
    EXPECT_EQ(app.session().table.cell(1, column::points(1)), "18");
    competitors().Button8->click();
    EXPECT_EQ(shownColumn(column::points(1)).front(), "");
    tabulka->item(3, column::kId)->setText(QString());
    competitors().Button5->click();
    EXPECT_EQ(shownColumn(column::kId).back(), "1");
}

TEST_F(CompetitorWindowTest, DrawInTableOrderSavesTheOffsets) {
    competitors().nahoda->setChecked(false);
    competitors().Button6->click();
    EXPECT_EQ(shownColumn(column::start(1)), (std::vector<std::string>{"0", "2", ""}));
    const auto records = readCompetitorRecords(competitorFile());
    EXPECT_EQ(records.at(1).start_offset[0], 2.0f);
    EXPECT_EQ(records.at(2).start_offset[0], -1.0f);
}

TEST_F(CompetitorWindowTest, EditsOfIntervalAndFirstStartKeepTheirCharacters) {
    competitors().interval->clear();
    competitors().interval->setFocus();
    emit competitors().interval->textEdited(QStringLiteral("2,5"));
    EXPECT_EQ(str(competitors().interval->text()), "2.5");
    emit competitors().pstart->textEdited(QStringLiteral("1a5"));
    EXPECT_EQ(str(competitors().pstart->text()), "15");
}

TEST_F(CompetitorWindowTest, TextImportAddsTheLineAndSaves) {
    std::string line(75, ' ');
    line.replace(0, 7, "ABC1234").replace(8, 3, "H21").replace(30, 9, "Nový Jan").replace(62, 2, "40");
    TextImportWindow& importer = app.textImportWindow();
    EXPECT_EQ(str(importer.windowTitle()), "Import");
    importer.Memo1->setPlainText(QString::fromStdString(line));
    importer.Button1->click();
    EXPECT_EQ(shownColumn(column::kName).back(), "Nový Jan");
    EXPECT_EQ(savedNames().back(), "Nov\xFD Jan");
}

TEST_F(CompetitorWindowTest, StartListButtonShowsThePageInTheBrowser) {
    prompt->inputs.push_back(std::string("1"));
    control<QPushButton>(ravik::window::kMain, "Button17")->click();
    const std::string page = folder.file("E1/startlist_E1.htm");
    ASSERT_TRUE(fileExists(page)) << app.session().log.lastLine();
    EXPECT_TRUE(app.browserWindow().isVisible());
    EXPECT_EQ(str(app.browserWindow().windowTitle()), page);
    EXPECT_NE(readFile(page).find(
                  "<td>Nov\xE1k Jan<td bgcolor=#BBBBBB><td bgcolor=#FFFFAA><font size=+1>&nbsp;<b>00:00"),
              std::string::npos);
}

} // namespace
} // namespace ravik::test
