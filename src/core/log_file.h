#pragma once
// The log file beside the open race (race folder + base + ".log", e.g. Spring.log):
// every line of the log box and the details kept out of it, each after the time
// of day, appended. When the file would pass its size limit it becomes
// Spring.log.1 (replacing the older one) and a new file begins, so the two stay
// below a few MB together.
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

namespace ravik {

inline constexpr std::uintmax_t kLogFileLimit = 2 * 1024 * 1024;

// "Spring.log" for ".../Spring.ravik"; empty for an empty race path.
std::string logFilePathOf(const std::string& racePath);

// The time of day "HH:MM:SS" (local time).
std::string localClockText();

class LogFile {
public:
    using Clock = std::function<std::string()>; // the time of day to write before a line
    explicit LogFile(Clock clock = localClockText, std::uintmax_t limit = kLogFileLimit);

    // Appends "HH:MM:SS line" to the log file of the race (none while no race is
    // open). A file that cannot be written loses the line, never the program.
    void write(const std::string& racePath, const std::string& line);

private:
    void openFor(const std::string& path);

    Clock clock_;
    std::uintmax_t limit_;
    std::string path_;
    std::ofstream file_;
    std::uintmax_t size_ = 0;
};

} // namespace ravik
