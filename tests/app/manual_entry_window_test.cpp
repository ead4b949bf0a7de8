// The manual punch entry window and the read-out controls of the main window,
// driven through their controls offscreen.
#include "app/assign_card_dialog.h"
#include "app/lamp.h"
#include "app/main_window.h"
#include "app/manual_entry_window.h"
#include "app_fixture.h"
#include "core/race_file.h"
#include "core/session.h"
#include "readout/si_log_csv.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <regex>

namespace ravik::test {
namespace {

RaceRecord stageWithOneClass() {
    RaceRecord stage;
    stage.stage_number = 1;
    stage.stage_date = "2023-11-01";
    stage.stage_start = "10:00";
    ClassDefinition& h21 = stage.classes[0];
    h21.class_name = "H21";
    for (int k = 0; k < 3; ++k) {
        h21.control_flags[k] = "A-C";
        h21.control_answer[k] = "B";
        for (int j = 0; j < kAnswersPerControl; ++j)
            h21.answer_codes[k][j] = 100 * (k + 1) + j + 1;
    }
    h21.cluster_answers[0][0] = "A";
    h21.cluster_answers[0][1] = "B";
    return stage;
}

class ReadoutWindows : public AppTest {
protected:
    TempFolder folder;
    Session& session = app.session();
    ManualEntryWindow& manual = app.manualEntryWindow();

