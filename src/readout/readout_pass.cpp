#include "readout/readout_pass.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/folder_names.h"
#include "core/numbers.h"
#include "core/race_file.h"
#include "core/session.h"
#include "core/stage_classes.h"
#include "core/texts/readout_texts.h"
#include "readout/punch_file.h"
#include "readout/readout_log.h"

#include <bitset>
#include <chrono>
#include <cstring>
#include <ctime>
#include <optional>
#include <sys/stat.h>
#include <unordered_map>

namespace ravik {

namespace {

bool isAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// A log shorter than this holds at most the header and one short line.
constexpr std::int64_t kMinimumLogBytes = 128;

// The first competitor row (with an ID) of every card number in the SI column.
struct CardIndex {
    std::unordered_map<std::int64_t, std::string> idOfCard;
    int rowsWithoutId = 0;
};

CardIndex indexTableByCard(const CompetitorTable& table) {
    CardIndex index;
    for (int row = 1; row < table.rowCount(); ++row) {
        const std::string& id = table.cell(row, column::kId);
        if (id.empty()) {
            ++index.rowsWithoutId;
            continue;
        }
        if (const auto card = cardNumberOf(table.cell(row, column::kSi)))
            index.idOfCard.try_emplace(*card, id);
    }
    return index;
}

// Cards in the order of their first line, each with its lines in log order.
struct CardGroups {
    std::vector<std::int64_t> cards;
    std::vector<std::uint32_t> firstEntry, lastEntry;
    std::vector<std::uint32_t> nextEntry; // per entry; kNone ends the card
    static constexpr std::uint32_t kNone = UINT32_MAX;
};

CardGroups groupByCard(const std::vector<ReadoutEntry>& entries) {
    CardGroups groups;
    groups.nextEntry.assign(entries.size(), CardGroups::kNone);
    std::unordered_map<std::int64_t, std::uint32_t> groupOfCard;
    groupOfCard.reserve(entries.size() / 8 + 16);
    // The lines of one read-out stand together: the previous line's card is looked up once.
    std::int64_t previousCard = -1;
    std::uint32_t previousGroup = 0;
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        const std::int64_t card = entries[i].card;
        std::uint32_t group = previousGroup;
        if (card != previousCard || i == 0) {
            const auto [it, isNew] =
                groupOfCard.try_emplace(card, static_cast<std::uint32_t>(groups.cards.size()));
            group = it->second;
            if (isNew) {
                groups.cards.push_back(card);
                groups.firstEntry.push_back(i);
                groups.lastEntry.push_back(i);
                previousCard = card;
                previousGroup = group;
                continue;
            }
        }
        groups.nextEntry[groups.lastEntry[group]] = i;
        groups.lastEntry[group] = i;
        previousCard = card;
        previousGroup = group;
    }
    return groups;
}

// The card's lines up to its first "FIN", each code once.
std::vector<std::string> punchFileLines(const ReadoutLog& readoutLog, const CardGroups& groups,
                                        std::size_t group, const NormaliseOptions& options) {
    std::vector<std::string> lines;
    std::bitset<kMaxControlCode + 1> seen;
    for (std::uint32_t i = groups.firstEntry[group]; i != CardGroups::kNone; i = groups.nextEntry[i]) {
        const ReadoutEntry& entry = readoutLog.entries[i];
        if (!seen[entry.code]) lines.push_back(normalisedLine(readoutLog, entry, options));
        seen[entry.code] = true;
        if (entry.finish) break;
    }
    return lines;
}

using Clock = std::chrono::steady_clock;

// A card without its finish line whose punch file is not yet written: how many
// lines it had and since when, and how many passes have seen it so since.
struct CardProgress {
    std::uint32_t lines = 0;
    int unchangedPasses = 0;
    Clock::time_point since{};
};
using CardsInProgress = std::unordered_map<std::int64_t, CardProgress>;

// The unassigned cards already cautioned about, with where their lines ended in
// the log then. The log only grows while it is remembered, so a card's lines end
// further on exactly when the card is read again (a log read anew forgets them).
using CautionedCards = std::unordered_map<std::int64_t, std::size_t>;

// The log has not been written to for kCardSettledSeconds (looked at after reading it).
bool logSettled(const std::string& logPath) {
    struct stat info {};
    if (::stat(logPath.c_str(), &info) != 0) return false;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const double age = static_cast<double>(now.tv_sec - info.st_mtim.tv_sec) +
                       static_cast<double>(now.tv_nsec - info.st_mtim.tv_nsec) / 1e9;
    return age >= kCardSettledSeconds;
}

struct PassInputs {
    const ReadoutOptions& options;
    const CompetitorTable& table;
    Language language;
    Log& log;
    const NewPunchFileHook& hook;
    bool logSettled;
};

class Pass {
public:
    Pass(const PassInputs& inputs, ReadoutPassResult& result, FolderNames& stageFolder,
         CardsInProgress& inProgress, CautionedCards& cautioned)
        : options_(inputs.options), table_(inputs.table), language_(inputs.language), log_(inputs.log),
          hook_(inputs.hook), result_(result), stageFolder_(stageFolder), inProgress_(inProgress),
          cautioned_(cautioned), logSettled_(inputs.logSettled) {
        normalise_.rewriteDate = options_.rewriteDate;
        normalise_.raceDate = utf8ToCp1250(options_.raceDate);
    }

