#pragma once
// A file opened for reading at chosen offsets, with what tells it apart from
// another file put under the same name, so that a reader that stopped somewhere
// can go on from there only while the file is still the one it read.
#include "core/platform/files.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace ravik {

using platform::FileIdentity;

class OpenedFile {
public:
    // Throws IoError when the file cannot be opened or examined, or is no regular file.
    explicit OpenedFile(const std::string& path);
    ~OpenedFile();
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    const FileIdentity& identity() const { return identity_; }
    // As when it was opened.
    std::int64_t size() const { return size_; }
    // Looked up at each call: the file may be written to meanwhile.
    std::chrono::system_clock::time_point modified() const;

    // Appends the bytes [offset, offset + length) to `out`; throws IoError when
    // they cannot all be read (the file was cut meanwhile).
    void readAt(std::int64_t offset, std::size_t length, std::string& out) const;

private:
    std::string path_;
    platform::File file_;
    FileIdentity identity_;
    std::int64_t size_ = 0;
};

// FNV-1a over the bytes: a check that remembered bytes are still the same.
std::uint64_t checksumOf(std::string_view bytes);

} // namespace ravik
