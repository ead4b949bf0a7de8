#pragma once
// The race's own Ravik file beside the race file (NAME.ravik.json): what a race
// needs beyond the race file's fixed layout, which other programs read and which
// therefore keeps its bytes. Today: the format of each class of each stage.
//
// {"ravik_file": 1, "stages": [{"stage": 1, "classes": [{"slot": 2, "class_name": "H21",
//   "format": "preo-sprint", "time_factor": 1.0, "overtime_seconds_per_point": 60}]}]}
//
// Only classes that differ from plain PreO are listed. An entry counts only while
// its slot still bears its class name (another program may have changed the
// race file). A file that is not what it should be gives the defaults and a
// message; before it is replaced its bytes are kept as NAME.ravik.json.damaged.
#include "core/class_rules.h"
#include "core/language.h"
#include "core/race_record.h"

#include <array>
#include <optional>
#include <string>

namespace ravik {

using StageClassRules = std::array<ClassRules, kClassSlots>;

struct ClassRulesEntry {
    std::string className; // code page 1250
    ClassRules rules;
    bool operator==(const ClassRulesEntry&) const = default;
};
using StageClassEntries = std::array<std::optional<ClassRulesEntry>, kClassSlots>;

struct ClassRulesFile {
    std::array<StageClassEntries, kMaxStages> stages;
    std::string damage; // why the file was not read (English); empty when sound or missing
};

std::string classRulesPath(const std::string& racePath);

// Never throws: a missing file gives the defaults, an unreadable or damaged one
// the defaults and `damage`.
ClassRulesFile readClassRulesFile(const std::string& racePath);

// The rules of the stage's classes as the file gives them for these class names.
StageClassRules classRulesOf(const ClassRulesFile& file, const RaceRecord& record, int stage);

// Stores the rules of the record's classes as stage `stage`. The file is written
// only when it exists or some class is not plain PreO. Throws IoError.
void storeClassRules(const std::string& racePath, int stage, const RaceRecord& record);
// Keeps only the first `keep` stages' entries (a stage dropped from the race).
void dropClassRulesAfter(const std::string& racePath, int keep);

// The message shown when the file was damaged; empty when it was not.
std::string classRulesFileProblem(const std::string& racePath, Language language);

// The document for these stages (tests and the writer share it).
std::string encodeClassRulesFile(const std::array<StageClassEntries, kMaxStages>& stages);
// Throws std::runtime_error with the reason for anything but a sound document.
std::array<StageClassEntries, kMaxStages> decodeClassRulesFile(const std::string& text);

} // namespace ravik
