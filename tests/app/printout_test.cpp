// Result printouts from the main window: the print list, Button12 drawing the
// preview for the chosen competitor, printing through Qt's PDF printer checked
// with pdftotext and pdfinfo, and the printout after the read-out of a new card.
#include "app/main_window.h"
#include "app/print_preview_window.h"
#include "app/printout_painter.h"
#include "app/qt_text.h"
#include "app/results_window.h"
#include "app_fixture.h"
#include "core/competitor_table.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "readout/si_log_csv.h"
#include "slip_data.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSlider>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>

namespace ravik::test {
namespace {

// Output of a shell command (pdftotext, pdfinfo).
std::string commandOutput(const std::string& command) {
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return output;
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe.get()))
        output.append(buffer, n);
    return output;
}
std::string pdfText(const std::string& pdf) {
    return commandOutput("pdftotext -layout '" + pdf + "' -");
}
std::string pdfInfo(const std::string& pdf) {
    return commandOutput("pdfinfo '" + pdf + "'");
}
// "Page size:      841.89 x 595.276 pts (A4)" → width above height.
bool isLandscape(const std::string& info) {
    const auto at = info.find("Page size:");
    double width = 0, height = 0;
    if (at == std::string::npos ||
        std::sscanf(info.c_str() + at, "Page size: %lf x %lf", &width, &height) != 2)
        return false;
    return width > height;
}
// "Page size:      226.772 x 1047.4 pts" → the width in points.
double pageWidth(const std::string& info) {
    const auto at = info.find("Page size:");
    double width = 0;
    return at != std::string::npos && std::sscanf(info.c_str() + at, "Page size: %lf", &width) == 1 ? width
                                                                                                    : 0;
}

// A field of pdfinfo's output without its padding ("Title", "Pages").
std::string pdfField(const std::string& info, const std::string& name) {
    const auto at = info.find(name + ":");
    if (at == std::string::npos) return {};
    const auto start = info.find_first_not_of(' ', at + name.size() + 1);
    return info.substr(start, info.find('\n', start) - start);
}
void writeToPdf(QPrinter& printer, const std::string& pdf) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
}
bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string logLine(const std::string& card, const std::string& code, const std::string& mode,
                    const std::string& time) {
    return "1;" + card + ";" + code + ";" + mode + ";1;6;2026-05-01;" + time + ";5;12;\r\n";
}

class PrintoutTest : public AppTest {
protected:
    PrintoutTest() {
        RaceRecord stage;
        stage.race_name = "Spring Cup";
        stage.stage_start = "10:00";
        stage.classes[0].class_name = "D21";
        ClassDefinition& h21 = stage.classes[1];
        h21.class_name = "H21";
        h21.cluster_penalty = 30;
        h21.cluster_answers[0] = {"A", "B", "C"};
        for (int k = 0; k < 2; ++k) {
            h21.control_flags[k] = "A-C";
            h21.control_answer[k] = "B";
            h21.answer_codes[k] = {(k + 3) * 10 + 1, (k + 3) * 10 + 2, (k + 3) * 10 + 3, 0, 0, 0, 0};
        }
        openRace(folder, stage);
        addCompetitor("7", "H21", "Fast Fred", "111");
        addCompetitor("12", "H21", "Nov\xE1k Jan", "2045117");
        writeFile(folder.file("E1/7.si"),
                  logLine("111", "1", "STA", "10:00:00") + logLine("111", "32", " CN", "10:01:00") +
                      logLine("111", "42", " CN", "10:02:00") + logLine("111", "2", "FIN", "10:03:00"));
        writeFile(folder.file("E1/12.si"), logLine("2045117", "1", "STA", "10:00:00") +
                                               logLine("2045117", "32", " CN", "10:01:05") +
                                               logLine("2045117", "43", " CN", "11:02:10") +
                                               logLine("2045117", "2", "FIN", "11:10:00"));
        writeFile(folder.file("E1/12.tc2"), "AB-;95\r\n");
        writeFile(folder.file("E1/SI2045118.si"), "");
        main = &app.mainWindow();
        results = &app.resultsWindow();
        preview = &app.printPreviewWindow();
        main->CheckBox4->setChecked(false); // no printer here
    }

    void addCompetitor(const std::string& id, const std::string& className, const std::string& name,
                       const std::string& card) {
        app.session().table.appendRow(competitorRow(id, className, name, card));
    }

    void clickItem(int row) {
        main->ListBox1->setCurrentRow(row);
        emit main->ListBox1->itemClicked(main->ListBox1->item(row));
    }