    void SetUp() override {
        createRaceFile(folder.file("cup.ravik"), stageWithOneClass());
        std::filesystem::create_directory(folder.file("E1"));
        session.race.setRacePath(folder.file("cup.ravik"));
        session.race.setCurrentStageText("1");
        session.loadCompetitors();
        session.table.setRowCount(1);
        for (const auto& [id, name, si] :
             {std::tuple{"11", "Dvorak", "77"}, std::tuple{"12", "Novak", "2045117"}}) {
            TableRow row;
            row[column::kId] = id;
            row[column::kName] = name;
            row[column::kClass] = "H21";
            row[column::kSi] = si;
            row[column::start(1)] = "30";
            session.table.appendRow(row);
        }
        session.saveCompetitors();
    }
    void typeInto(QTableWidget* grid, int row, int column, const QString& text) {
        grid->item(row, column)->setText(text);
    }
};

TEST_F(ReadoutWindows, ChoosingACompetitorTypingAnswersAndSavingWritesThePunchFile) {
    manual.show();
    EXPECT_EQ(manual.ID->count(), 2);
    EXPECT_EQ(str(manual.ID->currentText()), "11");
    manual.ID->activated(1);
    EXPECT_EQ(str(manual.Jmeno->currentText()), "Novak");
    EXPECT_EQ(str(manual.cip->text()), "2045117");
    EXPECT_EQ(str(manual.start->text()), "10:30:00");
    ASSERT_EQ(manual.prukazkaPreO->columnCount(), 4);
    EXPECT_EQ(str(manual.prukazkaPreO->item(0, 3)->text()), "K3");
    typeInto(manual.prukazkaPreO, 1, 2, "ac");
    EXPECT_EQ(str(manual.prukazkaPreO->item(1, 2)->text()), "AC");
    EXPECT_EQ(str(manual.prukazkaPreO->item(2, 2)->text()), "201,203");
    EXPECT_EQ(str(manual.prukazkaPreO->item(4, 2)->text()), "2");
    typeInto(manual.prukazkaPreO, 3, 2, "10:40:00");
    manual.cil->setText("11:00:00");
    manual.Button3->click();
    EXPECT_EQ(readFile(folder.file("E1/12.si")), "MANUAL;2045117;1;STA;RDO;6;2023-11-01;10:30:00;0;00\r\n"
                                                 "MANUAL;2045117;201; CN;RDO;6;2023-11-01;10:40:00;1;00\r\n"
                                                 "MANUAL;2045117;203; CN;RDO;6;2023-11-01;10:40:00;2;00\r\n"
                                                 "MANUAL;2045117;1;FIN;RDO;6;2023-11-01;11:00:00;3;00\r\n");
    manual.Jmeno->activated(0);
    EXPECT_EQ(str(manual.ID->currentText()), "11");
    manual.Jmeno->activated(1);
    EXPECT_EQ(str(manual.prukazkaPreO->item(1, 2)->text()), "AC"); // read back from the file
    EXPECT_EQ(str(manual.cil->text()), "11:00:00");
    manual.hide();
}

TEST_F(ReadoutWindows, SelectingATimedControlCellSavesTheAnswers) {
    manual.show();
    manual.ID->activated(1);
    ASSERT_EQ(manual.prukazkaTempO->rowCount(), 2);
    ASSERT_EQ(manual.prukazkaTempO->columnCount(), 4);
    EXPECT_EQ(manual.prukazkaTempO->columnWidth(0), 54);
    EXPECT_EQ(manual.prukazkaTempO->columnWidth(1), 24);
    EXPECT_EQ(manual.prukazkaTempO->columnWidth(3), 38);
    typeInto(manual.prukazkaTempO, 1, 2, "b");
    EXPECT_EQ(str(manual.prukazkaTempO->item(1, 2)->text()), "B");
    typeInto(manual.prukazkaTempO, 1, 3, "42");
    manual.prukazkaTempO->setCurrentCell(1, 1);
    EXPECT_EQ(readFile(folder.file("E1/12.tc2")), "-B;42;*\r\n");
    manual.hide();
}

TEST_F(ReadoutWindows, ATimeWithAOneDigitHourTurnsItsEditRed) {
    manual.show();
    manual.start->setText("7:05:00");
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_0, Qt::NoModifier, "0");
    QApplication::sendEvent(manual.cil, &release);
    EXPECT_EQ(manual.start->palette().color(QPalette::Base), QColor(Qt::red));
    EXPECT_NE(manual.cil->palette().color(QPalette::Base), QColor(Qt::red));
    manual.start->setText("07:05:00");
    QApplication::sendEvent(manual.cil, &release);
    EXPECT_NE(manual.start->palette().color(QPalette::Base), QColor(Qt::red));
    manual.hide();
}

TEST_F(ReadoutWindows, AssignOnceWritesTheUnknownCardListsItInMemo2AndTurnsTheLamp) {
    MainWindow& main = app.mainWindow();
    std::string log = std::string(kSiLogHeader) + "\r\n";
    log += "1;99;1;STA;1;6;2023-10-31;10:00:00;5;12;\r\n1;99;2;FIN;1;6;2023-10-31;10:30:00;5;12;\r\n";
    writeFile(folder.file("log.csv"), log);
    main.cestaSI->setText(QString::fromStdString(folder.file("log.csv")));
    main.CSVjednou->click();
    EXPECT_TRUE(std::filesystem::exists(folder.file("E1/SI99.si")));
    EXPECT_EQ(str(main.Memo2->toPlainText()), "SI99");
    EXPECT_EQ(main.Shape1->color(), QColor(Qt::red));
    EXPECT_EQ(session.log.lastLine(), "POZOR! Cip 99 neni přiřazený žádnému závodníkovi!!");
    // "SIlog read" of every pass goes to the race's log file only; the caution also to the box.
    EXPECT_EQ(str(main.Memo1->toPlainText()).find("SIlog read"), std::string::npos);
    const std::string logFile = readFile(folder.file("cup.log"));
    EXPECT_TRUE(std::regex_search(logFile, std::regex("\\d\\d:\\d\\d:\\d\\d SIlog read\n"))) << logFile;
    EXPECT_NE(logFile.find(" POZOR! Cip 99 neni"), std::string::npos);
    EXPECT_NE(str(main.Memo1->toPlainText()).find("POZOR! Cip 99 neni"), std::string::npos);
    main.CSVjednou->click();
    EXPECT_EQ(main.Shape1->color(), QColor(Qt::green));
    EXPECT_EQ(str(main.Memo2->toPlainText()), "SI99");

    // The card goes to a competitor without one, found by name; his punch file follows at once.
    session.table.appendRow(competitorRow("13", "H21", "Svoboda"));
    main.assignCard->click();
    AssignCardDialog* dialog = main.assignDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(str(dialog->cardLabel->text()), "Čip 99 dostane závodník:");
    EXPECT_EQ(dialog->competitors->count(), 1) << "11 and 12 carry cards";
    dialog->search->setText("dvo");
    EXPECT_FALSE(dialog->buttons->button(QDialogButtonBox::Ok)->isEnabled());
    dialog->search->setText("svob");
    dialog->buttons->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(session.table.cell(3, column::kSi), "99");
    EXPECT_EQ(readFile(folder.file("E1/13.si")), readFile(folder.file("E1/SI99.si")));
    EXPECT_EQ(str(main.Memo2->toPlainText()), "");
    EXPECT_TRUE(std::filesystem::exists(folder.file("cup.zavodnici")));
}

TEST_F(ReadoutWindows, AutomaticReadOutRunsTheTimerAtTheTypedIntervalUntilStopped) {
    MainWindow& main = app.mainWindow();
    main.intervalCSV->setText("12");
    main.CSVautomat->click();
    EXPECT_TRUE(main.Timer1->isActive());
    EXPECT_EQ(main.Timer1->interval(), 12000);
    EXPECT_EQ(session.log.lastLine(), "Časovač spuštěn, jednou za 12 s bude zkontrolován SI Log.");
    main.intervalCSV->setText("x");
    main.CSVautomat->click();
    EXPECT_EQ(main.Timer1->interval(), 5000);
    main.SpeedButton1->click();
    EXPECT_FALSE(main.Timer1->isActive());
}

} // namespace
} // namespace ravik::test
