#pragma once
// How a stage shows in the main window: the stage line under the race name.
#include "core/race_record.h"

#include <optional>
#include <string>

namespace ravik {

class RaceContext;

inline constexpr std::size_t kStageLineLength = 111;

// Stage date, a space and the place, cut to 111 characters (code page 1250).
std::string stageLine(const RaceRecord& record);

// The text as a stage number 1..5, or 0 when it is none.
int stageNumberOf(const std::string& text);

// The record of the main window's current stage, when the stage box holds a
// stage that the race file has; nullopt otherwise (never reads past the end).
std::optional<RaceRecord> readCurrentStage(const RaceContext& race);

} // namespace ravik
