#pragma once
// Finding a competitor's class in the stage record and the column counts of the pages.
#include "core/race_record.h"

#include <string>
#include <vector>

namespace ravik {

// Slot (0..8) of the class with that name; of several with the name the last.
// -1 for an empty name or a class the stage does not define.
int classSlotOf(const RaceRecord& record, const std::string& className);

// Whether the name is one of the selected classes.
bool isSelected(const std::vector<std::string>& selectedClasses, const std::string& className);

// Highest control slot (1..40) with a flag range, 0 when none.
int controlCount(const ClassDefinition& definition);
// Number of timed-control stations whose first correct answer is not empty.
int stationCount(const ClassDefinition& definition);
// A station whose tenth cell is "X" is switched off (station 0-based).
bool isSwitchedOff(const ClassDefinition& definition, int station);

} // namespace ravik
