#include "entries/xml_entry_import.h"

#include "core/log.h"
#include "entries/closest_cp1250.h"
#include "table_builders.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {
using test::Cells;
using test::columnCells;

std::string dataFile(const std::string& name) {
    return std::string(RAVIK_SOURCE_DIR) + "/tests/entries/data/" + name;
}

struct XmlImport {
    CompetitorTable table;
    test::ScriptedPrompt prompt;
    LogLines log;
    std::vector<int> progress;
    EntryListImport run(const std::string& path, int stage = 1, Language language = Language::Czech) {
        ImportProgress bar{[this](int total) { progress.push_back(-total); },
                           [this](int done) { progress.push_back(done); }, [this] { progress.push_back(0); }};
        return importEntryListFile(table, path, stage, language, prompt, log, bar);
    }
};

TEST(XmlImport, AnEntryOnOneLineGivesTheRowOfTheEntry) {
    XmlImport import;
    const auto outcome = import.run(dataFile("one_line_entry.xml"));
    EXPECT_TRUE(outcome.read);
    ASSERT_EQ(import.table.competitorRows(), 1);
    TableRow expected;
    expected[column::kRegistration] = "ABC1234";
    expected[column::kClass] = "E";
    expected[column::kSi] = "1234567";
    expected[column::kName] = "Nov\xE1k Jan";
    expected[column::kFlag] = "CZE";
    expected[column::start(1)] = "0";
    EXPECT_EQ(import.table.row(1), expected);
    EXPECT_EQ(import.progress, (std::vector<int>{-1, 1, 0}));
    EXPECT_TRUE(import.prompt.shown.empty());
}

TEST(XmlImport, PrettyPrintedCzechListIsConvertedToTheCodePage) {
    XmlImport import;
    const auto outcome = import.run(dataFile("czech_entries_pretty.xml"), 2);
    EXPECT_EQ(outcome.entries, 4);
    EXPECT_EQ(outcome.added, 3);
    EXPECT_EQ(outcome.withoutName, 1);
    EXPECT_EQ(columnCells(import.table, column::kName), (Cells{"\xC8"
                                                               "erm\xE1kov\xE1 \x8E"
                                                               "ofie",
                                                               "\x8A\x9D"
                                                               "astn\xFD \xD8"
                                                               "eho\xF8",
                                                               "Odegard Asmund"}));
    EXPECT_EQ(columnCells(import.table, column::kRegistration), (Cells{"SKP8255", "KSB7601", "NOR0001"}));
    EXPECT_EQ(columnCells(import.table, column::kClass), (Cells{"H21 E", "Open", "Paralympic"}));
    EXPECT_EQ(columnCells(import.table, column::kSi), (Cells{"8123456", "2087001", ""}));
    EXPECT_EQ(columnCells(import.table, column::kFlag), (Cells{"CZE", "SVK", "NOR"}));
    EXPECT_EQ(columnCells(import.table, column::start(2)), (Cells{"0", "0", "0"}));
    EXPECT_EQ(columnCells(import.table, column::kId), (Cells{"", "", ""}));
    EXPECT_EQ(import.log.lines(), (Cells{"Přihlášky bez jména (přeskočeny): 1"}));
}

TEST(XmlImport, ListWrittenByAnotherEventSystem) {
    XmlImport import;
    import.run(dataFile("other_system_entries.xml"));
    EXPECT_EQ(columnCells(import.table, column::kName), (Cells{"Lindqvist Karin", "M\xE4kinen Pekka"}));
    EXPECT_EQ(columnCells(import.table, column::kRegistration), (Cells{"SWE4521", "FIN0099"}));
    EXPECT_EQ(columnCells(import.table, column::kClass), (Cells{"E", "Paralympic"}));
    EXPECT_EQ(columnCells(import.table, column::kSi), (Cells{"502211", "8000123"}));
    EXPECT_EQ(columnCells(import.table, column::kFlag), (Cells{"SWE", "FIN"}));

    XmlImport example;
    example.run(dataFile("iof_example_entry_list.xml"));
    EXPECT_EQ(columnCells(example.table, column::kName),
              (Cells{"Wood George", "Martin Edgar", "Lawson Toni"}));
    EXPECT_EQ(columnCells(example.table, column::kClass), (Cells{"Men E", "Men E", "Open"}));
    EXPECT_EQ(columnCells(example.table, column::kSi), (Cells{"794021", "", "973078"}));
    EXPECT_EQ(columnCells(example.table, column::kFlag), (Cells{"GBR", "GBR", ""}));
    EXPECT_EQ(columnCells(example.table, column::kRegistration), (Cells{"", "", ""}));
}

