#include "core/opened_file.h"

#include "core/errors.h"

namespace ravik {

OpenedFile::OpenedFile(const std::string& path) : path_(path) {
    std::string reason;
    if (!file_.open(path, platform::File::Mode::Read, reason))
        throw IoError("Cannot open file " + path, reason);
    const auto status = file_.status();
    if (!status || status->kind != platform::FileStatus::Kind::File)
        throw IoError("Cannot read file " + path, status ? "not a file" : "cannot examine the file");
    identity_ = status->identity;
    size_ = status->size;
}

std::chrono::system_clock::time_point OpenedFile::modified() const {
    const auto status = file_.status();
    return status ? status->modified : std::chrono::system_clock::time_point::max(); // as if just written
}

OpenedFile::~OpenedFile() = default;

void OpenedFile::readAt(std::int64_t offset, std::size_t length, std::string& out) const {
    const std::size_t start = out.size();
    out.resize(start + length);
    std::size_t done = 0;
    while (done < length) {
        std::string reason = "the file is shorter than expected";
        const std::int64_t n = file_.readAt(offset + static_cast<std::int64_t>(done),
                                            out.data() + start + done, length - done, reason);
        if (n <= 0) {
            out.resize(start);
            throw IoError("Cannot read file " + path_, reason);
        }
        done += static_cast<std::size_t>(n);
    }
}

std::uint64_t checksumOf(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace ravik