    std::vector<std::string> drawnTexts() const {
        std::vector<std::string> texts;
        for (const DrawnText& text : preview->drawing().texts)
            texts.push_back(text.text);
        return texts;
    }
    bool drawn(const std::string& text) const {
        const auto texts = drawnTexts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    TempFolder folder;
    MainWindow* main = nullptr;
    ResultsWindow* results = nullptr;
    PrintPreviewWindow* preview = nullptr;
};

TEST_F(PrintoutTest, ThePrintListShowsThePunchFilesWithTheirCompetitorsAndItsMenu) {
    const QList<QAction*> menu = main->ListBox1->actions();
    ASSERT_EQ(menu.size(), 2);
    EXPECT_EQ(str(menu[0]->text()), "Refresh");
    menu[0]->trigger();
    ASSERT_EQ(main->ListBox1->count(), 2);
    EXPECT_EQ(str(main->ListBox1->item(0)->text()), "12.si (Novák Jan)");
    EXPECT_EQ(str(main->ListBox1->item(1)->text()), "7.si (Fast Fred)");

    clickItem(0);
    EXPECT_EQ(results->printoutCompetitor(), "12");
    // A refresh keeps the chosen competitor.
    menu[0]->trigger();
    EXPECT_EQ(results->printoutCompetitor(), "12");

    EXPECT_EQ(str(menu[1]->text()), "Delete");
    menu[1]->trigger();
    EXPECT_EQ(prompt->shown, std::vector<std::string>{"Not implemented yet."});
    EXPECT_EQ(main->ListBox1->count(), 2);

    main->zoom->setValue(17);
    EXPECT_EQ(str(main->zoom->toolTip()), "17");
}

TEST_F(PrintoutTest, PrintDrawsThePreviewOfTheChosenCompetitorAndChangesNothingChosenInTheResultsWindow) {
    results->show();
    results->ListBox1->item(0)->setSelected(true); // D21 chosen before: it stays, alone
    main->onPrintListRefresh();
    clickItem(0);
    main->mezicasy_okno->setChecked(true);
    main->CheckBox3->setChecked(true);
    main->Button12->click();

    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(str(preview->windowTitle()), "Mezičasy - Novák Jan (ID:12)");
    EXPECT_TRUE(drawn("Nov\xE1k Jan"));
    EXPECT_TRUE(drawn("H21, 2045117, ID:12"));
    EXPECT_TRUE(drawn("Start: 10:00:00   Finish: 11:10:00"));
    EXPECT_TRUE(drawn("Score: 1"));
    EXPECT_TRUE(drawn("1: B"));
    EXPECT_TRUE(drawn("2: C*"));
    EXPECT_TRUE(drawn("01:05"));
    EXPECT_TRUE(drawn("TC1: A B - "));
    EXPECT_TRUE(drawn("95 +60 pen"));
    EXPECT_TRUE(drawn("Preliminary: 2. m\xEDsto z 2 v H21"));
    // Last answered control 2: H = 1, U = 136, one station: V = 136 + 16 + 40.
    EXPECT_EQ(preview->drawing().height, 192 + 100);
    EXPECT_EQ(preview->height(), 192 + 100);
    EXPECT_TRUE(results->ListBox1->item(0)->isSelected());
    EXPECT_FALSE(results->ListBox1->item(1)->isSelected());
    EXPECT_EQ(app.session().table.cell(2, column::points(1)), "1");
    preview->hide();
    results->hide();
}

TEST_F(PrintoutTest, WithoutTheWindowBoxThePreviewIsDrawnButNotShownAndNoChoiceDrawsNothing) {
    main->Button12->click(); // nobody chosen
    EXPECT_TRUE(preview->drawing().texts.empty());
    main->onPrintListRefresh();
    clickItem(1);
    main->GBR->click();
    main->Button12->click();
    EXPECT_FALSE(preview->isVisible());
    EXPECT_EQ(str(preview->windowTitle()), "Mezičasy - Fast Fred (ID:7)");
    EXPECT_TRUE(drawn("Preliminary: 1 place of 2 in H21"));
}

TEST_F(PrintoutTest, ACompetitorChosenInARaceThatIsGoneDrawsNothing) {
    main->onPrintListRefresh();
    clickItem(1);
    app.session().race.setRacePath(folder.file("gone.ravik"));
    main->Button12->click();
    EXPECT_TRUE(preview->drawing().texts.empty());
    EXPECT_FALSE(fileExists(folder.file("gone.zavodnici")));
}

TEST_F(PrintoutTest, PrintingSendsOneLandscapeJobWithTheTitleToThePrinter) {
    const std::string pdf = folder.file("slip.pdf");
    main->printoutPdfPath = QString::fromStdString(pdf);
    main->CheckBox4->setChecked(true);
    main->zoom->setValue(10);
    main->onPrintListRefresh();
    clickItem(0);
    main->Button12->click();

    ASSERT_TRUE(fileExists(pdf));
    const std::string text = pdfText(pdf);
    EXPECT_TRUE(contains(text, "Novák Jan")) << text;
    EXPECT_TRUE(contains(text, "Start: 10:00:00")) << text;
    EXPECT_TRUE(contains(text, "Finish: 11:10:00")) << text;
    EXPECT_TRUE(contains(text, "Score: 1")) << text;
    EXPECT_TRUE(contains(text, "2. místo z 2 v H21")) << text;
    EXPECT_FALSE(contains(text, "Preliminary")) << text;
    const std::string info = pdfInfo(pdf);
    EXPECT_EQ(pdfField(info, "Pages"), "1");
    EXPECT_EQ(pdfField(info, "Title"), "Ravik - Novák Jan");
    EXPECT_TRUE(isLandscape(info)) << info;

    main->CheckBox5->setChecked(true);
    main->Button12->click();
    EXPECT_FALSE(isLandscape(pdfInfo(pdf)));

    // The paper chosen beside "Rotate 90°": a receipt roll of 80 mm.
    ASSERT_EQ(main->tisk_format->count(), 3);
    EXPECT_EQ(main->tisk_format->parentWidget(), main->CheckBox5->parentWidget());
    main->tisk_format->setCurrentIndex(1);
    main->Button12->click();
    EXPECT_NEAR(pageWidth(pdfInfo(pdf)), 80 / 25.4 * 72, 0.5);
    EXPECT_TRUE(contains(pdfText(pdf), "2. místo z 2 v H21"));
}

TEST_F(PrintoutTest, WithoutAPrinterThePreviewIsDrawnAndTheLogSaysSo) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a real printer would print";
    main->CheckBox4->setChecked(true);
    main->onPrintListRefresh();
    clickItem(1);
    main->Button12->click();
    EXPECT_TRUE(drawn("Preliminary: 1. m\xEDsto z 2 v H21"));
    EXPECT_EQ(app.session().log.lastLine(), "Výtisk nebyl vytištěn: tiskárna není dostupná.");
    EXPECT_TRUE(prompt->shown.empty());
}

