#include "setup/definition_checks.h"

#include "core/cp1250.h"
#include "core/text_fill.h"
#include "core/texts/jury_texts.h"
#include "setup/station_numbering.h"

#include <map>

namespace ravik {
namespace {

constexpr const char kAnswerLetters[] = "ABCDEFZ";
constexpr int kZ = kAnswersPerControl - 1;

std::string filled(Language language, const Text& wording, const std::vector<std::string>& values) {
    return fillIn(tr(language, wording), values);
}

bool hasTasks(const ClassDefinition& definition) {
    for (const auto& station : definition.cluster_answers)
        for (int task = 0; task < kClusterSlots - 1; ++task)
            if (!station[task].empty()) return true;
    return false;
}

bool hasStations(const ClassDefinition& definition) {
    for (const auto& station : definition.cluster_answers)
        if (!station[0].empty()) return true;
    return false;
}

constexpr std::int32_t kSprintLongestLimit = 30; // minutes

void sprintWarnings(const ClassDefinition& definition, const std::string& className, Language language,
                    std::vector<std::string>& warnings) {
    for (int slot = 0; slot < kControls; ++slot) {
        const std::string flags = cp1250ToUtf8(definition.control_flags[slot]);
        if (!flags.empty() && flags != "A")
            warnings.push_back(
                filled(language, texts::kWarnSprintFlags, {className, std::to_string(slot + 1), flags}));
    }
    if (hasStations(definition))
        warnings.push_back(filled(language, texts::kWarnSprintTimedControls, {className}));
    if (definition.time_limit > kSprintLongestLimit)
        warnings.push_back(
            filled(language, texts::kWarnSprintLimit, {className, std::to_string(definition.time_limit)}));
}

} // namespace

std::vector<std::string> definitionWarnings(const ClassDefinition& definition, Language language) {
    std::vector<std::string> warnings;
    const std::string className = cp1250ToUtf8(definition.class_name);
    std::map<std::int32_t, std::string> codeAt; // code -> "3A"
    for (int slot = 0; slot < kControls; ++slot) {
        const std::string control = std::to_string(slot + 1);
        const std::string flags = cp1250ToUtf8(definition.control_flags[slot]);
        const std::string answer = cp1250ToUtf8(definition.control_answer[slot]);
        const int flagsThere = flagCount(definition.control_flags[slot]);
        if (!flags.empty() && answer.empty())
            warnings.push_back(filled(language, texts::kWarnFlagsWithoutAnswer, {className, control}));
        // "Z" (none of the flags) and "X" (voided) suit every range.
        if (flagsThere > 0 && answer.size() == 1 && answer[0] >= 'A' && answer[0] <= 'F' &&
            answer[0] - 'A' >= flagsThere)
            warnings.push_back(
                filled(language, texts::kWarnAnswerOutsideFlags, {className, control, answer, flags}));
        for (int position = 0; position < kAnswersPerControl; ++position) {
            const std::int32_t code = definition.answer_codes[slot][position];
            if (code == 0) continue;
            const std::string letter(1, kAnswerLetters[position]);
            if (position != kZ && flagsThere > 0 && position >= flagsThere)
                warnings.push_back(
                    filled(language, texts::kWarnCodeOutsideFlags, {className, control, letter, flags}));
            const auto [first, fresh] = codeAt.try_emplace(code, control + letter);
            if (!fresh)
                warnings.push_back(
                    filled(language, texts::kWarnCodeTwice,
                           {className, std::to_string(code), first->second, control + letter}));
        }
    }
    if (definition.cluster_penalty == 0 && hasTasks(definition))
        warnings.push_back(filled(language, texts::kWarnTasksWithoutPenalty, {className}));
    if (definition.rules.sprint()) sprintWarnings(definition, className, language, warnings);
    return warnings;
}

std::vector<std::string> stageDefinitionWarnings(const RaceRecord& record, Language language) {
    std::vector<std::string> warnings;
    for (const ClassDefinition& definition : record.classes) {
        if (definition.class_name.empty()) continue;
        auto more = definitionWarnings(definition, language);
        warnings.insert(warnings.end(), more.begin(), more.end());
    }
    return warnings;
}

} // namespace ravik
