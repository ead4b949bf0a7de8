#pragma once
// The result of one competitor in one stage, computed afresh by every result run
// from the competitor table, the stage record and the competitor's punch and
// timed-control files. Texts are code page 1250, as the table holds them.
#include "core/race_record.h"
#include "scoring/stage_status.h"

#include <array>
#include <cstdint>
#include <string>

namespace ravik {

struct StageResult {
    bool operator==(const StageResult&) const = default;

    // Where the entry came from.
    int row = 0;           // competitor-table row (1-based; row 0 is the heading)
    int classSlot = -1;    // slot of the competitor's class in the stage record (last of that name); -1 none
    std::int32_t id = 0;   // "ID"; 0 when the cell is empty
    std::string name;      // "Jméno"
    std::string className; // "Kategorie"
    std::string registration; // "Registračka"
    std::string nationality;  // "Vlajka", at most 3 characters
    std::string startCell;    // the stage's start column; empty = neither ranked nor written back
    std::int32_t relay = 0;   // "Štafeta"; 0 when the cell is empty
    // "DISK" in the stage's disqualification cell wins over the files' DNS and DNF:
    // a disqualified competitor may never have had his card read out.
    StageStatus status = StageStatus::Ok;

    // Ranking.
    bool eligible = false;  // class selected and start cell not empty
    std::int32_t place = 0; // 0 = not ranked

    // PreO.
    std::int32_t points = 0;
    std::array<std::string, kControls> answer;      // letters punched at each control, at most 3, punch order
    std::array<std::int32_t, kControls> sequence{}; // running number of the last punch at the slot; 0 = none
    std::array<bool, kControls> notCounted{};       // ordered mode: the slot scored no point
    std::array<std::int32_t, kControls> split{};    // seconds from the previous matched punch
    std::array<bool, kControls> wrong{};            // answer differs from the correct one
    std::int32_t break1 = 0, break2 = 0;            // seconds
    std::int32_t raceTime = 0;                      // finish - start - breaks, seconds
    std::int32_t overtime = 0;                      // over-time penalty units
    std::string start, finish; // punched times of day, at most 10 characters; empty = none

    // TempO (timed controls).
    std::array<std::int32_t, kClusters> tcTime{};                           // seconds, as read
    std::array<std::array<std::string, kClusterSlots>, kClusters> tcAnswer; // one character or empty
    std::array<std::int32_t, kClusters> tcPenalty{};                        // seconds
    std::array<std::array<bool, kClusterSlots>, kClusters> tcWrong{};       // wrong or missing
    std::int32_t tcSum = 0;                                                 // station times scored, seconds
    std::int32_t total = 0; // tcSum + penalties (+ TempO-style seconds), the second ranking key
    // PreO Sprint class: overtime holds the over-time points and total the ranking
    // time (course time x the class's time factor).
    bool sprint = false;

    // The first ranking key.
    std::int32_t netScore() const { return points - overtime; }
    bool disqualified() const { return status == StageStatus::Disqualified; }
};

} // namespace ravik