TEST_F(PrintoutTest, TheDrawingListPaintsOnAPdfPrinterWithItsTexts) {
    PrintoutData data;
    data.name = "\x8Aimon";
    data.className = "D21";
    data.points = 7;
    data.place = 3;
    data.placed = 12;
    data.answer[0] = "A";
    const std::string pdf = folder.file("painter.pdf");
    QPrinter printer;
    writeToPdf(printer, pdf);
    ASSERT_TRUE(printSlip(printer, printerSlip(data, {}, {.zoom = 10, .portrait = true}), "Ravik - Šimon"));
    const std::string text = pdfText(pdf);
    EXPECT_TRUE(contains(text, "Šimon")) << text;
    EXPECT_TRUE(contains(text, "Score: 7")) << text;
    EXPECT_TRUE(contains(text, "3. místo z 12 v D21")) << text;
    EXPECT_FALSE(isLandscape(pdfInfo(pdf)));
}

// pdftotext's words of the page, one blank between them.
std::string words(const std::string& text) {
    std::string joined;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        joined += (joined.empty() ? "" : " ") + word;
    return joined;
}

TEST(SlipOnPaper, TheFullSlipPrintsOnOnePageAtEveryZoomInBothOrientations) {
    TempFolder folder;
    const std::string pdf = folder.file("full.pdf");
    PrintoutOptions options{.language = Language::English};
    for (const int zoom : {1, 10, 50})
        for (const bool portrait : {false, true}) {
            SCOPED_TRACE(testing::Message() << "zoom " << zoom << (portrait ? " portrait" : " landscape"));
            QPrinter printer;
            writeToPdf(printer, pdf);
            ASSERT_TRUE(printSlip(
                printer, printerSlip(busyCompetitor(40, 20), options, {.zoom = zoom, .portrait = portrait}),
                "Ravik - full"));
            const std::string text = words(commandOutput("pdftotext -f 1 -l 1 -raw '" + pdf + "' -"));
            EXPECT_TRUE(contains(text, "Sklenářová Markéta")) << text;
            EXPECT_TRUE(contains(text, "Score: 9")) << text;
            EXPECT_TRUE(contains(text, "Time Control: 1234 s")) << text;
            EXPECT_TRUE(contains(text, "3 place of 17 in Open Elite")) << text;
            const std::string info = pdfInfo(pdf);
            EXPECT_EQ(pdfField(info, "Pages"), "1");
            EXPECT_EQ(isLandscape(info), !portrait);
        }
}

