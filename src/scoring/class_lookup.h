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

// The answer "X" voids a control or a task after a complaint: it scores nobody
// and is wrong for nobody (slot, station and task 0-based).
inline constexpr const char* kVoidAnswer = "X";
// How pages show a voided control or task: "X" in grey.
inline constexpr const char* kVoidCell = "<font color=#999999>X</font>";
bool isVoidedControl(const ClassDefinition& definition, int slot);
bool isVoidedTask(const ClassDefinition& definition, int station, int task);
// The controls of controlCount() that are not voided: the n of the relay forms.
int scoredControlCount(const ClassDefinition& definition);

} // namespace ravik
