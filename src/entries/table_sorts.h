#pragma once
// The sorts of the competitor table's pop-up menu. Whole rows move, the heading
// row stays, no row is ever lost.
#include "core/competitor_table.h"
#include "core/language.h"

#include <array>
#include <optional>
#include <string>

namespace ravik {

// The class names of the stage record's nine slots (code page 1250, empty = free slot).
using ClassSlots = std::array<std::string, 9>;

// Key of a numeric sort: the cell as a decimal number (point or comma) times 100,
// cut to a whole number; nullopt for an empty cell or one that is not a number.
std::optional<long long> numericSortKey(const std::string& cell);

// Ascending by key; rows with equal keys in the order the exchange scan meets
// them; rows without a key end below all others.
void sortNumeric(CompetitorTable& table, int col);

// The rows of each slot's class in slot order (an empty class cell belongs to the
// first empty slot); rows of any other class end below.
void sortByClassSlots(CompetitorTable& table, const ClassSlots& slots);

// Ascending by plain byte order of the code page 1250 text, empty cells first.
void sortText(CompetitorTable& table, int col);

// Pop-up menu items 1 to 10: ID, E1..E5, class, name, relay, country.
inline constexpr int kFirstSortItem = 1;
inline constexpr int kLastSortItem = 10;
std::string sortItemCaption(int item, Language language);
// Runs the sort of the pop-up item; false for an item that is no sort.
bool sortByMenuItem(CompetitorTable& table, int item, const ClassSlots& slots);

} // namespace ravik
