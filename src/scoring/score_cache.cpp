#include "scoring/score_cache.h"

#include "core/byte_io.h"
#include "core/platform/files.h"
#include "core/race_file.h"
#include "core/session.h"
#include "readout/punch_file.h"
#include "readout/timed_control_file.h"
#include "scoring/class_lookup.h"
#include "scoring/number_cells.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

namespace ravik {
namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

std::int64_t nanoseconds(std::chrono::system_clock::time_point time) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
}

std::string classBytes(const ClassDefinition& definition) {
    ByteWriter out;
    encode(definition, out);
    std::string bytes(out.bytes().begin(), out.bytes().end());
    // The format lies outside the layout and changes the scoring as much.
    const ClassRules& rules = definition.rules;
    bytes += std::string(formatName(rules.format)) + ' ' + std::to_string(rules.time_factor) + ' ' +
             std::to_string(rules.overtime_seconds_per_point);
    return bytes;
}

// The stage record without its classes: the zero time and whatever else the stage holds.
std::string stageBytes(const RaceRecord& record) {
    RaceRecord stage = record;
    stage.classes = {};
    return encodeRaceRecord(stage);
}

bool sameCells(const TableRow& kept, const TableRow& now, const std::array<int, 8>& columns) {
    for (const int c : columns)
        if (kept[c] != now[c]) return false;
    return true;
}

// The competitor numbers whose punch or timed-control file is among the changed
// names; a name is his when it is exactly what his ID makes of it.
std::unordered_set<std::int32_t> fileNumbersAmong(const FolderChanges& changes) {
    std::unordered_set<std::int32_t> numbers;
    for (const std::string& name : changes.names)
        for (const std::string_view extension : {kPunchFileExtension, kTimedControlFileExtension}) {
            if (!name.ends_with(extension)) continue;
            const std::string_view stem(name.data(), name.size() - extension.size());
            std::int32_t number = 0;
            const auto [end, error] = std::from_chars(stem.data(), stem.data() + stem.size(), number);
            if (error == std::errc() && end == stem.data() + stem.size() && std::to_string(number) == stem)
                numbers.insert(number);
        }
    return numbers;
}

// A file system without nanoseconds keeps whole seconds, within which a rewrite
// of the same size looks the same; a file changed just before it was read may
// still be changing.
bool settled(const FileState& file, std::int64_t readAt, std::int64_t settling) {
    if (!file.exists) return true;
    for (const std::int64_t time : {file.modified, file.changed})
        if (time % kNanosecondsPerSecond == 0 || time > readAt - settling) return false;
    return true;
}

} // namespace

FileState fileState(const std::string& path) {
    const auto status = platform::statusOf(path);
    if (!status) return {};
    return {.exists = true,
            .size = status->size,
            .links = status->links,
            .modified = nanoseconds(status->modified),
            .changed = nanoseconds(status->changed),
            .inode = status->identity.inode,
            .device = status->identity.device};
}

StageScoreCache::StageScoreCache(std::chrono::nanoseconds settling, Watch watch)
    : settling_(settling), watchChoice_(watch) {}

void StageScoreCache::clear() {
    scorer_.reset();
    stageFolder_.clear();
    options_.reset();
    stageBytes_.clear();
    classBytes_ = {};
    results_.clear();
    inputs_.clear();
}

bool StageScoreCache::sameStage(const RaceRecord& record, const std::string& stageFolder,
                                const ScoringOptions& options, bool recordAsKept) {
    ScoringOptions scoring = options;
    scoring.selectedClasses.clear();
    std::string stage = recordAsKept ? std::string() : stageBytes(record);
    const bool same =
        options_ == scoring && stageFolder_ == stageFolder && (recordAsKept || stageBytes_ == stage);
    if (!same) {
        inputs_.clear();
        options_ = std::move(scoring);
        stageFolder_ = stageFolder;
        if (!recordAsKept) stageBytes_ = std::move(stage);
    }
    return same;
}

