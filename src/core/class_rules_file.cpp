#include "core/class_rules_file.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/texts/core_texts.h"

#include <nlohmann/json.hpp>

#include <stdexcept>

namespace ravik {
namespace {

using nlohmann::json;

// Far beyond five stages of nine classes: anything larger is not this file.
constexpr std::int64_t kMaxFileBytes = 1024 * 1024;
constexpr int kFileVersion = 1;

[[noreturn]] void fail(const std::string& problem) {
    throw std::runtime_error(problem);
}

const json& field(const json& object, const char* name, const std::string& place) {
    if (!object.is_object()) fail(place + " is not an object");
    const auto found = object.find(name);
    if (found == object.end()) fail(place + "." + name + " is missing");
    return *found;
}

std::int64_t wholeNumber(const json& value, const std::string& place, std::int64_t low, std::int64_t high) {
    if (!value.is_number_integer()) fail(place + " is not a whole number");
    const auto number = value.get<std::int64_t>();
    if (number < low || number > high)
        fail(place + " is not from " + std::to_string(low) + " to " + std::to_string(high));
    return number;
}

ClassRulesEntry decodeEntry(const json& object, const std::string& place) {
    ClassRulesEntry entry;
    const json& name = field(object, "class_name", place);
    if (!name.is_string()) fail(place + ".class_name is not a text");
    entry.className = utf8ToCp1250(name.get<std::string>());
    const json& format = field(object, "format", place);
    const auto kind = format.is_string() ? formatFromName(format.get<std::string>()) : std::nullopt;
    if (!kind) fail(place + ".format is not \"preo\" or \"preo-sprint\"");
    entry.rules.format = *kind;
    if (object.contains("time_factor")) {
        const json& factor = object["time_factor"];
        if (!factor.is_number() || !validTimeFactor(factor.get<double>()))
            fail(place + ".time_factor is not a number above 0 and at most 100");
        entry.rules.time_factor = factor.get<double>();
    }
    if (object.contains("overtime_seconds_per_point"))
        entry.rules.overtime_seconds_per_point = static_cast<std::int32_t>(
            wholeNumber(object["overtime_seconds_per_point"], place + ".overtime_seconds_per_point", 1,
                        kMaxOvertimeSecondsPerPoint));
    return entry;
}

bool anyEntry(const std::array<StageClassEntries, kMaxStages>& stages) {
    for (const StageClassEntries& stage : stages)
        for (const auto& entry : stage)
            if (entry) return true;
    return false;
}

// Before a damaged file is replaced, its bytes are kept beside it.
void keepDamagedCopy(const std::string& path) {
    writeFileAtomically(path + ".damaged", readWholeFile(path, kMaxFileBytes));
}

void writeEntries(const std::string& racePath, const std::array<StageClassEntries, kMaxStages>& stages,
                  const ClassRulesFile& before) {
    const std::string path = classRulesPath(racePath);
    const bool exists = fileSize(path) >= 0;
    if (!exists && !anyEntry(stages)) return;
    if (exists && !before.damage.empty()) {
        try {
            keepDamagedCopy(path);
        } catch (const IoError&) {
            // Unreadable or too large: nothing of it can be kept, and nothing of it was used.
        }
    }
    writeFileAtomically(path, encodeClassRulesFile(stages));
}

} // namespace

std::string classRulesPath(const std::string& racePath) {
    return racePath + ".json";
}

std::string encodeClassRulesFile(const std::array<StageClassEntries, kMaxStages>& stages) {
    json list = json::array();
    for (int stage = 0; stage < kMaxStages; ++stage) {
        json classes = json::array();
        for (int slot = 0; slot < kClassSlots; ++slot) {
            const auto& entry = stages[stage][slot];
            if (!entry) continue;
            classes.push_back({{"slot", slot + 1},
                               {"class_name", cp1250ToUtf8(entry->className)},
                               {"format", formatName(entry->rules.format)},
                               {"time_factor", entry->rules.time_factor},
                               {"overtime_seconds_per_point", entry->rules.overtime_seconds_per_point}});
        }
        if (!classes.empty()) list.push_back({{"stage", stage + 1}, {"classes", classes}});
    }
    const json document = {{"ravik_file", kFileVersion}, {"stages", list}};
    return document.dump(2) + "\n";
}

std::array<StageClassEntries, kMaxStages> decodeClassRulesFile(const std::string& text) {
    json document;
    try {
        document = json::parse(text);
    } catch (const json::exception& error) {
        fail(std::string("not valid JSON: ") + error.what());
    }
    if (wholeNumber(field(document, "ravik_file", "(top)"), "ravik_file", 1, 1000) > kFileVersion)
        fail("written by a newer Ravik");
    const json& list = field(document, "stages", "(top)");
    if (!list.is_array()) fail("stages is not a list");
    std::array<StageClassEntries, kMaxStages> stages;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string place = "stages[" + std::to_string(i) + "]";
        const auto stage = wholeNumber(field(list[i], "stage", place), place + ".stage", 1, kMaxStages);
        const json& classes = field(list[i], "classes", place);
        if (!classes.is_array()) fail(place + ".classes is not a list");
        for (std::size_t j = 0; j < classes.size(); ++j) {
            const std::string classPlace = place + ".classes[" + std::to_string(j) + "]";
            const auto slot =
                wholeNumber(field(classes[j], "slot", classPlace), classPlace + ".slot", 1, kClassSlots);
            stages[stage - 1][slot - 1] = decodeEntry(classes[j], classPlace);
        }
    }
    return stages;
}

