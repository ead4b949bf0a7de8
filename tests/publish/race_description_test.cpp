#include "core/competitor_file.h"
#include "core/log.h"
#include "core/race_file.h"
#include "entries/entry_merge.h"
#include "program_run.h"
#include "publish/race_description.h"
#include "publish/race_web_folder.h"
#include "publish_fixture.h"

#include <gtest/gtest.h>

namespace ravik::test {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(RaceDescription, AnImportedNameCannotAddARowNorCarryControlCharactersAnywhere) {
    CompetitorTable table;
    table.setHeadings(Language::English);
    const std::string forged = std::string("Forged\r\n999;Elite;Forged Row;A;B;\x1B[2J\0x", 39);
    ImportedCompetitor imported;
    imported.id = "1";
    imported.competitorClass = "A;B";
    imported.name = forged;
    ASSERT_EQ(mergeImportedCompetitor(table, imported, 1), MergeOutcome::Added);
    const std::string& stored = table.cell(1, column::kName);
    EXPECT_EQ(stored, std::string("Forged  999;Elite;Forged Row;A;B; [2J x"));

    table.setCell(1, column::kName, forged); // typed, or from an older file
    const auto lines = linesOf(raceDescription("heslo1", publishingStage(), table));
    EXPECT_EQ(lines.back(), "1;A B;Forged  999 Elite Forged Row A B  [2J x;");
    EXPECT_EQ(lines.size(), 1u + 9 * 21 + 1);

    // The command line's listing is one line per competitor, with no byte for the terminal to obey.
    TempFolder folder;
    RaceRecord stage;
    stage.classes[0].class_name = "A";
    createRaceFile(folder.file("r.ravik"), stage);
    LogLines log;
    saveCompetitorTable(folder.file("r.zavodnici"), table, log);
    const ProgramRun listing = runCli({"competitors", folder.file("r.ravik")}, Streams::Together);
    ASSERT_EQ(listing.exitCode, 0);
    const std::string& text = listing.output;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
    EXPECT_EQ(text.find('\x1B'), std::string::npos);
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(RaceDescription, HidesTheAnswersAndListsEveryTableRow) {
    CompetitorTable table;
    fillTable(table);
    const std::string text = raceDescription("heslo1", publishingStage(), table);
    const auto lines = linesOf(text);
    ASSERT_EQ(lines.size(), 1u + 9 * 21 + 3);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(lines[0], "heslo1");
    EXPECT_EQ(lines[1], "A");
    EXPECT_EQ(lines[2], "*;*;*;;;;;;;;");
    EXPECT_EQ(lines[3], "*;*;*;*;;;;;;;");
    // Tasks in slots 1 and 2 and "X" in slot 10.
    EXPECT_EQ(lines[4], "*;*;;;;;;;;*;");
    EXPECT_EQ(lines[5], ";;;;;;;;;;");
    EXPECT_EQ(lines[22], "B");
    EXPECT_EQ(lines[23], "*;;;;;;;;;;");
    EXPECT_EQ(lines[43], ""); // the empty third slot
    EXPECT_EQ(cp1250ToUtf8(lines[190]), "17;A;Novák Jan;");
    EXPECT_EQ(cp1250ToUtf8(lines[192]), "19;A;Dvořák Ivo;");
    EXPECT_EQ(lines[191], "18;B;Svoboda Petr;");
}

TEST(FolderIndexPage, HasItsThirtyLinesExactlyWithTheirBlanks) {
    const auto lines = linesOf(folderIndexPage());
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_EQ(lines[0], "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">");
    EXPECT_EQ(lines[2],
              "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">");
    EXPECT_EQ(lines[8], " .normal A:visited {text-decoration: none; color: #707070; font-weight: bold; } ");
    EXPECT_EQ(lines[13], "<h3>Ravik file list</h3> ");
    EXPECT_EQ(lines[17], "while ($soubor = readdir($adresar))  ");
    EXPECT_EQ(
        lines[19],
        " $koncovka=$soubor[strlen($soubor)-3].$soubor[strlen($soubor)-2].$soubor[strlen($soubor)-1]; ");
    EXPECT_EQ(lines[22], "   if ($koncovka=='htm') {$i++;$seznam[$i]=$soubor;  }  ");
    // File names are printed escaped, byte for byte whatever their code page.
    EXPECT_EQ(lines[26], "for ($j=0;$j<=$i;$j++) {echo ('<a "
                         "href=\"'.htmlspecialchars(rawurlencode($seznam[$j]),ENT_QUOTES,'ISO-8859-1').'\">'."
                         "htmlspecialchars($seznam[$j],ENT_QUOTES,'ISO-8859-1').'</a><br/>'); } ");
    EXPECT_EQ(lines[27], "if ($i<0) {echo'Empty';} ");
    EXPECT_EQ(lines[28], "?> ");
    EXPECT_EQ(lines[29], "</body>");
}

TEST(RaceWebFolderName, IsNamedByUserStageDateAndStage) {
    EXPECT_EQ(raceWebFolder("club", "2023-05-13", "1"), "www/ravik/results/club/2023-05-13E1");
    EXPECT_EQ(publicRaceAddress("https://r.example/", "club", "2023-05-13", "2"),
              "https://r.example/ravik/results/club/2023-05-13E2");
}

} // namespace
} // namespace ravik::test
