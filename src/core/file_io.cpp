#include "core/file_io.h"

#include "core/errors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

namespace ravik {
namespace fs = std::filesystem;

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(fs::u8path(path), ec);
}

bool folderExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(fs::u8path(path), ec);
}

std::int64_t fileSize(const std::string& path) {
    std::error_code ec;
    const auto size = fs::file_size(fs::u8path(path), ec);
    return ec ? -1 : static_cast<std::int64_t>(size);
}

std::string readWholeFile(const std::string& path, std::int64_t maxBytes) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    if (!in) throw IoError("Cannot open file " + path);
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) throw IoError("Cannot read file " + path);
    if (size > maxBytes) throw IoError("File is too large: " + path);
    in.seekg(0, std::ios::beg);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (size > 0 && !in.read(bytes.data(), size)) throw IoError("Cannot read file " + path);
    return bytes;
}

namespace {

std::string temporaryNameBeside(const std::string& path) {
    static std::mt19937 generator{std::random_device{}()};
    return path + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(generator() % 1000000);
}

// A temporary file that is removed unless it was renamed over its target.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) : target_(target), path_(temporaryNameBeside(target)) {
        file_ = std::fopen(path_.c_str(), "wb");
        if (!file_) throw IoError("Cannot create file " + path_ + ": " + std::strerror(errno));
    }
    ~TemporaryFile() {
        if (file_) std::fclose(file_);
        if (!committed_) std::remove(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(std::string_view bytes) {
        if (bytes.empty()) return;
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
            throw IoError("Cannot write file " + target_ + ": " + std::strerror(errno));
    }

    void commit() {
        const bool flushed = std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!flushed || !closed) throw IoError("Cannot write file " + target_ + ": " + std::strerror(errno));
        if (std::rename(path_.c_str(), target_.c_str()) != 0)
            throw IoError("Cannot replace file " + target_ + ": " + std::strerror(errno));
        committed_ = true;
    }

private:
    std::string target_;
    std::string path_;
    std::FILE* file_ = nullptr;
    bool committed_ = false;
};

} // namespace

void writeFileAtomically(const std::string& path, const std::function<void(const ByteSink&)>& produce) {
    TemporaryFile temporary(path);
    produce([&](std::string_view bytes) { temporary.write(bytes); });
    temporary.commit();
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    writeFileAtomically(path, [&](const ByteSink& sink) { sink(bytes); });
}

void ensureFolder(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(fs::u8path(path), ec)) return;
    fs::create_directories(fs::u8path(path), ec);
    if (ec) throw IoError("Cannot create folder " + path + ": " + ec.message());
}

} // namespace ravik
