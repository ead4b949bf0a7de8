#pragma once
// How a competitor's stage ended. Only finishers and disqualified competitors
// are placed; the others are listed after them with their status word.
#include "core/language.h"

namespace ravik {

// In the order the lists show them.
enum class StageStatus {
    Ok,           // finished (or a class without a time limit)
    Disqualified, // the stage's disqualification cell is "DISK"; placed after all others
    DidNotFinish, // punches but no finish punch, in a class whose time limit is above 0
    DidNotStart,  // neither a punch file nor a timed-control file in the stage
};

// Whether the status takes a place in the ranking.
inline bool isPlacedStatus(StageStatus status) {
    return status == StageStatus::Ok || status == StageStatus::Disqualified;
}

// "DISK", "DNF", "DNS" (UTF-8, the same in both languages); empty for Ok.
const char* statusWord(StageStatus status, Language language);

} // namespace ravik