ClassRulesFile readClassRulesFile(const std::string& racePath) {
    ClassRulesFile file;
    const std::string path = classRulesPath(racePath);
    if (fileSize(path) < 0) return file;
    try {
        file.stages = decodeClassRulesFile(readWholeFile(path, kMaxFileBytes));
    } catch (const IoError& error) {
        file.stages = {};
        file.damage = error.reason().empty() ? error.what() : error.reason();
    } catch (const std::exception& error) {
        file.stages = {};
        file.damage = error.what();
    }
    return file;
}

StageClassRules classRulesOf(const ClassRulesFile& file, const RaceRecord& record, int stage) {
    StageClassRules rules{};
    if (stage < 1 || stage > kMaxStages) return rules;
    for (int slot = 0; slot < kClassSlots; ++slot) {
        const auto& entry = file.stages[stage - 1][slot];
        if (entry && entry->className == record.classes[slot].class_name) rules[slot] = entry->rules;
    }
    return rules;
}

void storeClassRules(const std::string& racePath, int stage, const RaceRecord& record) {
    if (stage < 1 || stage > kMaxStages) return;
    const ClassRulesFile before = readClassRulesFile(racePath);
    std::array<StageClassEntries, kMaxStages> stages = before.stages;
    for (int slot = 0; slot < kClassSlots; ++slot) {
        const ClassDefinition& definition = record.classes[slot];
        if (definition.rules == ClassRules{})
            stages[stage - 1][slot].reset();
        else
            stages[stage - 1][slot] = ClassRulesEntry{definition.class_name, definition.rules};
    }
    if (stages == before.stages && before.damage.empty()) return;
    writeEntries(racePath, stages, before);
}

void dropClassRulesAfter(const std::string& racePath, int keep) {
    const ClassRulesFile before = readClassRulesFile(racePath);
    std::array<StageClassEntries, kMaxStages> stages = before.stages;
    for (int stage = std::max(keep, 0); stage < kMaxStages; ++stage)
        stages[stage] = {};
    if (stages == before.stages && before.damage.empty()) return;
    writeEntries(racePath, stages, before);
}

std::string classRulesFileProblem(const std::string& racePath, Language language) {
    const ClassRulesFile file = readClassRulesFile(racePath);
    if (file.damage.empty()) return {};
    const std::string path = classRulesPath(racePath);
    return tr(language, texts::kClassRulesFileDamagedBefore) + path +
           tr(language, texts::kClassRulesFileDamagedMiddle) + file.damage +
           tr(language, texts::kClassRulesFileDamagedAfter) + path + ".damaged";
}

} // namespace ravik
