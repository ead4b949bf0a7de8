#pragma once
// One read-out pass: reads the whole SI log, groups its lines by card, finds the
// competitor of each card in the competitor table and writes each new card's
// punch file into the stage folder, once. Cards without a competitor get a file
// "SI" + card number and are listed for the user (Memo2).
#include "core/competitor_table.h"
#include "core/language.h"
#include "core/log.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ravik {

class Session;

// The lamp Shape1: silver at start, then red and green in turn, one change per pass.
enum class LampColour { Silver, Red, Green };
LampColour nextLampColour(LampColour current);

struct ReadoutOptions {
    std::string logPath;      // cestaSI (file-system path)
    bool rewriteDate = false; // CheckBox1
    std::string raceDate;     // novedatum as typed (UTF-8); replaces every PunchDate when rewriteDate
    std::string stageFolder;  // the current stage folder, ending with a separator
    LampColour lamp = LampColour::Silver; // Shape1 before the pass
    // The time of the pass (the system clock when unset): how long the log and
    // the cards still being read have stood still is measured against it.
    std::optional<std::chrono::system_clock::time_point> now;
};

struct ReadoutPassResult {
    LampColour lamp = LampColour::Silver; // Shape1 after the pass
    // True when Memo2 is to be replaced by `unassigned`; false when the pass ended
    // before reading (locked log, no log path) and Memo2 keeps its content.
    bool replaceMemo2 = false;
    std::vector<std::string> unassigned;    // Memo2 lines ("SI" + card number), every unassigned card
    std::vector<std::string> newPunchFiles; // names (ID or "SI" + card) of the files written in this pass
    // A punch file could not be written (the log names it and the system's reason),
    // or the stage folder is missing.
    bool writeFailed = false;
    // The session may not change the race's files (another program holds it): nothing was read.
    bool refused = false;
    // A card was left for a later pass because the read-out software may still be writing it.
    bool cardsBeingRead = false;
};

// A card is written only once it is complete: it has its finish line, or the log
// has not changed for this long, or (with a ReadoutMemory) the card's lines have
// not changed for kSettledPasses passes and this long. Until then the read-out
// software may still be writing it.
inline constexpr int kCardSettledSeconds = 3;
inline constexpr int kSettledPasses = 2;
// A pass this long after one that left a card still being read finds that the
// log has stood still: a card read straight from a station needs no poll timer.
inline constexpr std::chrono::milliseconds kSettlePassDelay{(kCardSettledSeconds + 1) * 1000};

// What one pass leaves for the next so that the steady state stays cheap: where
// reading stopped in the log (the read-out station only appends, so a pass reads
// only the bytes added since), the lines of the cards whose punch files are not
// yet written, the cards read so far and the names in the stage folder (listed
// again whenever the folder changes); for cards not yet complete, how long their
// lines have stayed the same; and the unassigned cards already cautioned about,
// so that the caution is logged once per card and again only when the card's
// lines change (a pass without it cautions about every unassigned card).
// It is checked at every pass: a log replaced, cut or rewritten, another stage
// folder or date rewrite, a punch file gone from the folder or a card given to
// another competitor, and the whole log is read again. Apart from the two points
// above, the outcome of a pass is the same with or without it.
struct ReadoutMemory;
std::shared_ptr<ReadoutMemory> makeReadoutMemory();

// Called for every new punch file of a competitor (not for cards without one),
// after the file is written; the name is the competitor's ID cell (code page 1250).
using NewPunchFileHook = std::function<void(const std::string& name)>;

ReadoutPassResult runReadoutPass(const ReadoutOptions& options, const CompetitorTable& table,
                                 Language language, Log& log, const NewPunchFileHook& onNewPunchFile = {},
                                 ReadoutMemory* memory = nullptr);

// The same with the session's table, language and log.
ReadoutPassResult runReadoutPass(const ReadoutOptions& options, Session& session,
                                 const NewPunchFileHook& onNewPunchFile = {},
                                 ReadoutMemory* memory = nullptr);

// The poll interval of CSVautomat: the leading digits of intervalCSV as seconds;
// anything that is not a positive number gives 5 s. In milliseconds.
int readoutIntervalMs(const std::string& intervalText);
// The message logged when the automatic read-out starts (interval text as typed).
std::string readoutTimerMessage(Language language, const std::string& intervalText);

} // namespace ravik
