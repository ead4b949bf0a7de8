// One two-stage event played twice from the same files: once through the
// windows' commands, once through ravik-cli. Every page, XML list, the competitor
// file and the slips' texts must come out the same, byte for byte: the windows
// keep no race data of their own between commands.
#include "app/class_editor_window.h"
#include "app/competitor_window.h"
#include "app/main_window.h"
#include "app/results_window.h"
#include "app_fixture.h"
#include "core/competitor_file.h"
#include "core/log.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTableWidget>

#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>

namespace ravik::test {
namespace {

namespace fs = std::filesystem;

// Control k (1 to 3) has flags A-C; answer position p (A = 0, Z = 6) punches code 30 + 10 k + p.
std::string code(int control, char answer) {
    return std::to_string(30 + 10 * control + (answer == 'Z' ? 6 : answer - 'A'));
}

ClassDefinition eventClass(const std::string& name) {
    ClassDefinition c;
    c.class_name = name;
    c.time_limit = 60;
    c.cluster_penalty = 60;
    const std::string answers = "BAC";
    for (int k = 0; k < 3; ++k) {
        c.control_flags[k] = "A-C";
        c.control_answer[k] = std::string(1, answers[k]);
        for (int p = 0; p < 7; ++p)
            c.answer_codes[k][p] = 30 + 10 * (k + 1) + p;
    }
    c.cluster_answers[0][0] = "A";
    c.cluster_answers[0][1] = "B";
    return c;
}

std::string line(const std::string& stationCode, const std::string& mode, const std::string& time) {
    return "MANUAL;1;" + stationCode + ";" + mode + ";RDO;6;2026-05-16;" + time + ";0;00\r\n";
}

// A card: the start punch (none when empty), the answers of controls 1.. ('.' = not
// punched) a minute apart from 10:10, and the finish (none when empty).
std::string card(const std::string& start, const std::string& answers, const std::string& finish) {
    std::string bytes = start.empty() ? "" : line("1", "STA", start);
    for (std::size_t k = 0; k < answers.size(); ++k)
        if (answers[k] != '.')
            bytes +=
                line(code(static_cast<int>(k) + 1, answers[k]), " CN", "10:1" + std::to_string(k) + ":00");
    if (!finish.empty()) bytes += line("1", "FIN", finish);
    return bytes;
}

struct Entry {
    const char *id, *className, *name, *relay;
};
constexpr Entry kEntries[] = {
    {"1", "Elite", "Ann Ash", "1"},  {"2", "Elite", "Bob Birch", "1"}, {"3", "Elite", "Cid Cedar", "2"},
    {"4", "Elite", "Dan Dale", "2"}, {"5", "Elite", "Eva Elm", "3"},   {"6", "Para", "Fay Fir", "3"},
    {"7", "Para", "Gus Gorse", "4"}, {"8", "Para", "Hal Hazel", "4"},
};

// The race as both sides start it: two stages of the classes Elite and Para, the
// entries with a start offset 0 in both stages, the stage-1 cards read out.
void prepareRace(const TempFolder& folder) {
    RaceRecord record;
    record.race_name = "Spring Cup";
    record.stage_place = "Brno";
    record.stage_start = "10:00";
    record.classes[0] = eventClass("Elite");
    record.classes[1] = eventClass("Para");
    record.stage_number = 1;
    record.stage_date = "2026-05-16";
    createRaceFile(folder.file("cup.ravik"), record);
    record.stage_number = 2;
    record.stage_date = "2026-05-17";
    appendStage(folder.file("cup.ravik"), record);

    CompetitorTable table;
    table.setHeadings(Language::Czech);
    for (const Entry& entry : kEntries) {
        TableRow row{};
        row[column::kId] = entry.id;
        row[column::kRegistration] = std::string("CZE") + entry.id;
        row[column::kClass] = entry.className;
        row[column::kSi] = std::string("20451") + entry.id;
        row[column::kName] = entry.name;
        row[column::kFlag] = "CZE";
        row[column::kRelay] = entry.relay;
        row[column::start(1)] = row[column::start(2)] = "0";
        table.appendRow(row);
    }
    LogLines log;
    saveCompetitorTable(folder.file("cup.zavodnici"), table, log);

    const std::map<std::string, std::pair<std::string, std::string>> stage1 = {
        {"1", {card("10:00:00", "BAC", "10:40:00"), "AB;30\r\n"}},
        {"2", {card("10:00:00", "BBC", "10:40:00"), "AB;30\r\n"}}, // control 2 wrong until it is voided
        {"3", {card("10:00:00", "BAC", "11:07:00"), "AA;30\r\n"}}, // 7 minutes over: 2 units
        {"4", {card("10:00:00", "BA.", ""), ""}},                  // did not finish
        {"6", {card("10:00:00", "BAC", "10:30:00"), "AB;40\r\n"}},
        {"7", {card("10:00:00", "BAC", "10:35:00"), "AB;40\r\n"}}, // tied with Fay
        {"8", {card("10:00:00", "BAC", "10:20:00"), "AB;10\r\n"}}, // the best, disqualified
    };
    fs::create_directories(folder.file("E1"));
    fs::create_directories(folder.file("E2"));
    for (const auto& [id, files] : stage1) {
        writeFile(folder.file("E1/" + id + ".si"), files.first);
        if (!files.second.empty()) writeFile(folder.file("E1/" + id + ".tc2"), files.second);
    }
}

// The stage-2 cards, read out after the draw; Bob's start punch is missing, so his
// drawn offset starts him.
void readStageTwo(const TempFolder& folder) {
    const std::map<std::string, std::pair<std::string, std::string>> stage2 = {
        {"1", {card("10:30:00", "BAC", "10:50:00"), "AB;20\r\n"}},
        {"2", {card("", "BAC", "11:00:00"), "AB;20\r\n"}},
        {"3", {card("10:05:00", "BAC", "10:40:00"), "AB;25\r\n"}},
        {"4", {card("10:00:00", "B..", ""), ""}},
        {"6", {card("10:00:00", "BAC", "10:40:00"), "AB;30\r\n"}},
        {"7", {card("10:00:00", "BAC", "10:45:00"), "BB;30\r\n"}},
        {"8", {card("10:00:00", "BAC", "10:40:00"), "AB;30\r\n"}},
    };
    for (const auto& [id, files] : stage2) {
        writeFile(folder.file("E2/" + id + ".si"), files.first);
        if (!files.second.empty()) writeFile(folder.file("E2/" + id + ".tc2"), files.second);
    }
}

// Every file a side wrote, by its path in the race folder; the race file, the lock,
// backups and the slips' PDFs (compared as text) are left out. The time a page or
// list was made is the only part that may differ.
std::map<std::string, std::string> writtenFiles(const TempFolder& folder) {
    static const std::regex generated("Generated: [^\r\n]*");
    static const std::regex created("createTime=\"[^\"]*\"");
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        const std::string ext = entry.path().extension().string();
        // The window's log file and the read-out's cache are not outputs to compare.
        if (ext == ".ravik" || ext == ".lock" || ext == ".pdf" || ext == ".log" || ext == ".readout" ||
            name.rfind("BACKUP_", 0) == 0)
            continue;
        std::string bytes = readFile(entry.path().string());
        bytes = std::regex_replace(bytes, generated, "Generated: (time)");
        bytes = std::regex_replace(bytes, created, "createTime=\"(time)\"");
        files[fs::relative(entry.path(), folder.path()).string()] = bytes;
    }
    return files;
}

std::string pdfText(const std::string& pdf) {
    std::string text;
    if (FILE* pipe = popen(("pdftotext -layout '" + pdf + "' -").c_str(), "r")) {
        char buffer[4096];
        while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

const std::vector<std::string> kSlips = {"2", "3"};

class EventAgreement : public AppTest {
protected:
    // The event through ravik-cli in cliRace.
    void playWithCli() {
        prepareRace(cliRace);
        const std::string race = "'" + cliRace.file("cup.ravik") + "'";
        const std::string results = " --classes Elite,Para --columns --details";
        cli("competitors " + race + " --disqualify 8 --stage 1");
        cli("results " + race + " --stage 1" + results);
        writeFile(work.file("void.json"),
                  R"({"stages": [{"stage": 1, "classes": [{"slot": 1, "control_answer": ["B", "X"]}]}]})");
        cli("define " + race + " '" + work.file("void.json") + "'");
        cli("results " + race + " --stage 1" + results);
        cli("draw " + race + " --stage 2 --by-results");
        readStageTwo(cliRace);
        cli("results " + race + " --stage 2" + results + " --relay farsta");
        cli("results " + race + " --stage 2" + results);
        cli("overall " + race + " --stages 1,2 --classes Elite,Para --complete");
        cli("export-xml " + race + " --kind relay --stage 2 --classes Elite,Para --relay farsta");
        cli("export-xml " + race + " --kind startlist --stage 2");
        cli("export-xml " + race + " --kind overall --stages 1,2 --classes Elite,Para --complete");
        for (const char* stage : {"1", "2"})
            for (const char* kind : {"preo", "tempo"})
                cli("export-xml " + race + " --stage " + stage + " --kind " + kind);
        for (const std::string& id : kSlips)
            cli("printout " + race + " --stage 1 --id " + id + " --lang CZE --pdf '" +
                cliRace.file("slip" + id + ".pdf") + "'");
    }

    // The same event through the windows in windowRace.
    void playWithWindows() {
        prepareRace(windowRace);
        MainWindow& main = app.mainWindow();
        main.openRaceAtStart(QString::fromStdString(windowRace.file("cup.ravik")));

        CompetitorWindow& competitors = app.competitorWindow();
        competitors.show(); // loads the table from the file, as at every showing
        competitors.tabulka->setCurrentCell(7, column::disqualified(1));
        competitors.tabulka->item(7, column::disqualified(1))->setText(QStringLiteral("DISK"));
        competitors.tabulka->setCurrentCell(0, 0); // a new cell saves
        competitors.hide();

        ResultsWindow& results = app.resultsWindow();
        results.show();
        results.CheckBox2->setChecked(true);
        results.CheckBox3->setChecked(true);
        results.CheckBox20->setChecked(false);
        for (int row = 0; row < results.ListBox1->count(); ++row)
            results.ListBox1->item(row)->setSelected(true);
        auto stageResults = [&](const char* stage, bool farsta) {
            results.ComboBox1->setCurrentText(QString::fromLatin1(stage));
            results.CheckBox6->setChecked(farsta);
            results.RadioButton1->setChecked(farsta);
            ASSERT_TRUE(results.runStageResults());
        };
        stageResults("1", false);

        // The jury voids control 2 of Elite in the class editor; the results window stays open.
        ClassEditorWindow& editor = app.classEditorWindow();
        editor.show();
        ASSERT_EQ(str(editor.kategorie->text()), "Elite");
        editor.XStringGrid2->item(1, 2)->setText(QStringLiteral("X"));
        editor.onControlGridLeft(editor.XStringGrid2);
        editor.Button1->click();
        editor.hide();
        stageResults("1", false);

        competitors.show();
        competitors.los_e->setCurrentText(QStringLiteral("2"));
        competitors.CheckBox1->setChecked(true); // by the previous stage's results, class "vše"
        competitors.Button6->click();
        competitors.hide();

        readStageTwo(windowRace);
        stageResults("2", true); // the main window stays on stage 1
        stageResults("2", false);

        results.ee1->setChecked(true);
        results.ee2->setChecked(true);
        for (int row = 0; row < results.ListBox2->count(); ++row)
            results.ListBox2->item(row)->setSelected(true);
        ASSERT_TRUE(results.runOverallResults());
        results.ComboBox1->setCurrentText(QStringLiteral("2"));
        results.RadioButton1->setChecked(true);
        ASSERT_TRUE(results.exportXmlRelay());
        ASSERT_TRUE(results.exportXmlStartList());
        ASSERT_TRUE(results.exportXmlOverall());
        for (const char* stage : {"1", "2"}) {
            results.ComboBox1->setCurrentText(QString::fromLatin1(stage));
            ASSERT_TRUE(results.exportXml(ResultListKind::PreO));
            ASSERT_TRUE(results.exportXml(ResultListKind::TempO));
        }

        main.CheckBox4->setChecked(true); // print, into a PDF
        main.zoom->setValue(10);
        main.onPrintListRefresh();
        for (const std::string& id : kSlips) {
            main.printoutPdfPath = QString::fromStdString(windowRace.file("slip" + id + ".pdf"));
            const QList<QListWidgetItem*> items =
                main.ListBox1->findItems(QString::fromStdString(id + ".si"), Qt::MatchStartsWith);
            ASSERT_EQ(items.size(), 1);
            main.ListBox1->setCurrentItem(items[0]);
            emit main.ListBox1->itemClicked(items[0]);
            main.Button12->click();
        }
        results.hide();
    }

    void cli(const std::string& arguments) {
        const std::string out = work.file("cli.out");
        const int status =
            std::system((std::string(RAVIK_CLI_PATH) + " " + arguments + " > '" + out + "' 2>&1").c_str());
        EXPECT_EQ(status, 0) << arguments << "\n" << readFile(out);
    }

    TempFolder windowRace, cliRace, work;
};

TEST_F(EventAgreement, TheWindowsAndTheCommandLineWriteTheSameFiles) {
    playWithCli();
    playWithWindows();

    const auto byCli = writtenFiles(cliRace);
    const auto byWindows = writtenFiles(windowRace);
    std::vector<std::string> cliNames, windowNames;
    for (const auto& [name, bytes] : byCli)
        cliNames.push_back(name);
    for (const auto& [name, bytes] : byWindows)
        windowNames.push_back(name);
    EXPECT_EQ(windowNames, cliNames);
    for (const auto& [name, bytes] : byCli)
        if (byWindows.count(name)) {
            EXPECT_EQ(byWindows.at(name), bytes) << name;
        }
    for (const std::string& id : kSlips) {
        const std::string slip = pdfText(cliRace.file("slip" + id + ".pdf"));
        EXPECT_NE(slip.find(" v Elite"), std::string::npos) << slip;
        EXPECT_EQ(pdfText(windowRace.file("slip" + id + ".pdf")), slip) << id;
    }

    // What the event decided, as both sides wrote it.
    const std::string overall = byCli.at("overall_results_E1+E2_class_Elite+Para.htm");
    EXPECT_NE(overall.find("<td><center>DNF<td>"), std::string::npos);
    EXPECT_NE(overall.find("<td><center>DNS<td>"), std::string::npos);
    EXPECT_NE(overall.find("<td><center>DISK<td>"), std::string::npos);
    EXPECT_TRUE(byCli.count("cup_StartList_E2.xml"));
    EXPECT_TRUE(byCli.count("cup_RelayResults_E2_class_Elite+Para.xml"));
    EXPECT_TRUE(byCli.count("cup_OverallResults_E1+E2_class_Elite+Para.xml"));
    const std::string relay = byCli.at("E2/vysledky_stafet_E2_kategorie_Elite+Para.htm");
    EXPECT_NE(relay.find("<center>DNF<br>"), std::string::npos);
    EXPECT_NE(relay.find("<center>DNS<br>"), std::string::npos);
    EXPECT_EQ(readCompetitorRecords(cliRace.file("cup.zavodnici")).at(1).stage_points[0],
              2); // after the void
}

} // namespace
} // namespace ravik::test
