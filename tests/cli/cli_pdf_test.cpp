// The PDF copies of the pages from ravik-cli (--pdf), what a build without Qt
// says instead, and what ravik-cli links: never the windows' libraries.
#include "core/cp1250.h"
#include "core/file_io.h"
#include "program_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace ravik {
namespace {

struct Outcome {
    std::string output; // stdout and stderr
    int status = -1;
};

using Words = std::vector<std::string>;

Outcome outcomeOf(const test::ProgramRun& run) {
    return {run.output, run.exitCode};
}

Outcome run(const Words& words) {
    return outcomeOf(test::runProgram(words, test::Streams::Together));
}

Outcome runCli(const Words& arguments) {
    return outcomeOf(test::runCli(arguments, test::Streams::Together));
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The sample race with its cards of stage 1 read.
class CliPdf : public ::testing::Test {
protected:
    CliPdf() {
        race = folder.file("Sample.ravik");
        runCli({"demo", folder.path()});
        runCli({"readout", race, "--stage", "1", "--log", folder.file("SIlog_E1.csv")});
    }
    test::TempFolder folder;
    std::string race;
};

#if RAVIK_CLI_DRAWS

Words with(Words words, const Words& more) {
    words.insert(words.end(), more.begin(), more.end());
    return words;
}

TEST_F(CliPdf, EveryPageCommandWritesThePdfOfItsPageWithWhatThePageLists) {
    struct Case {
        Words arguments;
        std::string page;
        std::vector<std::string> listed; // as pdftotext reads them, in this order
    };
    const std::string e1 = folder.file("E1/");
    const Case cases[] = {
        {{"results", race, "--stage", "1", "--classes", "Elite", "--columns", "--details", "--lang", "GBR"},
         e1 + "results_E1_class_Elite.htm",
         {"Class results Elite", "##", "Name", "1.", "Page 1 of"}},
        {{"results", race, "--stage", "1", "--classes", "Elite", "--relay", "teams", "--lang", "CZE"},
         e1 + "vysledky_stafet_E1_kategorie_Elite.htm",
         {"Výsledky štafet kategorie Elite", "Strana 1 z"}},
        {{"overall", race, "--stages", "1", "--classes", "Elite"},
         folder.file("overall_results_E1_class_Elite.htm"),
         {"Final results Elite", "Total", "1.", "Page 1 of"}},
        {{"startlist", race, "--stage", "1"},
         e1 + "startlist_E1.htm",
         {"Start list - E1", "START", "Page 1 of"}},
        {{"stats", race, "--stage", "1", "--classes", "Elite", "--lang", "GBR"},
         e1 + "statistics_E1_class_Elite.htm",
         {"Answer statistics - class Elite", "Correct", "Page 1 of"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(test::commandLine(c.arguments));
        const std::string pdf = folder.file("list.pdf");
        std::remove(pdf.c_str());
        const Outcome outcome = runCli(with(c.arguments, {"--pdf", pdf}));
        EXPECT_EQ(outcome.status, 0) << outcome.output;
        EXPECT_TRUE(contains(outcome.output, c.page + "\n" + pdf + "\n")) << outcome.output;
        const std::string text = run({"pdftotext", "-layout", pdf, "-"}).output;
        std::size_t at = 0;
        for (const std::string& part : c.listed) {
            at = text.find(part, at);
            ASSERT_NE(at, std::string::npos) << part << "\n" << text;
        }
    }
}

TEST_F(CliPdf, TheStageListPdfHoldsEveryCompetitorOfThePageWithHisPlace) {
    const std::string pdf = folder.file("results.pdf");
    const Outcome outcome =
        runCli({"results", race, "--stage", "1", "--classes", "Elite,Open", "--lang", "GBR", "--pdf", pdf});
    ASSERT_EQ(outcome.status, 0) << outcome.output;
    // Place and name as the page writes them: "<tr><td bgcolor=#EEEEEE>3.<TD ...>" then the name line.
    const std::string page = test::readFile(folder.file("E1/results_E1_class_Elite+Open.htm"));
    std::string text = run({"pdftotext", "-layout", pdf, "-"}).output;
    text.erase(std::unique(text.begin(), text.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
               text.end()); // runs of spaces as one
    const std::string marker = "<tr><td bgcolor=#EEEEEE>";
    int listed = 0;
    for (std::size_t at = page.find(marker); at != std::string::npos; at = page.find(marker, at + 1)) {
        const std::size_t placeEnd = page.find("<TD", at);
        const std::string place = page.substr(at + marker.size(), placeEnd - at - marker.size());
        const std::size_t nameStart = page.find("<td>", placeEnd) + 4;
        const std::string name = page.substr(nameStart, page.find("<td", nameStart) - nameStart);
        EXPECT_TRUE(contains(text, place + " " + cp1250ToUtf8(name))) << place << " " << name;
        ++listed;
    }
    EXPECT_GT(listed, 20);
}

TEST(CliLinks, RavikCliLinksNeitherTheWidgetsNorTheBrowserEngine) {
    const Outcome ldd = run({"ldd", test::cliPath()});
    ASSERT_EQ(ldd.status, 0) << ldd.output;
    EXPECT_TRUE(contains(ldd.output, "libQt6Gui")) << ldd.output;
    EXPECT_FALSE(contains(ldd.output, "Widgets")) << ldd.output;
    EXPECT_FALSE(contains(ldd.output, "WebEngine")) << ldd.output;
    EXPECT_FALSE(contains(ldd.output, "PrintSupport")) << ldd.output;
}

#else

TEST_F(CliPdf, TheDrawingCommandsSayTheyAreNotInThisBuildInEitherLanguage) {
    const std::string english =
        "This build of ravik-cli cannot draw (printout, --pdf): it was built without Qt.";
    const std::string czech = "Tato verze ravik-cli neumí kreslit (výtisk, --pdf): byla sestavena bez Qt.";
    struct Case {
        Words arguments;
        std::string message;
    };
    const Case cases[] = {
        {{"printout", race, "--stage", "1", "--id", "3"}, english},
        {{"printout", race, "--stage", "1", "--id", "3", "--lang", "CZE"}, czech},
        {{"results", race, "--stage", "1", "--classes", "Elite", "--pdf", "x.pdf"}, czech},
        {{"results", race, "--stage", "1", "--classes", "Elite", "--lang", "GBR", "--pdf", "x.pdf"}, english},
        {{"stats", race, "--stage", "1", "--classes", "Elite", "--pdf", "x.pdf"}, czech},
        {{"overall", race, "--stages", "1", "--classes", "Elite", "--pdf", "x.pdf"}, english},
        {{"startlist", race, "--stage", "1", "--pdf", "x.pdf"}, english},
    };
    for (const Case& c : cases) {
        const Outcome outcome = runCli(c.arguments);
        EXPECT_EQ(outcome.status, 1) << test::commandLine(c.arguments);
        EXPECT_EQ(outcome.output, "ravik-cli: " + c.message + "\n") << test::commandLine(c.arguments);
    }
    EXPECT_FALSE(fileExists(folder.file("E1/startlist_E1.htm")));
}

TEST(CliLinks, RavikCliWithoutQtLinksNoQt) {
#ifdef _WIN32
    GTEST_SKIP() << "ldd lists the libraries of a Linux program; the Windows one links everything statically";
#endif
    const Outcome ldd = run({"ldd", test::cliPath()});
    ASSERT_EQ(ldd.status, 0) << ldd.output;
    EXPECT_FALSE(contains(ldd.output, "libQt6")) << ldd.output;
}

#endif

} // namespace
} // namespace ravik
