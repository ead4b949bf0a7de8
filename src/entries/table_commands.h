#pragma once
// Commands of the competitor window that work on the whole table: add and
// delete rows, fill missing IDs, clear results. None of them saves.
#include "core/competitor_table.h"
#include "core/language.h"

#include <string>

namespace ravik {

// Appends an empty row whose ID is the largest whole-number ID plus one ("0" when
// no ID cell holds a whole number). False, and nothing added, when the table
// already holds kMaxCompetitors rows.
bool addCompetitorRow(CompetitorTable& table);

// The caption of the pop-up item that deletes competitor row r, in UTF-8
// ("Smazat řádek 4 (12,Novák Jan)"); just "Smazat řádek" when r is no competitor row.
std::string deleteRowCaption(const CompetitorTable& table, int row, Language language);

// Removes competitor row r; rows below move up. False when r is no competitor row.
bool deleteCompetitorRow(CompetitorTable& table, int row);

// "ID+": a counter starts at 1; each empty ID cell, top to bottom, gets the
// counter after raising it past every number some ID cell holds as text.
void fillMissingIds(CompetitorTable& table);

// The mark of a disqualified competitor in a stage's disqualification cell.
inline constexpr const char* kDisqualifiedMark = "DISK";

// The first competitor row whose ID cell holds exactly `id`; 0 when none does.
int competitorRowOfId(const CompetitorTable& table, const std::string& id);

// The column a user names: its number 0 to 31, or its heading in either language
// (UTF-8, case of ASCII letters aside: "Name", "Jméno", "e2", "E2 pts", "DISK E1"); -1 for none.
int columnOfHeading(const std::string& name);

// Empties points, timed-control totals, penalties and disqualification marks of
// all stages; IDs, names, classes, cards and start offsets stay.
void clearResults(CompetitorTable& table);

} // namespace ravik
