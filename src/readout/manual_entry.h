#pragma once
// The manual punch entry of one competitor in the current stage: the values of
// the window's controls (combo boxes, time edits, the PreO grid prukazkaPreO and
// the timed-control grid prukazkaTempO) and what its events do with them.
// All texts are code page 1250; the window converts at its edge.
#include "core/race_record.h"

#include <array>
#include <string>
#include <vector>

namespace ravik {

class Session;

// A grid of text cells, row-major; row 0 and column 0 hold titles.
class TextGrid {
public:
    void resize(int rows, int columns);
    int rows() const { return rows_; }
    int columns() const { return columns_; }
    bool contains(int row, int column) const {
        return row >= 0 && row < rows_ && column >= 0 && column < columns_;
    }
    std::string& at(int row, int column);
    const std::string& at(int row, int column) const;

private:
    int rows_ = 0, columns_ = 0;
    std::vector<std::string> cells_;
};

// Rows of prukazkaPreO.
namespace preo {
inline constexpr int kHeader = 0, kAnswers = 1, kCodes = 2, kTime = 3, kOrder = 4, kRows = 5;
inline constexpr int kMaxOrder = 50;
} // namespace preo

// The six time edits, in the order of the time format test.
enum TimeEdit { kStartEdit, kFinishEdit, kBreak1FromEdit, kBreak2FromEdit, kBreak1ToEdit, kBreak2ToEdit };
inline constexpr int kTimeEdits = 6;

struct IdAndNameLists {
    std::vector<std::string> ids, names; // combo boxes ID and Jmeno
};

class ManualEntry {
public:
    explicit ManualEntry(Session& session);

    // Window shown: reads the competitor file, fills the lists and chooses the
    // first competitor by name. Choosing a competitor reads the current stage's
    // record. Without an open race everything is empty; throws IoError when the race
    // file has no such stage.
    void show();
    // After a save of the competitor table: the lists from its ID and name columns.
    void refillListsFromTable();

    // ID or Jmeno selected: the last table row with that ID (name) gives the other
    // combo box, the card number and the class; then the competitor is loaded.
    void chooseById(const std::string& id);
    void chooseByName(const std::string& name);
    void load();

    // Editing aids.
    void keyReleasedInPreo(int row, int column);
    void keyReleasedInTempo(int row, int column);
    void keyDown(int keyCode); // shown in the top-left cell of prukazkaPreO
    // Right arrow on a non-empty cell (in prukazkaPreO only in row 1): the column to
    // move to, or the same column when the selection stays.
    int rightArrowInPreo(int row, int column) const;
    int rightArrowInTempo(int row, int column) const;

    // "Save punch", "Save TC", "Ulož vše". Throw IoError when the file cannot be written.
    void savePunch();
    void saveTimedControls();
    void saveAll();

    // The time format test: true for each edit that turns red.
    std::array<bool, kTimeEdits> timeFormatTest() const;

    // Controls.
    IdAndNameLists lists;
    std::string id, name;                      // shown in ID and Jmeno
    std::string card, className;               // labels cip and kat
    std::string si1 = "SI1";                   // label SI1
    std::array<std::string, kTimeEdits> times; // start, cil, x1_od, x2_od, x1_do, x2_do
    std::array<bool, kTimeEdits> timeEditVisible{true, true, false, false, false, false};
    std::string date = "datum"; // SI7
    TextGrid preoGrid, tempoGrid;
    int tasks = 0; // T: task columns of prukazkaTempO
    std::string stageFolder;
    RaceRecord stage;

    int tempoTimeColumn() const { return tasks + 1; }
    std::string punchFilePath() const;
    std::string timedControlFilePath() const;

private:
    void reset(); // no race: empty lists, edits and grids
    std::vector<const ClassDefinition*> classesOfCompetitor() const;
    void chooseRow(int row);
    void layOutGrids();
    void loadPunches();
    void loadTimedControls();
    void rebuildCodes(int column);

    Session& session_;
    std::string startOffset_; // the competitor's start cell of the current stage
};

// Time format test of one edit: not empty and not 8 characters, or longer than 6
// characters with the third or sixth character not ":".
bool isBadTimeText(const std::string& text);

// stage_start ("HH:MM") plus the start offset in minutes, truncated to whole
// seconds, wrapped past midnight, as "HH:MM:SS".
std::string defaultStartTime(const std::string& stageStart, const std::string& offsetMinutes);

} // namespace ravik
