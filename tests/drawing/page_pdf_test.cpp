// Pages laid out for paper, read back with pdftotext and pdfinfo: every competitor
// with his place, the heading on every page, nothing of 40 detailed controls cut
// at the right edge, and the page's own file never changed.
#include "drawing/page_pdf.h"

#include "core/errors.h"
#include "core/file_io.h"
#include "scoring/result_page.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <regex>
#include <sstream>

namespace ravik {
namespace {

std::string commandOutput(const std::string& command) {
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return output;
    char buffer[65536];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe.get()))
        output.append(buffer, n);
    return output;
}

// pdftotext's pages (it ends each with a form feed).
std::vector<std::string> pdfPages(const std::string& pdf) {
    std::vector<std::string> pages;
    std::istringstream text(commandOutput("pdftotext -layout '" + pdf + "' -"));
    for (std::string page; std::getline(text, page, '\f');)
        pages.push_back(page);
    return pages;
}

// A stage of one class with 40 controls, and its competitors placed 1, 2, 3, ...
std::string stagePage(int competitors, bool details) {
    RaceRecord record;
    record.race_name = "Paper Cup";
    record.stage_date = "2026-05-01";
    record.stage_place = "Brno";
    record.classes[0].class_name = "H21";
    for (int k = 0; k < kControls; ++k) {
        record.classes[0].control_flags[k] = "A-F";
        record.classes[0].control_answer[k] = "B";
    }
    std::vector<StageResult> results;
    for (int i = 1; i <= competitors; ++i) {
        StageResult result;
        result.row = i;
        result.id = i;
        result.name = "Runner " + std::to_string(i);
        result.className = "H21";
        result.nationality = "CZE";
        result.startCell = "0";
        result.eligible = true;
        result.place = i;
        result.points = kControls;
        result.raceTime = 3600 + i;
        for (int k = 0; k < kControls; ++k) {
            result.answer[k] = "B";
            result.split[k] = 60 + k;
        }
        // The last control's answer tells whether the right edge was cut.
        result.answer[kControls - 1] = "Z";
        result.wrong[kControls - 1] = true;
        results.push_back(result);
    }
    PageOptions options;
    options.scoreColumns = true;
    options.details = options.splits = details;
    options.generated = "10:00:00, 01.05.2026";
    return buildResultPage(results, record, {"H21"}, options, Language::English, "").html;
}

// Writes the page, its PDF beside it, and returns pdftotext's pages of the PDF.
std::vector<std::string> pdfOfPage(const test::TempFolder& folder, const std::string& html, int& pages,
                                   std::string& info) {
    const std::string page = folder.file("results_E1_class_H21.htm");
    writeFileAtomically(page, html);
    const std::string pdf = folder.file("results.pdf");
    pages = writePagePdf(page, pdf, Language::English);
    EXPECT_EQ(test::readFile(page), html);
    info = commandOutput("pdfinfo '" + pdf + "'");
    return pdfPages(pdf);
}

TEST(PagePdf, ALongListRunsOverManyPagesEachWithTheHeadingAndItsNumberAndEveryCompetitorWithHisPlace) {
    test::TempFolder folder;
    const int competitors = 2000;
    int pages = 0;
    std::string info;
    const std::vector<std::string> texts = pdfOfPage(folder, stagePage(competitors, false), pages, info);
    EXPECT_NE(info.find("595 x 842"), std::string::npos) << info;
    EXPECT_NE(info.find("results_E1_class_H21"), std::string::npos) << info;
    ASSERT_EQ(int(texts.size()), pages);
    EXPECT_GT(pages, 20);

    std::map<int, int> placeOf;
    for (int p = 0; p < pages; ++p) {
        SCOPED_TRACE(p + 1);
        std::istringstream lines(texts[p]);
        bool heading = false;
        for (std::string line; std::getline(lines, line);) {
            std::istringstream words(line);
            std::string place, first, number;
            words >> place >> first >> number;
            heading = heading || (place == "##" && first == "Name" && number == "Nat.");
            if (first == "Runner" && !place.empty() && place.back() == '.')
                placeOf[std::stoi(number)] = std::stoi(place);
        }
        EXPECT_TRUE(heading) << texts[p].substr(0, 1000);
        EXPECT_NE(texts[p].find("Page " + std::to_string(p + 1) + " of " + std::to_string(pages)),
                  std::string::npos);
    }
    ASSERT_EQ(int(placeOf.size()), competitors);
    for (const auto& [id, place] : placeOf)
        EXPECT_EQ(place, id);
}

TEST(PagePdf, FortyDetailedControlsAreDrawnWhollyOnLandscape) {
    test::TempFolder folder;
    int pages = 0;
    std::string info;
    const std::vector<std::string> texts = pdfOfPage(folder, stagePage(30, true), pages, info);
    EXPECT_NE(info.find("842 x 595"), std::string::npos) << info;
    ASSERT_FALSE(texts.empty());
    static const std::regex heading(R"(##\s+Name\s+Nat\.\s+Pts[^\n]*\s39\s+40\s*\n)");
    static const std::regex lastRow(R"(30\.\s+Runner 30\s+CZE\s[^\n]*\sZ\s*\n)");
    EXPECT_TRUE(std::regex_search(texts.front(), heading)) << texts.front();
    EXPECT_TRUE(std::regex_search(texts.back(), lastRow)) << texts.back();
}

TEST(PagePdf, ANarrowPageStaysPortraitOnOnePageInTheLanguageAsked) {
    const std::string html =
        " <!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n<html>\r\n<h2>Jarn\xED "
        "poh\xE1r</h2>\r\n<table border=1><tr><th>ID<th>Name\r\n<tr><td>1<td>\x8Aimon\r\n"
        "</table><p>\r\n</body>\r\n";
    const PagePdf pdf = pagePdf(html, "", "startlist_E1", Language::Czech);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_FALSE(pdf.landscape);
    test::TempFolder folder;
    writeFileAtomically(folder.file("list.pdf"), pdf.bytes);
    const std::string text = commandOutput("pdftotext -layout '" + folder.file("list.pdf") + "' -");
    EXPECT_NE(text.find("Jarní pohár"), std::string::npos) << text;
    EXPECT_NE(text.find("Šimon"), std::string::npos) << text;
    EXPECT_NE(text.find("Strana 1 z 1"), std::string::npos) << text;
}

TEST(PagePdf, APageThatCannotBeReadWritesNoPdf) {
    test::TempFolder folder;
    EXPECT_THROW(writePagePdf(folder.file("missing.htm"), folder.file("missing.pdf"), Language::English),
                 IoError);
    EXPECT_FALSE(fileExists(folder.file("missing.pdf")));
    EXPECT_EQ(pdfPathBeside("E1/results_E1_class_H21.htm"), "E1/results_E1_class_H21.pdf");
}

} // namespace
} // namespace ravik
