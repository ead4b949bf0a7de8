#pragma once
// The read-out log of one pass: every punch line of the SI log with its card,
// its code (substitute codes given from 9999 down), its finish mark and the hour
// that the twelve-hour correction puts in its time. The normalised line itself is
// only built for cards whose punch file is written.
//
// Reading can go on where it stopped: the read-out station only appends, so a
// later pass reads only the lines added since (see ReadoutMemory), and the lines
// of cards whose punch files are written can be dropped (compact). What reading
// reports is kept as messages and logged again at every pass, in its language.
#include "core/language.h"
#include "core/log.h"
#include "readout/si_log_csv.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ravik {

struct ReadoutEntry {
    std::size_t lineBegin = 0; // the raw line inside ReadoutLog::bytes
    std::uint32_t lineLength = 0;
    std::uint64_t logEnd = 0; // where the raw line ends in the log file
    std::int64_t card = 0;
    int code = 0; // field 3 as a number, or the substitute code
    bool codeSubstituted = false;
    bool finish = false;    // Mode "FIN"
    int correctedHour = -1; // the hour written over the time's first two characters, -1 for none
};

enum class ReadingMessageKind { HeaderLike, Malformed, MissingModeOrTime, CodesExhausted };
struct ReadingMessage {
    ReadingMessageKind kind;
    int lineNumber = 0;
    std::string card; // field 2 as written (MissingModeOrTime)
};

// Where reading stands after the lines read so far.
struct ReadingState {
    std::size_t consumed = 0;    // bytes read, always whole lines or the whole text
    std::uint64_t logOffset = 0; // where bytes[consumed] lies in the log file
    int substituteCode = kMaxControlCode;
    int startHour = -1; // the start memory's hour; -1 while it is empty (or not an hour)
    int lineNumber = 0;
    bool codesExhausted = false;
    bool headerLikeLine = false; // reading stopped: nothing is assigned in this pass
    std::size_t entryCount = 0;
    std::size_t messageCount = 0;
};

struct ReadoutLog {
    std::string bytes;                 // the log from some point on, or the lines kept by compact()
    std::vector<ReadoutEntry> entries; // in log order
    std::vector<ReadingMessage> messages;
    ReadingState state;

    bool headerLikeLine() const { return state.headerLikeLine; }
};

struct NormaliseOptions {
    bool rewriteDate = false;
    std::string raceDate; // code page 1250
};

// Reads the lines of bytes[state.consumed, end) into entries and messages.
void continueReading(ReadoutLog& readoutLog, std::size_t end);
// Back to an earlier state: the entries and messages read after it are dropped.
void rollBack(ReadoutLog& readoutLog, const ReadingState& state);
// Keeps only the entries for which keep(entry) holds, with their lines; the bytes
// not yet read are dropped (they are read from the log again).
template <typename Keep> void compact(ReadoutLog& readoutLog, Keep&& keep);

// The messages of reading, as logged: the first ten malformed lines one by one, then their count.
void reportReading(const ReadoutLog& readoutLog, Language language, Log& log);

// Reads all of the bytes and reports (the bytes are kept in the result). Lines
// outside the format are reported and skipped, as are lines with an empty code
// once the substitute codes 9999 down to 0 are used up.
ReadoutLog readReadoutLog(std::string bytes, Language language, Log& log);

// The entry's line rebuilt from its normalised fields, with ";" after each, cut to 66 characters.
std::string normalisedLine(const ReadoutLog& readoutLog, const ReadoutEntry& entry,
                           const NormaliseOptions& options);

inline constexpr std::size_t kMaxStoredPunchLine = 66;

template <typename Keep> void compact(ReadoutLog& readoutLog, Keep&& keep) {
    std::string bytes;
    std::size_t kept = 0;
    for (ReadoutEntry entry : readoutLog.entries) {
        if (!keep(entry)) continue;
        const std::size_t begin = bytes.size();
        bytes.append(readoutLog.bytes, entry.lineBegin, entry.lineLength);
        entry.lineBegin = begin;
        readoutLog.entries[kept++] = entry;
    }
    readoutLog.entries.resize(kept);
    if (readoutLog.entries.capacity() > 2 * kept + 64) readoutLog.entries.shrink_to_fit();
    readoutLog.bytes = std::move(bytes);
    readoutLog.state.consumed = readoutLog.bytes.size();
    readoutLog.state.entryCount = kept;
}

} // namespace ravik
