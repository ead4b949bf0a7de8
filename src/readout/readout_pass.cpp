#include "readout/readout_pass.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/folder_names.h"
#include "core/numbers.h"
#include "core/opened_file.h"
#include "core/race_file.h"
#include "core/session.h"
#include "core/stage_classes.h"
#include "core/texts/readout_texts.h"
#include "readout/log_position.h"
#include "readout/punch_file.h"
#include "readout/readout_log.h"

#include <algorithm>
#include <bitset>
#include <chrono>
#include <optional>
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

using Clock = std::chrono::system_clock;

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
using CautionedCards = std::unordered_map<std::int64_t, std::uint64_t>;

// The ID and SI columns, which alone decide who carries which card.
std::uint64_t cardColumnsChecksum(const CompetitorTable& table) {
    std::string cells;
    for (int row = 1; row < table.rowCount(); ++row) {
        cells += table.cell(row, column::kId);
        cells += '\0';
        cells += table.cell(row, column::kSi);
        cells += '\n';
    }
    return checksumOf(cells);
}

} // namespace

struct ReadoutMemory {
    LogPosition position;       // how far the log was read
    NormaliseOptions normalise; // the date rewrite the lines were read for
    std::string stageFolderPath;
    // The lines of the cards whose punch files are not yet written, and the lines
    // being read; reading goes on at position.offset.
    ReadoutLog log;
    // Every card read, numbered in the order of its first line, and the unassigned
    // ones among them (Memo2) in that order.
    std::unordered_map<std::int64_t, std::uint32_t> cardOrder;
    std::vector<std::string> unassigned;
    std::uint64_t tableChecksum = 0;
    bool tableKnown = false;
    CardIndex index;
    FolderNames stageFolder;
    std::uint64_t folderRemovals = 0;
    CardsInProgress inProgress;
    CautionedCards cautioned;

    // Everything read from the log is forgotten; what was cautioned about stays
    // unless the log itself is another one.
    void readAnew() {
        std::string path = std::move(position.path);
        position = LogPosition();
        position.path = std::move(path);
        log = ReadoutLog();
        cardOrder.clear();
        unassigned.clear();
    }
};

namespace {

struct PassInputs {
    const ReadoutOptions& options;
    Language language;
    Log& log;
    const NewPunchFileHook& hook;
    bool logSettled;
    Clock::time_point now;
    const FolderNames::Names* existing; // the stage folder's entries, nullptr when it is missing
};

class Pass {
public:
    Pass(const PassInputs& inputs, ReadoutPassResult& result, ReadoutMemory& memory)
        : options_(inputs.options), language_(inputs.language), log_(inputs.log), hook_(inputs.hook),
          result_(result), memory_(memory), logSettled_(inputs.logSettled), now_(inputs.now),
          existing_(inputs.existing) {
        normalise_.rewriteDate = options_.rewriteDate;
        normalise_.raceDate = utf8ToCp1250(options_.raceDate);
    }

    // Assigns the cards that have lines in the memory's log, in the order of
    // their first lines; returns whether each card is settled (its punch file
    // exists), by group.
    std::vector<bool> assignCards(const CardGroups& groups, const std::vector<std::uint32_t>& order) {
        const ReadoutLog& readoutLog = memory_.log;
        const CardIndex& index = memory_.index;
        for (int i = 0; i < index.rowsWithoutId; ++i)
            log_.append(text(texts::kMissingId));
        if (!existing_) {
            log_.append(text(texts::kStageFolderMissing) + options_.stageFolder);
            result_.writeFailed = true;
        }
        std::vector<bool> settled(groups.cards.size(), false);
        for (const std::uint32_t group : order) {
            const std::int64_t card = groups.cards[group];
            const auto competitor = index.idOfCard.find(card);
            const bool assigned = competitor != index.idOfCard.end();
            const std::string name = assigned ? competitor->second : "SI" + std::to_string(card);
            bool beingRead = false;
            if (existing_) {
                const Outcome outcome = writeIfNew(
                    name, assigned, card, [&] { return isComplete(readoutLog, groups, group); },
                    [&] { return punchFileLines(readoutLog, groups, group, normalise_); });
                beingRead = outcome == Outcome::BeingRead;
                settled[group] = outcome == Outcome::Settled;
                if (settled[group] && !memory_.inProgress.empty()) memory_.inProgress.erase(card);
            }
            if (assigned) {
                if (!memory_.cautioned.empty())
                    memory_.cautioned.erase(card); // cautioned again should it lose its competitor
                continue;
            }
            // Cautioned once its lines are all there, and again only when they change.
            if (!beingRead) cautionOnce(card, readoutLog.entries[groups.lastEntry[group]].logEnd);
        }
        return settled;
    }

private:
    enum class Outcome { Settled, BeingRead, NotWritten };

