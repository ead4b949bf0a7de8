// The window and another program on one race, the log box over a long day, and
// what opening a race shows and tidies.
#include "app/competitor_window.h"
#include "app/main_window.h"
#include "app/results_window.h"
#include "app_fixture.h"
#include "core/competitor_file.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/race_lock.h"
#include "modal_dialogs.h"
#include "readout/si_log_csv.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBlock>
#include <QTimer>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace ravik::test {
namespace {

class RaceSafetyWindow : public AppTest {
protected:
    RaceSafetyWindow() {
        RaceRecord stage;
        stage.race_name = "<b>Cup</b> & co";
        stage.stage_place = "<i>Brno</i>";
        stage.classes[0].class_name = "H21";
        createRaceFile(race, stage);
        std::filesystem::create_directory(folder.file("E1"));
        CompetitorTable table;
        table.appendRow(competitorRow("12", "H21", "Nov\xE1k Jan", "2045117"));
        LogLines log;
        saveCompetitorTable(folder.file("Spring.zavodnici"), table, log);
    }
    bool logHas(const std::string& line) {
        const auto& lines = app.session().log.lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    void readOnce(const std::string& logBytes) {
        writeFile(folder.file("log.csv"), logBytes);
        ageFile(folder.file("log.csv"), 10);
        app.mainWindow().cestaSI->setText(QString::fromStdString(folder.file("log.csv")));
        app.mainWindow().onReadoutOnce();
    }

    TempFolder folder;
    std::string race = folder.file("Spring.ravik");
};

std::string cardLine(long card) {
    return "1;" + std::to_string(card) + ";2;FIN;1;6;2026-05-16;10:30:00;1;1;\r\n";
}

TEST_F(RaceSafetyWindow, ASecondWindowOnAHeldRaceOpensItReadOnlyAndRefusesEveryChange) {
    const RaceLock otherProgram = RaceLock::take(race);
    ASSERT_TRUE(otherProgram.held());
    const std::string competitors = readFile(folder.file("Spring.zavodnici"));
    app.mainWindow().openRaceAtStart(QString::fromStdString(race));
    const std::string refusal = "Závod je otevřen v jiném programu (PID " + std::to_string(::getpid()) +
                                "), nic nebylo změněno. Zavřete ho tam a zkuste to znovu.";
    EXPECT_EQ(str(app.mainWindow().windowTitle()), "Ravik - jen pro čtení");
    EXPECT_TRUE(logHas("Závod je otevřen jen pro čtení, změny nelze uložit. " + refusal));

    // Looking through the table changes nothing; a change is refused.
    CompetitorWindow& window = app.competitorWindow();
    window.show();
    const std::size_t boxes = closedModalDialogs().size();
    window.tabulka->setCurrentCell(0, column::kName);
    window.tabulka->setCurrentCell(0, column::kClass);
    EXPECT_EQ(closedModalDialogs().size(), boxes);
    window.tabulka->item(0, column::kName)->setText(QStringLiteral("Changed"));
    window.Button2->click();
    ASSERT_GT(closedModalDialogs().size(), boxes);
    for (std::size_t box = boxes; box < closedModalDialogs().size(); ++box)
        EXPECT_EQ(str(closedModalDialogs()[box]), refusal);
    EXPECT_EQ(readFile(folder.file("Spring.zavodnici")), competitors);

    readOnce(std::string(kSiLogHeader) + "\r\n" + std::string(200, ' ') + "\r\n" + cardLine(2045117));
    EXPECT_FALSE(fileExists(folder.file("E1/12.si")));
    EXPECT_EQ(app.session().log.lastLine(), refusal);
    app.mainWindow().onBackupTimer();
    EXPECT_FALSE(fileExists(folder.file("BACKUP_Spring.Ravik")));

    // The overall page scores its stages in memory: the page comes, the competitor file stays.
    ResultsWindow& results = app.resultsWindow();
    results.show();
    results.ee1->setChecked(true);
    EXPECT_TRUE(results.runOverallResults());
    EXPECT_TRUE(fileExists(results.lastOverallPagePath));
    EXPECT_EQ(readFile(folder.file("Spring.zavodnici")), competitors);
    results.hide();
}

TEST_F(RaceSafetyWindow, TheLogBoxKeepsItsLastTenThousandLinesWhilePassesReportThousandsOfCards) {
    app.mainWindow().openRaceAtStart(QString::fromStdString(race));
    for (const long first : {7000000, 8000000}) { // a log of other cards the second time
        std::string log = std::string(kSiLogHeader) + "\r\n";
        for (long card = 1; card <= 5200; ++card)
            log += cardLine(first + card);
        readOnce(log);
    }
    QPlainTextEdit* memo = app.mainWindow().Memo1;
    EXPECT_EQ(memo->blockCount(), 10000);
    EXPECT_EQ(str(memo->document()->lastBlock().text()), app.session().log.lastLine());
    EXPECT_EQ(app.session().log.lastLine(), "POZOR! Cip 8005200 neni přiřazený žádnému závodníkovi!!");
    EXPECT_LE(app.session().log.lines().size(), 20000u);
}

TEST_F(RaceSafetyWindow, OpeningARaceShowsItsNameAsTypedAndRemovesWhatKilledWritersLeft) {
    const pid_t ended = ::fork();
    if (ended == 0) ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    const std::string left[] = {folder.file("Spring.zavodnici.tmp" + std::to_string(ended) + "_1"),
                                folder.file("E1/12.si.tmp" + std::to_string(ended) + "_2")};
    for (const std::string& path : left) {
        writeFile(path, "half");
        ageFile(path, 120);
    }
    app.mainWindow().openRaceAtStart(QString::fromStdString(race));
    for (const std::string& path : left)
        EXPECT_FALSE(std::filesystem::exists(path)) << path;
    EXPECT_TRUE(logHas("Odstraněny dočasné soubory ukončeného programu: 2"));
    EXPECT_EQ(str(app.mainWindow().windowTitle()), "Ravik");

    for (const QLabel* label : {app.mainWindow().nazev_zavodu, app.competitorWindow().nazev_zavodu})
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(str(app.mainWindow().nazev_zavodu->text()), "<b>Cup</b> & co");
    EXPECT_EQ(app.mainWindow().hlavni_misto->textFormat(), Qt::PlainText);
}

} // namespace
} // namespace ravik::test
