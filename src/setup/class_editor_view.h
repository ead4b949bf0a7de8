#pragma once
// The values of the class editor's controls ("Závod"), as texts in code page 1250.
// The window copies its controls into this view before a command and shows the
// view after it; the rules work on the view alone.
#include "core/race_record.h"

#include <array>
#include <string>
#include <vector>

namespace ravik {

inline constexpr int kClusterGridColumns = 11; // "Cluster n", tasks 1..9, "X"
inline constexpr int kControlGridColumns = 10; // "K n", flags, answer, codes A..F, Z
inline constexpr int kControlGridRows = 20;    // XStringGrid2: controls 1..20, XStringGrid3: 21..40
inline constexpr int kDefaultFirstCode = 31;

namespace controlColumn {
inline constexpr int kFlags = 1;
inline constexpr int kAnswer = 2;
inline constexpr int kFirstCode = 3; // codes of answers A..F, Z in columns 3..9
} // namespace controlColumn

using ClusterRow = std::array<std::string, kClusterGridColumns>;
using ControlRow = std::array<std::string, kControlGridColumns>;

struct ClassEditorView {
    // Stage header.
    std::string etapa;                   // editor stage label
    std::vector<std::string> stageItems; // seznam_etap: "1".."N"
    std::string raceName;                // zavod_nazev
    std::string stageDate;               // zavod_datum
    std::string stagePlace;              // zavod_misto
    std::string stageStart;              // zavod_start

    std::array<std::string, kClassSlots> classList; // seznam_kategorii, row r = slot r+1
    std::string kategorie;                          // name of the class being edited
    std::vector<std::string> copyItems;             // ComboBox1's list
    std::string copyText;                           // ComboBox1's text

    std::array<ClusterRow, kClusters> clusters; // XStringGrid1 (column 0 = row label)
    std::array<ControlRow, kControls> controls; // rows 0..19 XStringGrid2, 20..39 XStringGrid3

    std::string penalty;                                       // cas_penalizace
    std::string limit;                                         // limit
    std::string break1From;                                    // P1od
    std::string break1To;                                      // P1do
    std::string break2From;                                    // P2od
    std::string break2To;                                      // P2do
    std::string firstCode = std::to_string(kDefaultFirstCode); // pSI
    // The class's format, kept in the race's own Ravik file.
    std::string format = "preo";        // sprint_format: "preo" or "preo-sprint"
    std::string timeFactor = "1";       // sprint_factor; empty = 1
    std::string overtimeSeconds = "60"; // sprint_overtime; empty = 60

    ClassEditorView();
};

// Row labels: "Cluster 1".."Cluster 20" and "K 1".."K 40".
std::string clusterRowLabel(int row);
std::string controlRowLabel(int row);

} // namespace ravik
