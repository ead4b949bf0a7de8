#pragma once
// Where a reader of the SI log stopped, and how it knows at the next look that
// the log up to there is still what it read: the same file (not another one put
// under its name), no shorter, the same first and last bytes before that point,
// and, when nothing was added, not written to since. The read-out station only
// appends; anything else means reading anew.
#include "core/opened_file.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace ravik {

struct LogPosition {
    std::string path;
    FileIdentity identity;
    std::uint64_t offset = 0;
    std::uint32_t headLength = 0, tailLength = 0;
    std::uint64_t headChecksum = 0, tailChecksum = 0;
    std::chrono::system_clock::time_point modified{};
};

// The bytes checked at each end of what was read.
inline constexpr std::uint32_t kCheckedLogBytes = 4096;

enum class LogState {
    AsRead,    // still holds what was read, perhaps with more after it
    Rewritten, // the same file, as long or longer, but changed before the position
    Replaced,  // another file, another path, or shorter than what was read
};
// How `file`, opened from `path`, stands to what was read up to `position`.
LogState logStateAgainst(const LogPosition& position, const std::string& path, const OpenedFile& file);

// The position after reading `file` up to `offset`.
LogPosition positionIn(const std::string& path, const OpenedFile& file, std::uint64_t offset);

} // namespace ravik
