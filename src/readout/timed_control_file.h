#pragma once
// The timed-control answers of one competitor in one stage (stage folder + ID +
// ".tc2"): line n is station (cluster) n. Each line: the answers field, ";", the
// time field in whole seconds, and optionally ";*". Code page 1250, CR LF.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravik {

inline constexpr const char* kTimedControlFileExtension = ".tc2";
inline constexpr int kMaxTimedControlLines = 20;
inline constexpr int kMaxTimedControlTasks = 10;

struct TimedControlLine {
    // Characters before the first ";": character i is the answer of task i; "-" is no answer.
    std::string answers;
    // The digits between the first and the second ";" (other characters ignored);
    // nullopt when there are none or when they do not fit a whole number.
    std::optional<int> seconds;
    // The time field as written (between the first and the second ";"), for the manual entry.
    std::string timeText;

    // The answer letter of task 1..10, or nullopt ("-", blank or beyond the field).
    std::optional<char> answer(int task) const;
    bool operator==(const TimedControlLine&) const = default;
};

TimedControlLine parseTimedControlLine(std::string_view line);
// Line n of the bytes is element n-1; lines after the 20th are ignored.
std::vector<TimedControlLine> parseTimedControlFile(std::string_view bytes);

// Reads a timed-control file. A file that does not exist means no answers (empty
// list); one that exists but cannot be read throws IoError.
std::vector<TimedControlLine> readTimedControlFile(const std::string& path);

// stage folder + ID + ".tc2" (the ID cell is code page 1250, converted for the file system).
std::string timedControlFilePath(const std::string& stageFolder, const std::string& id);

// The line the manual entry writes: answers + ";" + time + ";*".
std::string manualTimedControlLine(std::string_view answers, std::string_view timeText);

// Rewrites the whole file (temporary file, then rename), each line ended by CR LF.
void writeTimedControlFile(const std::string& path, const std::vector<std::string>& lines);

} // namespace ravik