    std::string text(const Text& t) const { return tr(language_, t); }

    // A card the read-out software may still be writing is left for a later pass.
    bool isComplete(const ReadoutLog& readoutLog, const CardGroups& groups, std::size_t group) {
        std::uint32_t lines = 0;
        for (std::uint32_t i = groups.firstEntry[group]; i != CardGroups::kNone; i = groups.nextEntry[i]) {
            ++lines;
            if (readoutLog.entries[i].finish) return true;
        }
        if (logSettled_) return true;
        CardProgress& progress = memory_.inProgress[groups.cards[group]];
        if (progress.lines != lines || now_ < progress.since) {
            progress = {lines, 0, now_};
            return false;
        }
        ++progress.unchangedPasses;
        return progress.unchangedPasses >= kSettledPasses &&
               now_ - progress.since >= std::chrono::seconds(kCardSettledSeconds);
    }

    template <typename IsComplete, typename MakeLines>
    Outcome writeIfNew(const std::string& name, bool assigned, std::int64_t card, IsComplete isComplete,
                       MakeLines makeLines) {
        if (!isSafeFileName(name)) {
            log_.append(text(texts::kIdNotFileName) + cp1250ToUtf8(name));
            return Outcome::NotWritten;
        }
        fileName_.clear();
        if (isAscii(name))
            fileName_.append(name); // the usual ID or "SI" + card: no conversion
        else
            fileName_.append(cp1250ToUtf8(name));
        fileName_.append(kPunchFileExtension);
        if (existing_->contains(fileName_)) return Outcome::Settled;
        const std::string& fileName = fileName_;
        const std::string path = options_.stageFolder + fileName;
        if (fileExists(path)) return Outcome::Settled; // written since the folder was listed
        if (!isComplete()) {
            log_.append(text(texts::kCardStillBeingReadBefore) + std::to_string(card) +
                        text(texts::kCardStillBeingReadAfter));
            result_.cardsBeingRead = true;
            return Outcome::BeingRead;
        }
        try {
            writePunchFile(path, makeLines());
        } catch (const IoError& error) {
            log_.append(text(texts::kPunchFileNotWritten) + path +
                        (error.reason().empty() ? std::string() : " (" + error.reason() + ")"));
            result_.writeFailed = true;
            return Outcome::NotWritten;
        }
        memory_.inProgress.erase(card);
        memory_.stageFolder.addFile(fileName);
        result_.newPunchFiles.push_back(name);
        if (assigned && hook_) hook_(name);
        return Outcome::Settled;
    }

    void cautionOnce(std::int64_t card, std::uint64_t linesEnd) {
        const auto [it, isNew] = memory_.cautioned.try_emplace(card, linesEnd);
        if (!isNew && it->second == linesEnd) return;
        it->second = linesEnd;
        caution_.resize(cautionPrefix_.size());
        caution_.append(std::to_string(card)).append(cautionSuffix_);
        log_.append(caution_);
    }