std::vector<StageResult>& StageScoreCache::score(const CompetitorTable& table, const RaceRecord& record,
                                                 const std::string& stageFolder,
                                                 const ScoringOptions& options,
                                                 std::vector<SkippedFile>* skipped) {
    rescored_ = 0;
    try {
        // The record as the scorer has it: nothing of the stage or its classes changed.
        const bool recordAsKept = scorer_.has_value() && record == record_;
        bool sameRecord = sameStage(record, stageFolder, options, recordAsKept);
        std::array<bool, kClassSlots> classChanged{};
        for (int slot = 0; slot < kClassSlots && !recordAsKept; ++slot) {
            std::string bytes = classBytes(record.classes[slot]);
            classChanged[slot] = bytes != classBytes_[slot];
            if (classChanged[slot]) sameRecord = false;
            classBytes_[slot] = std::move(bytes);
        }
        if (!sameRecord || !scorer_) {
            scorer_.reset();
            record_ = record;
            scorer_.emplace(record_, stageFolder, options);
        }

        // Only his own punch and timed-control files bear on a row: the changed
        // names that are neither say nothing about any competitor.
        const FolderChanges changes =
            watchChoice_ == Watch::StageFolder ? watch_.look(stageFolder) : FolderChanges{};
        const std::unordered_set<std::int32_t> changedNumbers = fileNumbersAmong(changes);

        const bool anyClassChanged =
            std::find(classChanged.begin(), classChanged.end(), true) != classChanged.end();
        const auto rows = static_cast<std::size_t>(table.competitorRows());
        results_.resize(rows);
        inputs_.resize(rows);
        const std::int64_t settling = settling_.count();
        // The watch has heard nothing of his files since they were last read.
        const auto filesQuiet = [&](const RowInputs& kept) {
            return kept.watched && !changes.everything &&
                   (kept.cells[column::kId].empty() || !changedNumbers.contains(kept.fileNumber));
        };
        for (int row = 1; row < table.rowCount(); ++row) {
            RowInputs& kept = inputs_[row - 1];
            StageResult& result = results_[row - 1];
            const auto keep = [&](std::uint64_t revision) {
                kept.revision = revision;
                kept.reused = true;
                result.place = 0;
                result.eligible = false;
            };
            // The quick way: a row untouched since its cells were compared.
            const std::uint64_t revision = table.revision(row);
            if (kept.revision == revision && !anyClassChanged && filesQuiet(kept)) {
                keep(revision);
                continue;
            }
            const TableRow& cells = table.row(row);
            const int slot = classSlotOf(record, cells[column::kClass]);
            const bool sameRow = kept.classSlot == slot && (slot < 0 || !classChanged[slot]) &&
                                 sameCells(kept.cells, cells, scorer_->columnsRead());
            if (sameRow && filesQuiet(kept)) {
                keep(revision);
                continue;
            }
            const bool hasFiles = !cells[column::kId].empty();
            const std::int32_t number = hasFiles ? numberCellValue(cells[column::kId]) : 0;
            FileState punches, timedControls;
            if (hasFiles) {
                const std::string name = std::to_string(number);
                punches = fileState(punchFilePath(stageFolder, name));
                timedControls = fileState(timedControlFilePath(stageFolder, name));
            }
            const bool watchable = changes.watching && punches.links <= 1 && timedControls.links <= 1;
            if (sameRow && kept.trusted && kept.punches == punches && kept.timedControls == timedControls) {
                kept.watched = watchable;
                keep(revision);
                continue;
            }
            std::vector<SkippedFile> unreadable;
            result = scorer_->score(table, row, &unreadable);
            ++rescored_;
            const std::int64_t readAt = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                            std::chrono::system_clock::now().time_since_epoch())
                                            .count();
            kept = {.cells = cells,
                    .revision = revision,
                    .classSlot = slot,
                    .fileNumber = number,
                    .punches = punches,
                    .timedControls = timedControls,
                    .trusted = unreadable.empty() && settled(punches, readAt, settling) &&
                               settled(timedControls, readAt, settling),
                    .watched = unreadable.empty() && watchable};
            if (skipped) skipped->insert(skipped->end(), unreadable.begin(), unreadable.end());
        }
    } catch (...) {
        clear();
        throw;
    }
    return results_;
}

void StageScoreCache::writeBack(CompetitorTable& table, int stage) {
    for (int row = 1; row < table.rowCount() && row <= static_cast<int>(results_.size()); ++row) {
        RowInputs& kept = inputs_[row - 1];
        const std::uint64_t before = table.revision(row);
        if (kept.reused && kept.writtenBack == before) continue;
        writeBackResult(table, results_[row - 1], stage);
        // Only result cells moved: the cells compared are still those kept.
        if (kept.revision == before) kept.revision = table.revision(row);
        kept.writtenBack = table.revision(row);
    }
}

std::vector<StageResult>& scoreStage(Session& session, const RaceRecord& record,
                                     const ScoringOptions& options, StageScoreCache& cache,
                                     std::vector<std::string>* skippedMessages) {
    return scoreStageWith(
        session, options,
        [&](const std::string& stageFolder, std::vector<SkippedFile>& skipped) -> std::vector<StageResult>& {
            return cache.score(session.table, record, stageFolder, options, &skipped);
        },
        [&](CompetitorTable& table, const std::vector<StageResult>&) {
            cache.writeBack(table, options.stage);
        },
        skippedMessages);
}

} // namespace ravik
