#include "core/log_file.h"
#include "core/platform/files.h"
#include "core/platform/platform.h"

#include "core/time_of_day.h"

#include <ctime>
#include <filesystem>
#include <system_error>

namespace ravik {

std::string logFilePathOf(const std::string& racePath) {
    if (racePath.empty()) return {};
    const std::size_t name = racePath.find_last_of("/\\") + 1; // 0 when there is no separator
    const std::size_t point = racePath.rfind('.');
    const bool extension = point != std::string::npos && point > name;
    return racePath.substr(0, extension ? point : racePath.size()) + ".log";
}

std::string localClockText() {
    const std::tm local = platform::localNow();
    return clockText(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
}

LogFile::LogFile(Clock clock, std::uintmax_t limit) : clock_(std::move(clock)), limit_(limit) {}

void LogFile::openFor(const std::string& path) {
    file_.close();
    file_.clear();
    path_ = path;
    std::error_code error;
    const auto existing = std::filesystem::file_size(platform::pathOf(path), error);
    size_ = error ? 0 : existing;
    file_.open(platform::pathOf(path), std::ios::binary | std::ios::app);
}

void LogFile::write(const std::string& racePath, const std::string& line) {
    const std::string path = logFilePathOf(racePath);
    if (path.empty()) return;
    if (path != path_ || !file_.is_open()) openFor(path);
    const std::string entry = clock_() + " " + line + "\n";
    if (size_ > 0 && size_ + entry.size() > limit_) {
        // The full file becomes the older one; the newest lines always start a file.
        file_.close();
        std::error_code ignored;
        std::filesystem::rename(platform::pathOf(path), platform::pathOf(path + ".1"), ignored);
        openFor(path);
        size_ = 0;
    }
    if (!file_.is_open()) return;
    file_ << entry;
    file_.flush();
    size_ += entry.size();
}

} // namespace ravik
