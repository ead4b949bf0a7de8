#include "setup/station_numbering.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {

using Codes = std::vector<std::string>;

ClassEditorView viewWithFlags(const std::vector<std::string>& flags) {
    ClassEditorView view;
    for (std::size_t row = 0; row < flags.size(); ++row)
        view.controls[row][controlColumn::kFlags] = flags[row];
    return view;
}

Codes codesOf(const ClassEditorView& view, int row) {
    return Codes(view.controls[row].begin() + controlColumn::kFirstCode, view.controls[row].end());
}

TEST(StationNumbering, GivesEachFlagAndZACodeInControlOrder) {
    ClassEditorView view = viewWithFlags({"A-C", "A-E", "", "A"});
    numberStations(view, 31);
    EXPECT_EQ(codesOf(view, 0), (Codes{"31", "32", "33", "", "", "", "34"}));
    EXPECT_EQ(codesOf(view, 1), (Codes{"35", "36", "37", "38", "39", "", "40"}));
    EXPECT_EQ(codesOf(view, 2), (Codes{"", "", "", "", "", "", ""}));
    EXPECT_EQ(codesOf(view, 3), (Codes{"41", "", "", "", "", "", "42"}));
}

TEST(StationNumbering, SkipsCodesThatReadAmbiguouslyUpsideDown) {
    EXPECT_EQ(nextStationCode(65), 67);
    EXPECT_EQ(nextStationCode(67), 69);
    EXPECT_EQ(nextStationCode(85), 87);
    EXPECT_EQ(nextStationCode(88), 90);
    EXPECT_EQ(nextStationCode(97), 100);
    EXPECT_EQ(nextStationCode(31), 32);

    ClassEditorView view = viewWithFlags({"A-B", "A"});
    numberStations(view, 64);
    EXPECT_EQ(codesOf(view, 0), (Codes{"64", "65", "", "", "", "", "67"}));
    EXPECT_EQ(codesOf(view, 1), (Codes{"69", "", "", "", "", "", "70"}));
}

TEST(StationNumbering, UsesASkippedFirstCodeUnchanged) {
    ClassEditorView view = viewWithFlags({"A"});
    numberStations(view, 66);
    EXPECT_EQ(codesOf(view, 0), (Codes{"66", "", "", "", "", "", "67"}));
}

TEST(StationNumbering, ClearsOldCodesAndGivesUnknownFlagsOnlyAZCode) {
    ClassEditorView view = viewWithFlags({"X", "", "A-B"});
    view.controls[1][controlColumn::kFirstCode] = "99";
    view.controls[39][controlColumn::kFlags] = "A-F";
    numberStations(view, 100);
    EXPECT_EQ(codesOf(view, 0), (Codes{"", "", "", "", "", "", "100"}));
    EXPECT_EQ(codesOf(view, 1), (Codes{"", "", "", "", "", "", ""}));
    EXPECT_EQ(codesOf(view, 2), (Codes{"101", "102", "", "", "", "", "103"}));
    EXPECT_EQ(codesOf(view, 39), (Codes{"104", "105", "106", "107", "108", "109", "110"}));
}

TEST(StationNumbering, CountsFlagsOnlyForTheKnownTexts) {
    EXPECT_EQ(flagCount("A"), 1);
    EXPECT_EQ(flagCount("A-B"), 2);
    EXPECT_EQ(flagCount("A-F"), 6);
    EXPECT_EQ(flagCount("A-G"), 0);
    EXPECT_EQ(flagCount("B"), 0);
    EXPECT_EQ(flagCount(""), 0);
}

} // namespace
} // namespace ravik
