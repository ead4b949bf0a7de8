#pragma once
// Small file-system helpers. Paths are native file-system strings (UTF-8 here),
// not code page 1250: they come from file dialogs and the command line.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ravik {

bool fileExists(const std::string& path);
bool folderExists(const std::string& path);
// -1 when the file does not exist or cannot be examined.
std::int64_t fileSize(const std::string& path);

// Reads a whole file; throws IoError when it cannot be opened or read, or when
// it is larger than maxBytes.
std::string readWholeFile(const std::string& path, std::int64_t maxBytes = INT64_MAX);

// Rewrites a file whole without ever leaving it half-written: the bytes go to a
// temporary file in the same folder, which is synced to disk, closed and then
// renamed over the target, and the folder is synced, so that a power cut leaves
// either the old file or the new one. On any failure before the rename the old
// file stays as it was, the temporary file is removed and IoError is thrown
// (with the system's reason); a folder that cannot be synced after the rename
// throws IoError with the new file in place.
// The rewritten file keeps the mode (and, where the program may, the owner) of
// the file it replaces; a new file gets newFileMode less the umask. A symbolic
// link is followed: its target is replaced and the link stays.
inline constexpr unsigned kNewFileMode = 0666;
inline constexpr unsigned kPrivateFileMode = 0600; // readable by its owner only (passwords)
void writeFileAtomically(const std::string& path, std::string_view bytes,
                         unsigned newFileMode = kNewFileMode);

// As above, for content produced piece by piece. The producer gets a sink that
// appends to the temporary file; an exception from the producer or from a write
// leaves the old file untouched.
using ByteSink = std::function<void(std::string_view)>;
void writeFileAtomically(const std::string& path, const std::function<void(const ByteSink&)>& produce,
                         unsigned newFileMode = kNewFileMode);

// The bytes a temporary file's name adds to its target's name (".tmp", the
// writer's PID, "_", a number): a file name must leave room for them.
inline constexpr std::size_t kTemporaryNameExtraBytes = 4 + 10 + 1 + 6;

// Removes the temporary files in the folder that a writer left behind when it
// was killed: those whose writer's PID no longer runs and that are older than
// kStaleTemporaryFileSeconds. Returns their paths.
inline constexpr long kStaleTemporaryFileSeconds = 60;
std::vector<std::string> removeStaleTemporaryFiles(const std::string& folder);

// Creates the folder (and its parents) when it is missing; throws IoError on failure.
void ensureFolder(const std::string& path);

} // namespace ravik
