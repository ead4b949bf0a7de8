#pragma once
// Stage headers and class definitions written from a JSON description, so that
// a race can be set up without the class editor (ravik-cli define).
//
// {"stages": [{"stage": 1, "race_name": .., "stage_date": .., "stage_place": ..,
//   "stage_start": .., "classes": [{"slot": 1, "class_name": .., "control_flags": [..],
//   "control_answer": [..], "answer_codes": [[..]], "cluster_answers": [[..]],
//   "cluster_penalty": .., "time_limit": .., "break1_from_code": .., ...,
//   "format": "preo" | "preo-sprint", "time_factor": 1.0, "overtime_seconds_per_point": 60}]}]}
//
// Fields left out keep what the file holds; lists are indexed control - 1,
// cluster - 1, slot - 1 and may be shorter than their maximum; a stage past the
// end appends empty stages up to it (at most five).
#include "core/race_record.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace ravik {

// A description that is not valid JSON or holds a value that does not fit its
// field; the message names the place ("stages[0].classes[1].class_name: ...").
class DefinitionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The stages with the description applied (texts in the JSON are UTF-8).
std::vector<RaceRecord> applyDefinition(std::vector<RaceRecord> stages, const std::string& json);

// Reads every stage of the race file, applies the description and rewrites the
// file once; on any error the file stays as it was. Returns the stage count.
int defineRace(const std::string& racePath, const std::string& json);

} // namespace ravik
