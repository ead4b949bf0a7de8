#include "readout/punch_file.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "readout/text_lines.h"

namespace ravik {

PunchLine parsePunchLine(std::string_view line) {
    PunchLine punch;
    std::string* targets[kMaxPunchFields] = {&punch.eventId, &punch.card, &punch.code, &punch.mode,
                                             nullptr,        nullptr,     &punch.date, &punch.time,
                                             nullptr,        nullptr,     nullptr};
    std::size_t begin = 0;
    for (int field = 0; field < kMaxPunchFields && begin <= line.size(); ++field) {
        std::size_t end = line.find(';', begin);
        if (end == std::string_view::npos) end = line.size();
        if (targets[field]) targets[field]->assign(line.substr(begin, end - begin));
        begin = end + 1;
    }
    return punch;
}

std::vector<PunchLine> parsePunchFile(std::string_view bytes) {
    std::vector<PunchLine> lines;
    forEachTextLine(bytes, [&](std::string_view line) { lines.push_back(parsePunchLine(line)); });
    return lines;
}

std::vector<PunchLine> readPunchFile(const std::string& path) {
    return parsePunchFile(readCompetitorFile(path));
}

std::string punchFilePath(const std::string& stageFolder, const std::string& name) {
    return stageFolder + cp1250ToUtf8(name) + kPunchFileExtension;
}

bool isSafeFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7f || c == '/' || c == '\\' || c == ':') return false;
    return true;
}

std::string manualPunchLine(std::string_view card, std::string_view code, std::string_view mode,
                            std::string_view date, std::string_view time, int runningNumber) {
    std::string line = "MANUAL;";
    line.append(card).append(";").append(code).append(";").append(mode).append(";RDO;6;");
    line.append(date)
        .append(";")
        .append(time)
        .append(";")
        .append(std::to_string(runningNumber))
        .append(";00");
    return line;
}

void writePunchFile(const std::string& path, const std::vector<std::string>& lines) {
    writeFileAtomically(path, joinCrLf(lines));
}

} // namespace ravik