    const ReadoutOptions& options_;
    Language language_;
    Log& log_;
    const NewPunchFileHook& hook_;
    ReadoutPassResult& result_;
    ReadoutMemory& memory_;
    const bool logSettled_;
    const Clock::time_point now_;
    const FolderNames::Names* existing_;
    NormaliseOptions normalise_;
    // Buffers reused from card to card.
    std::string fileName_;
    const std::string cautionPrefix_ = tr(language_, texts::kCardNotAssignedBefore);
    const std::string cautionSuffix_ = tr(language_, texts::kCardNotAssignedAfter);
    std::string caution_ = cautionPrefix_;
};

// Who carries which card, from the table; the whole log is read again when a
// card already read changes hands.
void followTable(ReadoutMemory& memory, const CompetitorTable& table) {
    const std::uint64_t checksum = cardColumnsChecksum(table);
    if (memory.tableKnown && checksum == memory.tableChecksum) return;
    CardIndex index = indexTableByCard(table);
    const auto read = [&](std::int64_t card) { return memory.cardOrder.contains(card); };
    bool changedHands = false;
    for (const auto& [card, id] : index.idOfCard) {
        const auto before = memory.index.idOfCard.find(card);
        if ((before == memory.index.idOfCard.end() || before->second != id) && read(card))
            changedHands = true;
    }
    for (const auto& [card, id] : memory.index.idOfCard)
        if (!index.idOfCard.contains(card) && read(card)) changedHands = true;
    if (changedHands) memory.readAnew();
    memory.index = std::move(index);
    memory.tableChecksum = checksum;
    memory.tableKnown = true;
}

// Numbers the cards new to the memory in the order of their first lines (new
// cards come after all known ones); returns the groups in card order. A card
// first met on the line still being written is forgotten again after the pass.
std::vector<std::uint32_t> orderCards(ReadoutMemory& memory, const CardGroups& groups,
                                      std::optional<std::int64_t>& numberedOnUnfinishedLine,
                                      std::size_t finishedEntries) {
    std::vector<std::uint32_t> order(groups.cards.size());
    std::vector<std::uint32_t> number(groups.cards.size());
    for (std::uint32_t group = 0; group < groups.cards.size(); ++group) {
        order[group] = group;
        const std::int64_t card = groups.cards[group];
        const auto [it, isNew] =
            memory.cardOrder.try_emplace(card, static_cast<std::uint32_t>(memory.cardOrder.size()));
        number[group] = it->second;
        if (!isNew) continue;
        if (!memory.index.idOfCard.contains(card)) memory.unassigned.push_back("SI" + std::to_string(card));
        if (groups.firstEntry[group] >= finishedEntries) numberedOnUnfinishedLine = card;
    }
    if (!std::is_sorted(order.begin(), order.end(),
                        [&](std::uint32_t a, std::uint32_t b) { return number[a] < number[b]; }))
        std::sort(order.begin(), order.end(),
                  [&](std::uint32_t a, std::uint32_t b) { return number[a] < number[b]; });
    return order;
}

void forgetCard(ReadoutMemory& memory, std::int64_t card) {
    memory.cardOrder.erase(card);
    if (!memory.unassigned.empty() && memory.unassigned.back() == "SI" + std::to_string(card))
        memory.unassigned.pop_back();
}

bool sameOptions(const ReadoutMemory& memory, const NormaliseOptions& normalise,
                 const std::string& stageFolder) {
    return memory.normalise.rewriteDate == normalise.rewriteDate &&
           memory.normalise.raceDate == normalise.raceDate && memory.stageFolderPath == stageFolder;
}

} // namespace

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
    std::optional<OpenedFile> file;
    if (fileExists(options.logPath)) {
        try {
            file.emplace(options.logPath);
        } catch (const IoError&) {
            log.append(options.logPath + tr(language, texts::kLogLocked));
            return result;
        }
    }
    if (options.logPath.empty()) return result;
    result.replaceMemo2 = true;
    ReadoutMemory passMemory;
    ReadoutMemory& kept = memory ? *memory : passMemory;
    if (!file || file->size() < kMinimumLogBytes) {
        kept.readAnew();
        kept.cautioned.clear();
        log.appendDetail(tr(language, texts::kSiLogRead));
        return result;
    }
    const Clock::time_point now = options.now.value_or(Clock::now());

    // What was read before still counts only while the log, the options, the
    // folder's punch files and the cards' competitors are as they were.
    const LogState logState = logStateAgainst(kept.position, options.logPath, *file);
    if (logState != LogState::AsRead) {
        if (kept.position.path != options.logPath) kept.inProgress.clear();
        if (logState == LogState::Replaced) kept.cautioned.clear();
        kept.readAnew();
    }
    NormaliseOptions normalise{.rewriteDate = options.rewriteDate,
                               .raceDate = utf8ToCp1250(options.raceDate)};
    if (!sameOptions(kept, normalise, options.stageFolder)) {
        kept.readAnew();
        kept.normalise = std::move(normalise);
        kept.stageFolderPath = options.stageFolder;
    }
    followTable(kept, table);
    const FolderNames::Names* existing = kept.stageFolder.look(options.stageFolder);
    if (kept.stageFolder.removals() != kept.folderRemovals) {
        kept.readAnew();
        kept.folderRemovals = kept.stageFolder.removals();
    }

    // The bytes added since, up to the end of the last whole line; the line being
    // written takes part in this pass only.
    ReadoutLog& readoutLog = kept.log;
    if (!readoutLog.headerLikeLine()) {
        readoutLog.bytes.resize(readoutLog.state.consumed);
        const std::uint64_t from = readoutLog.state.logOffset;
        try {
            file->readAt(static_cast<std::int64_t>(from), static_cast<std::size_t>(file->size() - from),
                         readoutLog.bytes);
        } catch (const IoError&) {
            log.append(options.logPath + tr(language, texts::kLogLocked));
            kept.readAnew();
            result.replaceMemo2 = false;
            return result;
        }
        const std::size_t lastLineEnd = readoutLog.bytes.rfind('\n');
        continueReading(readoutLog,
                        lastLineEnd == std::string::npos || lastLineEnd < readoutLog.state.consumed
                            ? readoutLog.state.consumed
                            : lastLineEnd + 1);
    }
    const ReadingState finished = readoutLog.state;
    continueReading(readoutLog, readoutLog.bytes.size());
    reportReading(readoutLog, language, log);
    log.appendDetail(tr(language, texts::kSiLogRead));

    std::optional<std::int64_t> numberedOnUnfinishedLine;
    if (!readoutLog.headerLikeLine() && !(readoutLog.entries.empty() && kept.cardOrder.empty())) {
        const CardGroups groups = groupByCard(readoutLog.entries);
        const std::vector<std::uint32_t> order =
            orderCards(kept, groups, numberedOnUnfinishedLine, finished.entryCount);
        result.unassigned = kept.unassigned;
        const PassInputs inputs{options,
                                language,
                                log,
                                onNewPunchFile,
                                now - file->modified() >= std::chrono::seconds(kCardSettledSeconds),
                                now,
                                existing};
        const std::vector<bool> settled = Pass(inputs, result, kept).assignCards(groups, order);
        rollBack(readoutLog, finished);
        if (numberedOnUnfinishedLine) forgetCard(kept, *numberedOnUnfinishedLine);
        // The lines of cards whose punch files exist are not needed again.
        if (memory) {
            std::vector<char> keep(readoutLog.entries.size(), 1);
            for (std::size_t group = 0; group < groups.cards.size(); ++group)
                if (settled[group])
                    for (std::uint32_t i = groups.firstEntry[group];
                         i != CardGroups::kNone && i < keep.size(); i = groups.nextEntry[i])
                        keep[i] = 0;
            std::size_t index = 0;
            compact(readoutLog, [&](const ReadoutEntry&) { return keep[index++] != 0; });
        }
    } else {
        rollBack(readoutLog, finished);
    }
    if (memory) {
        try {
            kept.position = positionIn(options.logPath, *file, readoutLog.state.logOffset);
        } catch (const IoError&) {
            kept.readAnew(); // cut meanwhile: the next pass reads it again
        }
    }
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