    void assignCards(const ReadoutLog& readoutLog) {
        const CardGroups groups = groupByCard(readoutLog.entries);
        const CardIndex index = indexTableByCard(table_);
        for (int i = 0; i < index.rowsWithoutId; ++i)
            log_.append(text(texts::kMissingId));
        existing_ = stageFolder_.look(options_.stageFolder);
        if (!existing_) {
            log_.append(text(texts::kStageFolderMissing) + options_.stageFolder);
            result_.writeFailed = true;
        }
        now_ = Clock::now();
        for (std::size_t group = 0; group < groups.cards.size(); ++group) {
            const std::int64_t card = groups.cards[group];
            const auto competitor = index.idOfCard.find(card);
            const bool assigned = competitor != index.idOfCard.end();
            const std::string name = assigned ? competitor->second : "SI" + std::to_string(card);
            bool beingRead = false;
            if (existing_)
                beingRead = !writeIfNew(
                    name, assigned, card, [&] { return isComplete(readoutLog, groups, group); },
                    [&] { return punchFileLines(readoutLog, groups, group, normalise_); });
            if (assigned) {
                if (!cautioned_.empty())
                    cautioned_.erase(card); // cautioned again should it lose its competitor
                continue;
            }
            result_.unassigned.push_back(name);
            // Cautioned once its lines are all there, and again only when they change.
            const ReadoutEntry& last = readoutLog.entries[groups.lastEntry[group]];
            if (!beingRead) cautionOnce(card, last.lineBegin + last.lineLength);
        }
    }

private:
    std::string text(const Text& t) const { return tr(language_, t); }

    // A card the read-out software may still be writing is left for a later pass.
    bool isComplete(const ReadoutLog& readoutLog, const CardGroups& groups, std::size_t group) {
        std::uint32_t lines = 0;
        for (std::uint32_t i = groups.firstEntry[group]; i != CardGroups::kNone; i = groups.nextEntry[i]) {
            ++lines;
            if (readoutLog.entries[i].finish) return true;
        }
        if (logSettled_) return true;
        CardProgress& progress = inProgress_[groups.cards[group]];
        if (progress.lines != lines) {
            progress = {lines, 0, now_};
            return false;
        }
        ++progress.unchangedPasses;
        return progress.unchangedPasses >= kSettledPasses &&
               now_ - progress.since >= std::chrono::seconds(kCardSettledSeconds);
    }

