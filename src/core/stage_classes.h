#pragma once
// Competitors whose class is none of a stage's classes: the stage's scoring
// passes them by, so imports, the read-out and definition checks name them.
#include "core/language.h"
#include "core/race_record.h"

#include <string>
#include <vector>

namespace ravik {

struct ClassCount {
    std::string className; // code page 1250, as in the "Kategorie" cell; may be empty
    int competitors = 0;
};

// The competitors of each class name (one entry per competitor, code page 1250),
// in the order of first appearance.
std::vector<ClassCount> countPerClass(const std::vector<std::string>& competitorClasses);

// Counts the given competitors' class names (one entry per competitor, code page
// 1250) that are no class name of the stage, one entry per class name in the
// order of first appearance. A stage class slot with an empty name is no class.
std::vector<ClassCount> classesOutsideStage(const std::vector<std::string>& competitorClasses,
                                            const RaceRecord& stage);

// "3 competitors of class "Men E" are in no class of stage 1" (UTF-8).
std::string classOutsideStageMessage(const ClassCount& outside, int stage, Language language);

} // namespace ravik
