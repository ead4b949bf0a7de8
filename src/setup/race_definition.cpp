#include "setup/race_definition.h"

#include "core/class_rules_file.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "setup/race_opening.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>

namespace ravik {
namespace {

using nlohmann::json;

[[noreturn]] void fail(const std::string& place, const std::string& problem) {
    throw DefinitionError(place + ": " + problem);
}

void onlyKnownFields(const json& object, const std::string& place, const std::set<std::string>& known) {
    if (!object.is_object()) fail(place, "expected an object");
    for (const auto& [key, value] : object.items())
        if (!known.contains(key)) fail(place + "." + key, "unknown field");
}

std::string textOf(const json& value, const std::string& place, std::size_t capacity) {
    if (!value.is_string()) fail(place, "expected a text");
    const std::string utf8 = value.get<std::string>();
    const std::string cp = utf8ToCp1250(utf8);
    if (cp1250ToUtf8(cp) != utf8) fail(place, "holds characters outside code page 1250");
    if (cp.size() > capacity) fail(place, "longer than " + std::to_string(capacity) + " characters");
    return cp;
}

std::string oneOf(const json& value, const std::string& place, const std::set<std::string>& allowed) {
    const std::string text = textOf(value, place, 3);
    if (!allowed.contains(text)) fail(place, "\"" + text + "\" is not one of the allowed values");
    return text;
}

std::int32_t numberOf(const json& value, const std::string& place) {
    if (!value.is_number_integer()) fail(place, "expected a whole number");
    const auto number = value.get<std::int64_t>();
    if (number < 0 || number > std::numeric_limits<std::int32_t>::max())
        fail(place,
             "expected a whole number from 0 to " + std::to_string(std::numeric_limits<std::int32_t>::max()));
    return static_cast<std::int32_t>(number);
}

const json& listOf(const json& value, const std::string& place, std::size_t maximum) {
    if (!value.is_array()) fail(place, "expected a list");
    if (value.size() > maximum) fail(place, "more than " + std::to_string(maximum) + " entries");
    return value;
}

std::string at(const std::string& place, std::size_t index) {
    return place + "[" + std::to_string(index) + "]";
}

const std::set<std::string> kAnswers{"", "A", "B", "C", "D", "E", "F", "X", "Z"};
const std::set<std::string> kNotScored{"", "X"};
const std::set<std::string> kFlags{"", "A", "A-B", "A-C", "A-D", "A-E", "A-F"};

void applyClass(ClassDefinition& definition, const json& object, const std::string& place) {
    for (const auto& [key, value] : object.items()) {
        const std::string field = place + "." + key;
        if (key == "slot") {
            continue;
        } else if (key == "class_name") {
            definition.class_name = textOf(value, field, capacity::kClassName);
        } else if (key == "control_flags") {
            const json& list = listOf(value, field, kControls);
            for (std::size_t i = 0; i < list.size(); ++i)
                definition.control_flags[i] = oneOf(list[i], at(field, i), kFlags);
        } else if (key == "control_answer") {
            const json& list = listOf(value, field, kControls);
            for (std::size_t i = 0; i < list.size(); ++i)
                definition.control_answer[i] = oneOf(list[i], at(field, i), kAnswers);
        } else if (key == "answer_codes") {
            const json& list = listOf(value, field, kControls);
            for (std::size_t i = 0; i < list.size(); ++i) {
                const json& codes = listOf(list[i], at(field, i), kAnswersPerControl);
                for (std::size_t j = 0; j < codes.size(); ++j)
                    definition.answer_codes[i][j] = numberOf(codes[j], at(at(field, i), j));
            }
        } else if (key == "cluster_answers") {
            const json& list = listOf(value, field, kClusters);
            for (std::size_t i = 0; i < list.size(); ++i) {
                const json& slots = listOf(list[i], at(field, i), kClusterSlots);
                for (std::size_t j = 0; j < slots.size(); ++j)
                    definition.cluster_answers[i][j] =
                        oneOf(slots[j], at(at(field, i), j), j + 1 == kClusterSlots ? kNotScored : kAnswers);
            }
        } else if (key == "cluster_penalty") {
            definition.cluster_penalty = numberOf(value, field);
        } else if (key == "time_limit") {
            definition.time_limit = numberOf(value, field);
        } else if (key == "format") {
            if (!value.is_string() || !formatFromName(value.get<std::string>()))
                fail(field, "expected \"preo\" or \"preo-sprint\"");
            definition.rules.format = *formatFromName(value.get<std::string>());
        } else if (key == "time_factor") {
            if (!value.is_number() || !validTimeFactor(value.get<double>()))
                fail(field, "expected a number above 0 and at most " + timeFactorText(kMaxTimeFactor));
            definition.rules.time_factor = value.get<double>();
        } else if (key == "overtime_seconds_per_point") {
            if (!value.is_number_integer() || !validOvertimeSecondsPerPoint(value.get<std::int64_t>()))
                fail(field,
                     "expected a whole number from 1 to " + std::to_string(kMaxOvertimeSecondsPerPoint));
            definition.rules.overtime_seconds_per_point =
                static_cast<std::int32_t>(value.get<std::int64_t>());
        } else if (key == "break1_from_code") {
            definition.break1_from_code = numberOf(value, field);
        } else if (key == "break1_to_code") {
            definition.break1_to_code = numberOf(value, field);
        } else if (key == "break2_from_code") {
            definition.break2_from_code = numberOf(value, field);
        } else if (key == "break2_to_code") {
            definition.break2_to_code = numberOf(value, field);
        } else {
            fail(field, "unknown field");
        }
    }
}

void applyStage(std::vector<RaceRecord>& stages, const json& object, const std::string& place) {
    onlyKnownFields(object, place,
                    {"stage", "race_name", "stage_date", "stage_place", "stage_start", "classes"});
    if (!object.contains("stage")) fail(place + ".stage", "missing");
    const std::int32_t number = numberOf(object["stage"], place + ".stage");
    if (number < 1 || number > kMaxStages)
        fail(place + ".stage", "expected a stage from 1 to " + std::to_string(kMaxStages));
    while (static_cast<int>(stages.size()) < number) {
        RaceRecord added = newRaceFirstStage();
        added.stage_number = static_cast<std::int32_t>(stages.size()) + 1;
        stages.push_back(added);
    }
    RaceRecord& record = stages[number - 1];
    if (object.contains("race_name"))
        record.race_name = textOf(object["race_name"], place + ".race_name", capacity::kRaceName);
    if (object.contains("stage_date"))
        record.stage_date = textOf(object["stage_date"], place + ".stage_date", capacity::kStageDate);
    if (object.contains("stage_place"))
        record.stage_place = textOf(object["stage_place"], place + ".stage_place", capacity::kStagePlace);
    if (object.contains("stage_start"))
        record.stage_start = textOf(object["stage_start"], place + ".stage_start", capacity::kStageStart);
    if (!object.contains("classes")) return;
    const json& classes = listOf(object["classes"], place + ".classes", 1000);
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const std::string classPlace = at(place + ".classes", i);
        if (!classes[i].is_object()) fail(classPlace, "expected an object");
        if (!classes[i].contains("slot")) fail(classPlace + ".slot", "missing");
        const std::int32_t slot = numberOf(classes[i]["slot"], classPlace + ".slot");
        if (slot < 1 || slot > kClassSlots)
            fail(classPlace + ".slot", "expected a slot from 1 to " + std::to_string(kClassSlots));
        applyClass(record.classes[slot - 1], classes[i], classPlace);
    }
}

} // namespace