    // False when the card is left for a later pass: it may still be being read.
    template <typename IsComplete, typename MakeLines>
    bool writeIfNew(const std::string& name, bool assigned, std::int64_t card, IsComplete isComplete,
                    MakeLines makeLines) {
        if (!isSafeFileName(name)) {
            log_.append(text(texts::kIdNotFileName) + cp1250ToUtf8(name));
            return true;
        }
        fileName_.clear();
        if (isAscii(name))
            fileName_.append(name); // the usual ID or "SI" + card: no conversion
        else
            fileName_.append(cp1250ToUtf8(name));
        fileName_.append(kPunchFileExtension);
        if (existing_->contains(fileName_)) return true;
        const std::string& fileName = fileName_;
        const std::string path = options_.stageFolder + fileName;
        if (fileExists(path)) return true; // written since the folder was listed
        if (!isComplete()) {
            log_.append(text(texts::kCardStillBeingReadBefore) + std::to_string(card) +
                        text(texts::kCardStillBeingReadAfter));
            result_.cardsBeingRead = true;
            return false;
        }
        try {
            writePunchFile(path, makeLines());
        } catch (const IoError& error) {
            log_.append(text(texts::kPunchFileNotWritten) + path +
                        (error.reason().empty() ? std::string() : " (" + error.reason() + ")"));
            result_.writeFailed = true;
            return true;
        }
        inProgress_.erase(card);
        stageFolder_.addFile(fileName);
        result_.newPunchFiles.push_back(name);
        if (assigned && hook_) hook_(name);
        return true;
    }

    void cautionOnce(std::int64_t card, std::size_t linesEnd) {
        const auto [it, isNew] = cautioned_.try_emplace(card, linesEnd);
        if (!isNew && it->second == linesEnd) return;
        it->second = linesEnd;
        caution_.resize(cautionPrefix_.size());
        caution_.append(std::to_string(card)).append(cautionSuffix_);
        log_.append(caution_);
    }

    const ReadoutOptions& options_;
    const CompetitorTable& table_;
    Language language_;
    Log& log_;
    const NewPunchFileHook& hook_;
    ReadoutPassResult& result_;
    FolderNames& stageFolder_;
    CardsInProgress& inProgress_;
    CautionedCards& cautioned_;
    const bool logSettled_;
    Clock::time_point now_{};
    NormaliseOptions normalise_;
    // Buffers reused from card to card.
    std::string fileName_;
    const std::string cautionPrefix_ = tr(language_, texts::kCardNotAssignedBefore);
    const std::string cautionSuffix_ = tr(language_, texts::kCardNotAssignedAfter);
    std::string caution_ = cautionPrefix_;
    const FolderNames::Names* existing_ = nullptr; // the stage folder's entries
};

// The line being written by the read-out station takes part in this pass only.
class ReadingRollBack {
public:
    ReadingRollBack(ReadoutLog& readoutLog, const ReadingState& state)
        : readoutLog_(readoutLog), state_(state) {}
    ~ReadingRollBack() { rollBack(readoutLog_, state_); }
    ReadingRollBack(const ReadingRollBack&) = delete;
    ReadingRollBack& operator=(const ReadingRollBack&) = delete;

private:
    ReadoutLog& readoutLog_;
    ReadingState state_;
};

} // namespace

struct ReadoutMemory {
    std::string logPath;
    ReadoutLog log;
    FolderNames stageFolder;
    CardsInProgress inProgress;
    CautionedCards cautioned;
};

std::shared_ptr<ReadoutMemory> makeReadoutMemory() {
    return std::make_shared<ReadoutMemory>();
}

LampColour nextLampColour(LampColour current) {
    return current == LampColour::Red ? LampColour::Green : LampColour::Red;
}

