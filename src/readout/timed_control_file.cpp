#include "readout/timed_control_file.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "readout/text_lines.h"

#include <limits>

namespace ravik {

std::optional<char> TimedControlLine::answer(int task) const {
    if (task < 1 || task > kMaxTimedControlTasks || task > static_cast<int>(answers.size()))
        return std::nullopt;
    const char letter = answers[task - 1];
    if (letter == '-' || letter == ' ') return std::nullopt;
    return letter;
}

TimedControlLine parseTimedControlLine(std::string_view line) {
    TimedControlLine parsed;
    const std::size_t firstSemicolon = line.find(';');
    parsed.answers.assign(line.substr(0, firstSemicolon));
    if (firstSemicolon == std::string_view::npos) return parsed;
    std::string_view timeField = line.substr(firstSemicolon + 1);
    timeField = timeField.substr(0, timeField.find(';'));
    parsed.timeText.assign(timeField);
    long long seconds = 0;
    bool anyDigit = false;
    for (char c : timeField) {
        if (c < '0' || c > '9') continue;
        anyDigit = true;
        seconds = seconds * 10 + (c - '0');
        if (seconds > std::numeric_limits<int>::max()) return parsed;
    }
    if (anyDigit) parsed.seconds = static_cast<int>(seconds);
    return parsed;
}

std::vector<TimedControlLine> parseTimedControlFile(std::string_view bytes) {
    std::vector<TimedControlLine> lines;
    forEachTextLine(bytes, [&](std::string_view line) {
        if (static_cast<int>(lines.size()) < kMaxTimedControlLines)
            lines.push_back(parseTimedControlLine(line));
    });
    return lines;
}

std::vector<TimedControlLine> readTimedControlFile(const std::string& path) {
    return parseTimedControlFile(readCompetitorFile(path));
}

std::string timedControlFilePath(const std::string& stageFolder, const std::string& id) {
    return stageFolder + cp1250ToUtf8(id) + kTimedControlFileExtension;
}

std::string manualTimedControlLine(std::string_view answers, std::string_view timeText) {
    std::string line(answers);
    line.append(";").append(timeText).append(";*");
    return line;
}

void writeTimedControlFile(const std::string& path, const std::vector<std::string>& lines) {
    writeFileAtomically(path, joinCrLf(lines));
}

} // namespace ravik
