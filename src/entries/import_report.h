#pragma once
// What an import did, in the log: the rows added per class, and every class of
// those rows that the stage does not have (its competitors would not be scored).
#include "core/language.h"

#include <string>
#include <vector>

namespace ravik {

class Log;
class RaceContext;

// "Added competitors per class: H21 3, D21 1" (or ": none"), then for each class
// the stage lacks "2 competitors of class "H35" are in no class of stage 1".
// `addedClasses` holds the class cell of every row added (code page 1250).
void logImportedClasses(const std::vector<std::string>& addedClasses, const RaceContext& race, int stage,
                        Language language, Log& log);

} // namespace ravik