ReadoutPassResult runReadoutPass(const ReadoutOptions& options, const CompetitorTable& table,
                                 Language language, Log& log, const NewPunchFileHook& onNewPunchFile,
                                 ReadoutMemory* memory) {
    ReadoutPassResult result;
    result.lamp = nextLampColour(options.lamp);
    std::optional<std::string> bytes;
    if (fileExists(options.logPath)) {
        try {
            bytes = readWholeFile(options.logPath);
        } catch (const IoError&) {
            log.append(options.logPath + tr(language, texts::kLogLocked));
            return result;
        }
    }
    if (options.logPath.empty()) return result;
    result.replaceMemo2 = true;
    ReadoutMemory passMemory;
    ReadoutMemory& kept = memory ? *memory : passMemory;
    ReadoutLog& readoutLog = kept.log;
    if (!bytes || static_cast<std::int64_t>(bytes->size()) < kMinimumLogBytes) {
        readoutLog = ReadoutLog();
        kept.cautioned.clear();
        log.append(tr(language, texts::kSiLogRead));
        return result;
    }
    // Lines read before stay read while the log only grew behind them.
    const std::size_t read = readoutLog.state.consumed;
    const bool appended = kept.logPath == options.logPath && read <= bytes->size() &&
                          std::memcmp(bytes->data(), readoutLog.bytes.data(), read) == 0;
    if (!appended) {
        readoutLog = ReadoutLog();
        kept.cautioned.clear();
    }
    if (kept.logPath != options.logPath) kept.inProgress.clear();
    kept.logPath = options.logPath;
    readoutLog.bytes = std::move(*bytes);
    const std::size_t lastLineEnd = readoutLog.bytes.rfind('\n');
    continueReading(readoutLog, lastLineEnd == std::string::npos ? 0 : lastLineEnd + 1);
    const ReadingRollBack unfinishedLine(readoutLog, readoutLog.state);
    continueReading(readoutLog, readoutLog.bytes.size());
    reportReading(readoutLog, language, log);
    log.append(tr(language, texts::kSiLogRead));
    if (readoutLog.headerLikeLine() || readoutLog.entries.empty()) return result;
    const PassInputs inputs{options, table, language, log, onNewPunchFile, logSettled(options.logPath)};
    Pass(inputs, result, kept.stageFolder, kept.inProgress, kept.cautioned).assignCards(readoutLog);
    return result;
}

namespace {

// Cards read for competitors of a class the stage lacks are scored nowhere: the log says so.
void logClassesOutsideStage(const ReadoutPassResult& result, Session& session) {
    if (result.newPunchFiles.empty()) return;
    std::vector<std::string> classes;
    const CompetitorTable& table = session.table;
    for (const std::string& name : result.newPunchFiles)
        for (int row = 1; row < table.rowCount(); ++row)
            if (table.cell(row, column::kId) == name) {
                classes.push_back(table.cell(row, column::kClass));
                break;
            }
    const int stage = session.race.currentStage();
    const std::string& path = session.race.racePath();
    if (classes.empty() || stage < 1 || !fileExists(path) || stage > stageCount(path)) return;
    for (const ClassCount& outside : classesOutsideStage(classes, readStage(path, stage)))
        session.log.append(classOutsideStageMessage(outside, stage, session.language));
}

} // namespace

ReadoutPassResult runReadoutPass(const ReadoutOptions& options, Session& session,
                                 const NewPunchFileHook& onNewPunchFile, ReadoutMemory* memory) {
    try {
        session.requireWritable();
    } catch (const RaceLockedError& refusal) {
        ReadoutPassResult result;
        result.lamp = nextLampColour(options.lamp);
        result.refused = true;
        if (session.log.lastLine() != refusal.what()) session.log.append(refusal.what());
        return result;
    }
    // The slips of the pass save the competitor file once, after the last.
    Session::HeldSaves saves(session);
    ReadoutPassResult result =
        runReadoutPass(options, session.table, session.language, session.log, onNewPunchFile, memory);
    saves.finish();
    logClassesOutsideStage(result, session);
    return result;
}

int readoutIntervalMs(const std::string& intervalText) {
    const std::int32_t seconds = leadingDigits(intervalText);
    // Capped so that the milliseconds fit the timer.
    if (seconds <= 0) return 5000;
    return std::min(seconds, 24 * 3600) * 1000;
}

std::string readoutTimerMessage(Language language, const std::string& intervalText) {
    return std::string(tr(language, texts::kTimerOnBefore)) + intervalText +
           tr(language, texts::kTimerOnAfter);
}

} // namespace ravik
