#include "setup/grid_cells.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {

TEST(GridCells, LeavingTheControlGridUpperCasesAndWritesLoneLettersAsRanges) {
    EXPECT_EQ(normalisedFlags("c"), "A-C");
    EXPECT_EQ(normalisedFlags("a"), "A");
    EXPECT_EQ(normalisedFlags("F"), "A-F");
    EXPECT_EQ(normalisedFlags("g"), "G");
    EXPECT_EQ(normalisedFlags("a-d"), "A-D");

    ClassEditorView view;
    view.controls[0] = {"K 1", "c", "b", "31x", "", "", "", "", "", "z"};
    view.controls[20] = {"K 21", "e", "z", "", "", "", "", "", "", ""};
    normaliseControlCells(view, 0);
    EXPECT_EQ(view.controls[0], (ControlRow{"K 1", "A-C", "B", "31X", "", "", "", "", "", "Z"}));
    EXPECT_EQ(view.controls[20][controlColumn::kFlags], "e") << "the other grid is left alone";
    normaliseControlCells(view, 20);
    EXPECT_EQ(view.controls[20][controlColumn::kFlags], "A-E");
    EXPECT_EQ(view.controls[20][controlColumn::kAnswer], "Z");
}

TEST(GridCells, LeavingTheTimedControlGridUpperCasesTheAnswersButNotTheLabels) {
    ClassEditorView view;
    view.clusters[3] = {"Cluster 4", "a", "b", "", "", "", "", "", "", "z", "x"};
    upperCaseClusterCells(view);
    EXPECT_EQ(view.clusters[3], (ClusterRow{"Cluster 4", "A", "B", "", "", "", "", "", "", "Z", "X"}));
    EXPECT_EQ(view.clusters[0][0], "Cluster 1");
    EXPECT_EQ(view.controls[39][0], "K 40");
}

} // namespace
} // namespace ravik
