#include "readout/log_position.h"

#include "core/errors.h"

#include <algorithm>

namespace ravik {

namespace {

std::uint64_t checksumAt(const OpenedFile& file, std::uint64_t offset, std::uint32_t length) {
    std::string bytes;
    file.readAt(static_cast<std::int64_t>(offset), length, bytes);
    return checksumOf(bytes);
}

} // namespace

LogState logStateAgainst(const LogPosition& position, const std::string& path, const OpenedFile& file) {
    if (position.path != path || position.identity != file.identity() ||
        static_cast<std::uint64_t>(file.size()) < position.offset)
        return LogState::Replaced;
    // Written to without growing: rewritten in place.
    if (static_cast<std::uint64_t>(file.size()) == position.offset && file.modified() != position.modified)
        return LogState::Rewritten;
    try {
        const bool same = checksumAt(file, 0, position.headLength) == position.headChecksum &&
                          checksumAt(file, position.offset - position.tailLength, position.tailLength) ==
                              position.tailChecksum;
        return same ? LogState::AsRead : LogState::Rewritten;
    } catch (const IoError&) {
        return LogState::Replaced; // cut while being looked at
    }
}

LogPosition positionIn(const std::string& path, const OpenedFile& file, std::uint64_t offset) {
    LogPosition position;
    position.path = path;
    position.identity = file.identity();
    position.offset = offset;
    position.modified = file.modified();
    position.headLength = static_cast<std::uint32_t>(std::min<std::uint64_t>(offset, kCheckedLogBytes));
    position.tailLength = position.headLength;
    position.headChecksum = checksumAt(file, 0, position.headLength);
    position.tailChecksum = checksumAt(file, offset - position.tailLength, position.tailLength);
    return position;
}

} // namespace ravik
