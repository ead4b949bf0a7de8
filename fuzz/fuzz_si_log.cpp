// Feeds arbitrary bytes to the readers of the read-out files: the SI log (line
// parser and the pass's reading), punch files and timed-control files. Never a
// crash; every stored line is at most 66 characters and every code in range.
#include "core/log.h"
#include "readout/punch_file.h"
#include "readout/readout_log.h"
#include "readout/si_log_csv.h"
#include "readout/timed_control_file.h"

#include <cstdint>
#include <string>

namespace {

class DiscardLog : public ravik::Log {
public:
    void append(const std::string& line) override { last_ = line; }
    std::string lastLine() const override { return last_; }

private:
    std::string last_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    DiscardLog log;
    const ravik::ReadoutLog readoutLog = ravik::readReadoutLog(bytes, ravik::Language::English, log);
    const ravik::NormaliseOptions options{.rewriteDate = size % 2 == 0, .raceDate = "2023-11-01"};
    for (const ravik::ReadoutEntry& entry : readoutLog.entries) {
        if (entry.code < 0 || entry.code > ravik::kMaxControlCode) __builtin_trap();
        if (ravik::normalisedLine(readoutLog, entry, options).size() > ravik::kMaxStoredPunchLine)
            __builtin_trap();
    }

    // Reading in two parts, split after a whole line, reads the same as reading at once.
    ravik::ReadoutLog inParts;
    inParts.bytes = bytes;
    const std::size_t lineEnd = bytes.find('\n', size == 0 ? 0 : data[0] % size);
    ravik::continueReading(inParts, lineEnd == std::string::npos ? 0 : lineEnd + 1);
    const ravik::ReadingState afterFirstPart = inParts.state;
    ravik::continueReading(inParts, bytes.size());
    if (inParts.entries.size() != readoutLog.entries.size() ||
        inParts.messages.size() != readoutLog.messages.size())
        __builtin_trap();
    for (std::size_t i = 0; i < inParts.entries.size(); ++i) {
        const auto& a = inParts.entries[i];
        const auto& b = readoutLog.entries[i];
        if (a.card != b.card || a.code != b.code || a.finish != b.finish ||
            a.correctedHour != b.correctedHour)
            __builtin_trap();
    }
    ravik::rollBack(inParts, afterFirstPart);
    if (inParts.entries.size() != afterFirstPart.entryCount) __builtin_trap();

    for (const ravik::PunchLine& line : ravik::parsePunchFile(bytes))
        if (line.code.size() > bytes.size() || line.time.size() > bytes.size()) __builtin_trap();

    const auto stations = ravik::parseTimedControlFile(bytes);
    if (stations.size() > ravik::kMaxTimedControlLines) __builtin_trap();
    for (const auto& station : stations) {
        if (station.seconds && *station.seconds < 0) __builtin_trap();
        for (int task = 0; task <= ravik::kMaxTimedControlTasks + 1; ++task)
            (void)station.answer(task);
    }
    return 0;
}