TEST(XmlImport, MergesByExactNameAndKeepsTheRow) {
    XmlImport import;
    TableRow row;
    row[column::kId] = "5";
    row[column::kName] = "Nov\xE1k Jan";
    row[column::kClass] = "H21";
    row[column::kSi] = "99";
    row[column::start(1)] = "12";
    import.table.appendRow(row);
    row[column::kName] = "NOV\xC1K Jan";
    import.table.appendRow(row);
    const auto outcome = import.run(dataFile("one_line_entry.xml"));
    EXPECT_EQ(outcome.matched, 1);
    ASSERT_EQ(import.table.competitorRows(), 2);
    EXPECT_EQ(import.table.cell(1, column::kSi), "1234567");
    EXPECT_EQ(import.table.cell(1, column::start(1)), "0");
    EXPECT_EQ(import.table.cell(1, column::kClass), "H21");
    EXPECT_EQ(import.table.cell(1, column::kId), "5");
    EXPECT_EQ(import.table.cell(2, column::kSi), "99");
    EXPECT_EQ(import.table.cell(2, column::start(1)), "12");
}

TEST(XmlImport, TenMillionBytesAreReadOneMoreIsRefused) {
    test::TempFolder folder;
    std::string xml = test::readFile(dataFile("one_line_entry.xml"));
    xml += std::string(kMaxEntryListBytes - xml.size(), ' ');
    test::writeFile(folder.file("big.xml"), xml);
    XmlImport import;
    EXPECT_TRUE(import.run(folder.file("big.xml")).read);
    EXPECT_EQ(import.table.competitorRows(), 1);

    test::writeFile(folder.file("bigger.xml"), xml + " ");
    XmlImport refused;
    EXPECT_FALSE(refused.run(folder.file("bigger.xml"), 1, Language::English).read);
    EXPECT_EQ(refused.prompt.shown, (Cells{"File is bigger then 10MB, unable to read. :("}));
    EXPECT_EQ(refused.table.competitorRows(), 0);
}

TEST(XmlImport, FilesThatAreNotEntryListsChangeNothing) {
    test::TempFolder folder;
    XmlImport import;
    EXPECT_FALSE(import.run(folder.file("missing.xml")).read);
    EXPECT_TRUE(import.prompt.shown.empty());

    test::writeFile(folder.file("junk.xml"), std::string("\x00\xFF\x13<<PersonEntry>>\x01", 18));
    EXPECT_FALSE(import.run(folder.file("junk.xml"), 1, Language::English).read);
    ASSERT_EQ(import.prompt.shown.size(), 1u);
    EXPECT_EQ(import.prompt.shown[0].rfind("The file is not readable XML, nothing was imported: ", 0), 0u);

    // Lists without person entries say what they are and import nothing.
    const std::vector<std::pair<std::string, std::string>> lists{
        {"<ResultList><PersonResult/></ResultList>", "result list (ResultList)"},
        {"<iof:EntryList xmlns:iof='x'><iof:TeamEntry/></iof:EntryList>", "team entry list (TeamEntry)"},
        {"<EntryList/>", "empty entry list (EntryList)"},
        {"<StartList/>", "start list (StartList)"},
        {"<CourseData/>", "XML with the root element <CourseData>"}};
    for (const auto& [xml, kind] : lists) {
        test::writeFile(folder.file("other.xml"), xml);
        import.prompt.shown.clear();
        EXPECT_FALSE(import.run(folder.file("other.xml"), 1, Language::English).read) << xml;
        EXPECT_EQ(
            import.prompt.shown,
            (std::vector<std::string>{"The file holds no person entry (PersonEntry), nothing was imported: " +
                                      folder.file("other.xml") + " (" + kind + ")"}));
    }
    import.prompt.shown.clear();
    import.run(folder.file("other.xml"), 1, Language::Czech);
    EXPECT_EQ(import.prompt.shown[0].rfind("Soubor neobsahuje žádnou přihlášku jednotlivce", 0), 0u);
    EXPECT_EQ(import.table.competitorRows(), 0);
}