std::vector<RaceRecord> applyDefinition(std::vector<RaceRecord> stages, const std::string& text) {
    json document;
    try {
        document = json::parse(text);
    } catch (const json::parse_error& error) {
        throw DefinitionError(std::string("not valid JSON: ") + error.what());
    }
    onlyKnownFields(document, "(top)", {"stages"});
    if (!document.contains("stages")) return stages;
    const json& list = listOf(document["stages"], "stages", 1000);
    for (std::size_t i = 0; i < list.size(); ++i)
        applyStage(stages, list[i], at("stages", i));
    return stages;
}

int defineRace(const std::string& racePath, const std::string& json) {
    requireWholeStages(racePath);
    std::vector<RaceRecord> stages;
    const int count = stageCount(racePath);
    for (int stage = 1; stage <= count; ++stage)
        stages.push_back(readStage(racePath, stage));
    stages = applyDefinition(std::move(stages), json);
    std::string bytes;
    for (const RaceRecord& record : stages)
        bytes += encodeRaceRecord(record);
    writeFileAtomically(racePath, bytes);
    for (std::size_t stage = 0; stage < stages.size(); ++stage)
        storeClassRules(racePath, static_cast<int>(stage) + 1, stages[stage]);
    return static_cast<int>(stages.size());
}

} // namespace ravik
