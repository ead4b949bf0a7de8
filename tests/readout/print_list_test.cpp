#include "readout/print_list.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace ravik;

TEST(PrintList, ListsPunchFilesWithTheirCompetitorsAndLeavesOutUnassignedCards) {
    test::TempFolder folder;
    for (const char* name : {"12.si", "3.si", "SI2045117.si", "12.tc2", "vysledky_E1.htm"})
        test::writeFile(folder.file(name), "");
    CompetitorTable table;
    table.setRowCount(4);
    table.setCell(1, column::kId, "12");
    table.setCell(1, column::kName, "Nov\xE1k Jan");
    table.setCell(2, column::kId, "3");
    table.setCell(2, column::kName, "Adam Petr");
    table.setCell(3, column::kId, "12");
    table.setCell(3, column::kName, "Twin");
    FolderNames names;
    EXPECT_EQ(printListItems(names.look(folder.path()), table),
              (std::vector<std::string>{"12.si (Nov\xE1k Jan) (Twin)", "3.si (Adam Petr)"}));
    EXPECT_EQ(competitorIdOfItem("12.si (Nov\xE1k Jan)"), "12");
    EXPECT_TRUE(printListItems(names.look(folder.file("missing/")), table).empty());
}

TEST(PrintList, KnowsWithoutBuildingItWhetherARefreshWouldSelectACompetitor) {
    test::TempFolder folder;
    for (const char* name : {"12.si", "7.old.si", "SI2045117.si", "12.tc2", "1.5.si", ".si"})
        test::writeFile(folder.file(name), "");
    std::filesystem::create_directory(folder.file("9.si"));
    FolderNames names;
    const FolderNames::Names* entries = names.look(folder.path());
    const std::vector<std::string> items = printListItems(entries, CompetitorTable());
    for (const std::string id : {"12", "7", "SI2045117", "1", "1.5", "", "9", "13"}) {
        const bool listed = std::any_of(items.begin(), items.end(), [&](const std::string& item) {
            return competitorIdOfItem(item) == id;
        });
        EXPECT_EQ(printListHasItemOf(entries, id), listed) << id;
    }
}