TEST(XmlImport, HostileDocumentsEndCleanly) {
    // Entities declared in the document are not expanded.
    std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE l [<!ENTITY a \"aaaaaaaaaa\">";
    for (char c = 'b'; c <= 'j'; ++c) {
        std::string tenOfPrevious;
        for (int i = 0; i < 10; ++i)
            tenOfPrevious += std::string("&") + static_cast<char>(c - 1) + ";";
        laughs += std::string("<!ENTITY ") + c + " \"" + tenOfPrevious + "\">";
    }
    laughs += "]><EntryList><PersonEntry><Person><Name><Family>&j;</Family><Given>X</Given></Name></Person>"
              "</PersonEntry></EntryList>";
    const auto laughed = parseEntryList(laughs);
    ASSERT_EQ(laughed.size(), 1u);
    EXPECT_EQ(laughed[0].name, "&j; X");

    std::string deep;
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    deep += "<PersonEntry><Person><Name><Family>Deep</Family></Name></Person></PersonEntry>";
    for (int i = 0; i < 200000; ++i)
        deep += "</a>";
    const auto found = parseEntryList(deep);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "Deep");
}

TEST(XmlImport, ListsInOtherEncodings) {
    const std::string cp1250 =
        "<?xml version=\"1.0\" encoding=\"windows-1250\"?><EntryList><PersonEntry><Person>"
        "<Name><Family>\x8A\x9D"
        "astn\xFD</Family><Given>Petr</Given></Name></Person>"
        "</PersonEntry></EntryList>";
    EXPECT_EQ(parseEntryList(cp1250).at(0).name, "\x8A\x9D"
                                                 "astn\xFD Petr");

    const std::string latin1 =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><EntryList><PersonEntry><Person>"
        "<Name><Family>M\xE4kinen</Family><Given>\xC5sa</Given></Name></Person>"
        "</PersonEntry></EntryList>";
    EXPECT_EQ(parseEntryList(latin1).at(0).name, "M\xE4kinen Asa");

    const std::string prefixed =
        "<iof:EntryList xmlns:iof=\"http://www.orienteering.org/datastandard/3.0\">"
        "<iof:PersonEntry><iof:Person><iof:Name><iof:Family>A</iof:Family>"
        "<iof:Given>B</iof:Given></iof:Name></iof:Person></iof:PersonEntry></iof:EntryList>";
    EXPECT_EQ(parseEntryList(prefixed).at(0).name, "A B");
}

TEST(ClosestCodePage, KeepsWhatTheCodePageHasAndFallsBackToAscii) {
    EXPECT_EQ(utf8ToCp1250Closest("Novák Šťastný"), "Nov\xE1k \x8A\x9D"
                                                    "astn\xFD");
    EXPECT_EQ(utf8ToCp1250Closest("Ødegård Ærø œ"), "Odegard AEro oe");
    EXPECT_EQ(utf8ToCp1250Closest("Nova\xCC\x81k"), "Novak");
    EXPECT_EQ(utf8ToCp1250Closest("日本 \xFF"), "?? ?");
}

} // namespace
} // namespace ravik
