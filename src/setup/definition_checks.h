#pragma once
// Checks of a class definition that point at an organiser's mistake: warnings
// for the log box (UTF-8, in the language), never a refusal.
#include "core/language.h"
#include "core/race_record.h"

#include <string>
#include <vector>

namespace ravik {

// A correct answer outside the flag range, a station code for a flag the control
// does not have, a control with flags but no answer, one station code on two
// answers or two controls, timed-control tasks with penalty 0; a PreO Sprint with
// flags other than "A", timed-control stations or a limit above 30 minutes.
std::vector<std::string> definitionWarnings(const ClassDefinition& definition, Language language);

// The warnings of every named class of the stage, in class order.
std::vector<std::string> stageDefinitionWarnings(const RaceRecord& record, Language language);

} // namespace ravik
