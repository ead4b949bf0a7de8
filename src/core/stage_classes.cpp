#include "core/stage_classes.h"

#include "core/cp1250.h"
#include "core/texts/core_texts.h"

#include <algorithm>

namespace ravik {

std::vector<ClassCount> countPerClass(const std::vector<std::string>& competitorClasses) {
    std::vector<ClassCount> counts;
    for (const std::string& name : competitorClasses) {
        const auto known = std::find_if(counts.begin(), counts.end(),
                                        [&](const ClassCount& counted) { return counted.className == name; });
        if (known != counts.end())
            ++known->competitors;
        else
            counts.push_back({name, 1});
    }
    return counts;
}

std::vector<ClassCount> classesOutsideStage(const std::vector<std::string>& competitorClasses,
                                            const RaceRecord& stage) {
    const auto isStageClass = [&](const std::string& name) {
        return !name.empty() && std::any_of(stage.classes.begin(), stage.classes.end(),
                                            [&](const ClassDefinition& c) { return c.class_name == name; });
    };
    std::vector<ClassCount> outside = countPerClass(competitorClasses);
    std::erase_if(outside, [&](const ClassCount& counted) { return isStageClass(counted.className); });
    return outside;
}

std::string classOutsideStageMessage(const ClassCount& outside, int stage, Language language) {
    const int count = outside.competitors;
    const bool one = count == 1, few = count >= 2 && count <= 4;
    const Text& competitors = one   ? texts::kOneCompetitorOfClass
                              : few ? texts::kFewCompetitorsOfClass
                                    : texts::kCompetitorsOfClass;
    const Text& inNoClass = one   ? texts::kIsInNoClassOfStage
                            : few ? texts::kFewAreInNoClassOfStage
                                  : texts::kAreInNoClassOfStage;
    return std::to_string(count) + tr(language, competitors) + cp1250ToUtf8(outside.className) +
           tr(language, inNoClass) + std::to_string(stage);
}

} // namespace ravik
