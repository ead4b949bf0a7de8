#pragma once
// The punch file of one competitor in one stage (stage folder + name + ".si"):
// one punch per line, fields separated by ";", code page 1250, CR LF.
// Lines from the read-out log end with ";", lines typed by hand do not; the
// readers take the same fields from both.
#include <string>
#include <string_view>
#include <vector>

namespace ravik {

inline constexpr const char* kPunchFileExtension = ".si";

// Modes of field 4, kept exactly (the control punch has a leading blank).
inline constexpr std::string_view kModeStart = "STA";
inline constexpr std::string_view kModeFinish = "FIN";
inline constexpr std::string_view kModeControl = " CN";

// A punch file holds at most 11 fields per line.
inline constexpr int kMaxPunchFields = 11;

// The fields of one line that the program reads (code page 1250, as written).
struct PunchLine {
    std::string eventId; // field 1 ("MANUAL" for lines typed by hand)
    std::string card;    // field 2
    std::string code;    // field 3, matched as text against a station code in decimal
    std::string mode;    // field 4: "STA", "FIN", " CN" or anything else (ignored)
    std::string date;    // field 7
    std::string time;    // field 8, "HH:MM:SS"

    bool isStart() const { return mode == kModeStart; }
    bool isFinish() const { return mode == kModeFinish; }
    bool isControl() const { return mode == kModeControl; }
    bool operator==(const PunchLine&) const = default;
};

// One line split at every ";" (fields beyond the 11th are ignored); missing fields are empty.
PunchLine parsePunchLine(std::string_view line);
// All lines of a file's bytes (CR LF or LF; a last line without line end counts).
std::vector<PunchLine> parsePunchFile(std::string_view bytes);

// Reads a punch file. A file that does not exist means no punches (empty list);
// one that exists but cannot be read throws IoError.
std::vector<PunchLine> readPunchFile(const std::string& path);

// stage folder + name + ".si"; the name (a competitor's ID cell or "SI" + card)
// is code page 1250 and is converted for the file system.
std::string punchFilePath(const std::string& stageFolder, const std::string& name);

// True when the name can be used as a file name inside the stage folder: not
// empty, no separators, no control characters, not "." or "..".
bool isSafeFileName(std::string_view name);

// A line typed by hand: ten fields without a final ";":
// "MANUAL;card;code;mode;RDO;6;date;time;running number;00".
std::string manualPunchLine(std::string_view card, std::string_view code, std::string_view mode,
                            std::string_view date, std::string_view time, int runningNumber);

// Rewrites the whole file (temporary file, then rename) with the lines, each ended by CR LF.
// Throws IoError when it cannot be written.
void writePunchFile(const std::string& path, const std::vector<std::string>& lines);

} // namespace ravik