TEST(SlipOnPaper, EachLayoutPrintsOnItsPaperWithEveryTextOfTheSlip) {
    TempFolder folder;
    const std::string pdf = folder.file("layout.pdf");
    struct Case {
        PrintLayout layout;
        double widthPoints;
    };
    for (const Case& c : {Case{PrintLayout::A4, 841.89}, Case{PrintLayout::Receipt80, 80 / 25.4 * 72},
                          Case{PrintLayout::Receipt58, 58 / 25.4 * 72}}) {
        SCOPED_TRACE(c.widthPoints);
        QPrinter printer;
        writeToPdf(printer, pdf);
        const PrinterSlip slip = printerSlip(busyCompetitor(40, 20), {}, {.layout = c.layout, .zoom = 1});
        ASSERT_TRUE(printSlip(printer, slip, "Ravik - layout"));
        const std::string info = pdfInfo(pdf);
        EXPECT_EQ(pdfField(info, "Pages"), "1");
        EXPECT_NEAR(pageWidth(info), c.widthPoints, 0.5) << info;
        const std::string text = words(pdfText(pdf));
        for (const DrawnText& drawn : slip.list.texts)
            EXPECT_TRUE(contains(text, words(str(fromCp1250(drawn.text))))) << drawn.text << "\n" << text;
    }
}

TEST_F(PrintoutTest, EachNewCardIsPrintedOnceAndTheListEndsWithTheLastSelected) {
    addCompetitor("30", "H21", "Late Lucy", "300");
    const std::string log = folder.file("si.csv");
    writeFile(log, std::string(kSiLogHeader) + "\r\n" + logLine("300", "1", "STA", "10:00:00") +
                       logLine("300", "32", " CN", "10:04:00") + logLine("300", "2", "FIN", "10:09:00"));
    const std::string pdf = folder.file("readout.pdf");
    main->cestaSI->setText(QString::fromStdString(log));
    main->printoutPdfPath = QString::fromStdString(pdf);
    main->CheckBox4->setChecked(true);
    main->zoom->setValue(10);

    main->CSVjednou->click();
    ASSERT_TRUE(fileExists(folder.file("E1/30.si")));
    ASSERT_TRUE(fileExists(pdf));
    EXPECT_TRUE(contains(pdfText(pdf), "Late Lucy"));
    EXPECT_EQ(str(preview->windowTitle()), "Mezičasy - Late Lucy (ID:30)");
    EXPECT_EQ(results->printoutCompetitor(), "30");
    ASSERT_EQ(main->ListBox1->selectedItems().size(), 1);
    EXPECT_EQ(str(main->ListBox1->selectedItems().first()->text()), "30.si (Late Lucy)");

    std::remove(pdf.c_str());
    main->CSVjednou->click();
    EXPECT_FALSE(fileExists(pdf));

    // Two cards in one pass: two slips, then the list shows both, the last selected.
    addCompetitor("31", "H21", "Next Ned", "301");
    addCompetitor("32", "H21", "Last Lara", "302");
    std::string lines = readFile(log);
    for (const std::string card : {"301", "302"})
        lines += logLine(card, "1", "STA", "10:00:00") + logLine(card, "2", "FIN", "10:09:00");
    writeFile(log, lines);
    main->CSVjednou->click();
    EXPECT_EQ(str(preview->windowTitle()), "Mezičasy - Last Lara (ID:32)");
    EXPECT_EQ(results->printoutCompetitor(), "32");
    const auto texts = [&](const QList<QListWidgetItem*>& items) {
        std::vector<std::string> result;
        for (const QListWidgetItem* item : items)
            result.push_back(str(item->text()));
        return result;
    };
    EXPECT_EQ(texts(main->ListBox1->findItems(QStringLiteral("3"), Qt::MatchStartsWith)),
              (std::vector<std::string>{"30.si (Late Lucy)", "31.si (Next Ned)", "32.si (Last Lara)"}));
    EXPECT_EQ(texts(main->ListBox1->selectedItems()), std::vector<std::string>{"32.si (Last Lara)"});
}

} // namespace
} // namespace ravik::test
