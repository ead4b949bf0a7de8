#pragma once
// The buttons "XML TempO" and "XML PreO": the result list of one stage written
// beside the race file.
#include "core/language.h"
#include "core/race_record.h"
#include "exports/result_list.h"

#include <optional>
#include <string>

namespace ravik {

class Prompt;
class Session;

struct ResultListOptions {
    int stage = 1;                               // ComboBox1
    ResultListKind kind = ResultListKind::TempO; // the button pressed
    std::string createTime{};                    // empty: now
};

// The race path without its last 6 characters (".ravik") + "_TempoResults_E" + s +
// ".xml" or "_PreoResults_E" + s + ".xml".
std::string resultListPath(const std::string& racePath, int stage, ResultListKind kind);

// Why the stage cannot be exported (a date or zero time that would make the
// times invalid); nullopt when it can.
std::optional<Text> resultListRefusal(const RaceRecord& record);

// Writes the file from the session's table (rewritten whole, UTF-8, CR LF),
// tells "File … created." and returns its path. A stage that cannot be exported
// is told and nothing is written. Throws IoError when the stage folder is missing
// or the file cannot be written.
std::optional<std::string> exportResultList(const Session& session, const ResultListOptions& options,
                                            Prompt& prompt);

} // namespace ravik
