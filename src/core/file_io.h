#pragma once
// Small file-system helpers. Paths are native file-system strings (UTF-8 here),
// not code page 1250: they come from file dialogs and the command line.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ravik {

bool fileExists(const std::string& path);
bool folderExists(const std::string& path);
// -1 when the file does not exist or cannot be examined.
std::int64_t fileSize(const std::string& path);

// Reads a whole file; throws IoError when it cannot be opened or read, or when
// it is larger than maxBytes.
std::string readWholeFile(const std::string& path, std::int64_t maxBytes = INT64_MAX);

// Rewrites a file whole without ever leaving it half-written: the bytes go to a
// temporary file in the same folder, which is flushed, closed and then renamed
// over the target. On any failure the old file stays as it was, the temporary
// file is removed and IoError is thrown.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// As above, for content produced piece by piece. The producer gets a sink that
// appends to the temporary file; an exception from the producer or from a write
// leaves the old file untouched.
using ByteSink = std::function<void(std::string_view)>;
void writeFileAtomically(const std::string& path, const std::function<void(const ByteSink&)>& produce);

// Creates the folder (and its parents) when it is missing; throws IoError on failure.
void ensureFolder(const std::string& path);

} // namespace ravik
