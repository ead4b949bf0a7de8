#include "scoring/stage_scoring.h"

#include "core/competitor_table.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/numbers.h"
#include "core/session.h"
#include "core/texts/scoring_texts.h"
#include "core/time_of_day.h"
#include "readout/punch_file.h"
#include "readout/timed_control_file.h"
#include "scoring/class_lookup.h"
#include "scoring/number_cells.h"
#include "scoring/sprint_scoring.h"
#include "scoring/tempo_scoring.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_map>

namespace ravik {
namespace {

constexpr std::int32_t kSplitFold = 43200;
// Far beyond any real punch file; a larger one is damaged and stops the run.
constexpr std::int64_t kMaxPunchFileBytes = 16 * 1024 * 1024;
constexpr int kMaxAnswerLetters = 3;
constexpr const char kAnswerLetters[kAnswersPerControl] = {'A', 'B', 'C', 'D', 'E', 'F', 'Z'};

// The punches a class reacts to: station code as decimal text -> (slot, answer position),
// in slot order and then answer order; and the four break codes.
struct ClassCodes {
    std::unordered_map<std::string, std::vector<std::pair<int, int>>> answers;
    std::array<std::string, 4> breaks; // break-1 start, end, break-2 start, end; empty = none
};

// Code 0 means "no station" and never matches a punch.
std::string codeText(std::int32_t code) {
    return code == 0 ? std::string() : std::to_string(code);
}

ClassCodes codesOf(const ClassDefinition& definition) {
    ClassCodes codes;
    for (int slot = 0; slot < kControls; ++slot)
        for (int position = 0; position < kAnswersPerControl; ++position) {
            const std::string code = codeText(definition.answer_codes[slot][position]);
            if (!code.empty()) codes.answers[code].emplace_back(slot, position);
        }
    codes.breaks = {codeText(definition.break1_from_code), codeText(definition.break1_to_code),
                    codeText(definition.break2_from_code), codeText(definition.break2_to_code)};
    return codes;
}

// A start offset cell as the competitor file keeps it (single precision minutes);
// nullopt when the cell holds no number.
std::optional<float> startOffset(std::string cell) {
    std::replace(cell.begin(), cell.end(), ',', '.');
    if (!isDigitsAndPoints(cell)) return std::nullopt;
    const auto value = leadingDecimal(cell);
    if (!value) return std::nullopt;
    return static_cast<float>(*value);
}

// Start without a start punch: zero time + offset, folded once into the day.
std::optional<std::string> computedStart(const std::string& stageStart, std::optional<float> offset) {
    const auto zero = zeroTimeSeconds(stageStart);
    if (!zero || !offset) return std::nullopt;
    const double exact = static_cast<double>(*zero) + static_cast<double>(*offset) * 60.0;
    if (!(exact < 1e9)) return std::nullopt;
    auto seconds = static_cast<std::int64_t>(std::trunc(exact));
    if (seconds > kSecondsPerDay - 1) seconds -= kSecondsPerDay;
    return clockText(seconds);
}

// Reads the timed-control file; false when it does not exist.
bool readTimedControls(StageResult& result, const std::string& path) {
    if (fileSize(path) < 0) return false;
    const auto lines = readTimedControlFile(path);
    for (std::size_t station = 0; station < lines.size() && station < kClusters; ++station) {
        const std::string& answers = lines[station].answers;
        for (std::size_t task = 0; task < answers.size() && task < kClusterSlots; ++task)
            if (answers[task] != '-') result.tcAnswer[station][task] = std::string(1, answers[task]);
        result.tcTime[station] = lines[station].seconds.value_or(0);
    }
    return true;
}

// What the punch file says about the competitor's run.
struct PunchFileFacts {
    bool exists = false;
    // Lines with a time of day, or answers at the class's controls typed without
    // one. The manual entry writes its start and break lines even with empty
    // times; those alone are no punches.
    int punches = 0;
    // Times past the end of a day (a garbled line): such a punch is no punch.
    std::vector<std::string> timesOutsideDay;
};

PunchFileFacts readPunches(StageResult& result, const std::string& path, const ClassCodes* codes,
                           std::array<std::string, 4>& breakTimes) {
    PunchFileFacts facts;
    if (fileSize(path) < 0) return facts;
    facts.exists = true;
    std::string previous;
    std::int32_t counter = 1;
    for (const PunchLine& punch : parsePunchFile(readWholeFile(path, kMaxPunchFileBytes))) {
        if (!isTimeOfDay(punch.time)) {
            facts.timesOutsideDay.push_back(punch.time.substr(0, 20));
            continue;
        }
        const std::int32_t before = counter;
        if (punch.isStart()) {
            result.start = punch.time.substr(0, 10);
            previous = result.start;
        } else if (punch.isFinish()) {
            result.finish = punch.time.substr(0, 10);
        } else if (punch.isControl() && codes) {
            if (const auto found = codes->answers.find(punch.code); found != codes->answers.end()) {
                for (const auto& [slot, position] : found->second) {
                    result.sequence[slot] = counter++;
                    if (result.answer[slot].size() < kMaxAnswerLetters)
                        result.answer[slot] += kAnswerLetters[position];
                    if (!previous.empty() && !punch.time.empty()) {
                        std::int32_t split = timeDifference(previous, punch.time);
                        if (split > kSplitFold) split -= kSplitFold;
                        result.split[slot] = split;
                    }
                    previous = punch.time;
                }
            }
            for (int b = 0; b < 4; ++b)
                if (!codes->breaks[b].empty() && punch.code == codes->breaks[b]) breakTimes[b] = punch.time;
        }
        if (!punch.time.empty() || counter != before) ++facts.punches;
    }
    return facts;
}

// DNS and DNF from the files; a class whose limit is 0 has no finishing rule,
// except a sprint, which is ranked by its course time and so needs the finish.
StageStatus finishingStatus(bool timedControlFile, const PunchFileFacts& punches, const StageResult& result,
                            const ClassDefinition& definition) {
    if (!timedControlFile && !punches.exists) return StageStatus::DidNotStart;
    if (definition.rules.sprint() && result.finish.empty()) return StageStatus::DidNotFinish;
    if (punches.punches > 0 && result.finish.empty() && definition.time_limit > 0)
        return StageStatus::DidNotFinish;
    return StageStatus::Ok;
}

// "AA" and "AAA" become "A"; other answers stay.
void collapseRepeats(std::string& answer) {
    if (answer.size() >= 2 &&
        std::all_of(answer.begin(), answer.end(), [&](char c) { return c == answer[0]; }))
        answer.resize(1);
}

void scorePoints(StageResult& result, const ClassDefinition& definition, bool keepOrder) {
    result.points = 0;
    if (!keepOrder) {
        for (int slot = 0; slot < kControls; ++slot) {
            std::string& answer = result.answer[slot];
            collapseRepeats(answer);
            if (answer.empty() || isVoidedControl(definition, slot)) continue;
            if (answer == definition.control_answer[slot] && !result.wrong[slot]) ++result.points;
            if (answer != definition.control_answer[slot]) result.wrong[slot] = true;
        }
        return;
    }
    result.notCounted.fill(true);
    for (int slot = 0; slot < kControls; ++slot)
        if (isVoidedControl(definition, slot)) result.notCounted[slot] = false;
    const std::int32_t last = *std::max_element(result.sequence.begin(), result.sequence.end());
    int position = 0;
    for (std::int32_t n = 1; n <= last && position < kControls; ++n) {
        for (int slot = position; slot < kControls; ++slot) {
            if (result.sequence[slot] != n) continue;
            // A voided control is as if it were not on the course: it moves nobody's position.
            if (isVoidedControl(definition, slot)) break;
            position = slot;
            std::string& answer = result.answer[slot];
            collapseRepeats(answer);
            if (!answer.empty() && answer == definition.control_answer[slot] && !result.wrong[slot]) {
                ++result.points;
                result.notCounted[slot] = false;
            }
            break;
        }
    }
}

std::string timeOutsideDayReason(const std::string& time) {
    return "the time " + time + " is no time of day";
}

// Runs one file's reader; a file it cannot read is listed and left out.
template <typename Read>
auto readOrSkip(const std::string& path, std::vector<SkippedFile>* skipped, Read read) {
    try {
        return read();
    } catch (const IoError& error) {
        if (skipped) skipped->push_back({path, error.reason().empty() ? error.what() : error.reason()});
        return decltype(read())();
    }
}

// Every cell scoreRow reads (the kept results trust a row whose cells these are).
std::array<int, 8> columnsReadByScoreRow(int stage) {
    return {column::kId,   column::kName,  column::kClass,       column::kRegistration,
            column::kFlag, column::kRelay, column::start(stage), column::disqualified(stage)};
}

StageResult scoreRow(const CompetitorTable& table, int row, const RaceRecord& record,
                     const std::vector<ClassCodes>& codes, const std::string& stageFolder,
                     const ScoringOptions& options, std::vector<SkippedFile>* skipped) {
    static const ClassDefinition kNoClass;
    StageResult result;
    result.row = row;
    const std::string& idCell = table.cell(row, column::kId);
    result.id = numberCellValue(idCell);
    result.name = table.cell(row, column::kName);
    result.className = table.cell(row, column::kClass);
    result.registration = table.cell(row, column::kRegistration);
    result.nationality = table.cell(row, column::kFlag).substr(0, 3);
    result.startCell = table.cell(row, column::start(options.stage));
    result.relay = numberCellValue(table.cell(row, column::kRelay));
    result.classSlot = classSlotOf(record, result.className);
    const ClassDefinition& definition = result.classSlot >= 0 ? record.classes[result.classSlot] : kNoClass;

    // A row without an ID has no files of its own.
    std::array<std::string, 4> breakTimes;
    bool timed = false;
    PunchFileFacts punched;
    if (!idCell.empty()) {
        const std::string name = std::to_string(result.id);
        const std::string timedControlPath = timedControlFilePath(stageFolder, name);
        timed = readOrSkip(timedControlPath, skipped,
                           [&] { return readTimedControls(result, timedControlPath); });
        const std::string punchPath = punchFilePath(stageFolder, name);
        punched = readOrSkip(punchPath, skipped, [&] {
            return readPunches(result, punchPath, result.classSlot >= 0 ? &codes[result.classSlot] : nullptr,
                               breakTimes);
        });
        // A file there but unreadable still shows he started.
        if (!punched.exists && fileSize(punchPath) >= 0) punched.exists = true;
        if (skipped)
            for (const std::string& time : punched.timesOutsideDay)
                skipped->push_back({punchPath, timeOutsideDayReason(time), SkippedFile::Part::Line});
    }
    result.status = table.cell(row, column::disqualified(options.stage)) == "DISK"
                        ? StageStatus::Disqualified
                        : finishingStatus(timed, punched, result, definition);
    if (punched.exists)
        for (int slot = 0; slot < kControls; ++slot)
            result.wrong[slot] =
                !isVoidedControl(definition, slot) && result.answer[slot] != definition.control_answer[slot];

    // Without a start punch he started at his offset in this stage.
    std::string start = result.start;
    if (start.empty() && !record.stage_start.empty())
        start = computedStart(record.stage_start, startOffset(result.startCell)).value_or(std::string());
    if (!breakTimes[0].empty() && !breakTimes[1].empty())
        result.break1 = timeDifference(breakTimes[0], breakTimes[1]);
    if (!breakTimes[2].empty() && !breakTimes[3].empty())
        result.break2 = timeDifference(breakTimes[2], breakTimes[3]);
    if (!start.empty() && !result.finish.empty())
        result.raceTime = static_cast<std::int32_t>(std::clamp<std::int64_t>(
            std::int64_t{timeDifference(start, result.finish)} - result.break1 - result.break2, INT32_MIN,
            INT32_MAX));
    const std::int64_t limitSeconds = static_cast<std::int64_t>(definition.time_limit) * 60;
    if (result.raceTime > limitSeconds)
        result.overtime = static_cast<std::int32_t>(
            std::min<std::int64_t>((result.raceTime - limitSeconds) / 300 + 1, INT32_MAX));

    scorePoints(result, definition, options.keepOrder);
    scoreTimedControls(result, definition, options.unansweredIsWrong);
    if (definition.rules.sprint()) {
        applySprintRules(result, definition);
        return result;
    }
    if (options.tempoStyle) applyTempoStyle(result, wrongAnswerPenaltySeconds(options.wrongAnswerPenalty));
    return result;
}

void requireStage(int stage) {
    if (stage < 1 || stage > kMaxStages)
        throw ConversionError("Stage " + std::to_string(stage) + " does not exist");
}

} // namespace

std::string skippedMessage(const SkippedFile& file, Language language) {
    return file.part == SkippedFile::Part::File ? tr(language, texts::kFileSkippedBefore) + file.path +
                                                      tr(language, texts::kFileSkippedMiddle) + file.reason
                                                : tr(language, texts::kLineSkippedBefore) + file.path +
                                                      tr(language, texts::kLineSkippedMiddle) + file.reason;
}

std::int32_t wrongAnswerPenaltySeconds(const std::string& edit1) {
    const std::string digits = digitsOnly(edit1);
    return digits.empty() ? 60 : leadingDigits(digits);
}

StageResult readCompetitorFiles(const std::string& stageFolder, const std::string& idCell,
                                const ClassDefinition& definition, std::string* unreadablePath) {
    StageResult result;
    if (idCell.empty() || !isNumberCell(idCell)) {
        result.status = StageStatus::DidNotStart;
        return result;
    }
    const std::string name = std::to_string(numberCellValue(idCell));
    const ClassCodes codes = codesOf(definition);
    std::array<std::string, 4> breakTimes;
    const auto naming = [&](const std::string& path, auto read) {
        try {
            return read(path);
        } catch (const IoError&) {
            if (unreadablePath) *unreadablePath = path;
            throw;
        }
    };
    const bool timed = naming(timedControlFilePath(stageFolder, name),
                              [&](const std::string& path) { return readTimedControls(result, path); });
    const PunchFileFacts punched = naming(punchFilePath(stageFolder, name), [&](const std::string& path) {
        return readPunches(result, path, &codes, breakTimes);
    });
    result.status = finishingStatus(timed, punched, result, definition);
    return result;
}

struct StageScorer::Prepared {
    const RaceRecord& record;
    std::string stageFolder;
    ScoringOptions options;
    std::vector<ClassCodes> codes;
    std::array<int, 8> columnsRead;
};

StageScorer::StageScorer(const RaceRecord& record, const std::string& stageFolder,
                         const ScoringOptions& options) {
    requireStage(options.stage);
    prepared_.reset(new Prepared{record, stageFolder, options, {}, columnsReadByScoreRow(options.stage)});
    for (const ClassDefinition& definition : record.classes)
        prepared_->codes.push_back(codesOf(definition));
}

const std::array<int, 8>& StageScorer::columnsRead() const {
    return prepared_->columnsRead;
}

StageScorer::~StageScorer() = default;
StageScorer::StageScorer(StageScorer&&) noexcept = default;
StageScorer& StageScorer::operator=(StageScorer&&) noexcept = default;

StageResult StageScorer::score(const CompetitorTable& table, int row,
                               std::vector<SkippedFile>* skipped) const {
    const Prepared& p = *prepared_;
    return scoreRow(table, row, p.record, p.codes, p.stageFolder, p.options, skipped);
}

std::vector<StageResult> scoreCompetitors(const CompetitorTable& table, const RaceRecord& record,
                                          const std::string& stageFolder, const ScoringOptions& options,
                                          std::vector<SkippedFile>* skipped) {
    const StageScorer scorer(record, stageFolder, options);
    std::vector<StageResult> results;
    results.reserve(table.competitorRows());
    for (int row = 1; row < table.rowCount(); ++row)
        results.push_back(scorer.score(table, row, skipped));
    return results;
}

std::vector<StageResult> scoreStage(Session& session, const RaceRecord& record, const ScoringOptions& options,
                                    std::vector<std::string>* skippedMessages) {
    std::vector<StageResult> results;
    scoreStageWith(
        session, options,
        [&](const std::string& stageFolder, std::vector<SkippedFile>& skipped) -> std::vector<StageResult>& {
            results = scoreCompetitors(session.table, record, stageFolder, options, &skipped);
            return results;
        },
        [&](CompetitorTable& table, const std::vector<StageResult>& ranked) {
            writeBackResults(table, ranked, options.stage);
        },
        skippedMessages);
    return results;
}

std::vector<StageResult>& scoreStageWith(Session& session, const ScoringOptions& options,
                                         const RowScoring& scoreRows, const ResultWriteBack& writeBack,
                                         std::vector<std::string>* skippedMessages) {
    checkNumberCells(session.table, session.language);
    // Scoring an empty stand-in would write zero points for everyone.
    const std::string stageFolder = session.race.stageFolder(options.stage);
    if (!folderExists(stageFolder))
        throw IoError(session.text(texts::kStageFolderNotFoundBefore) + stageFolder +
                      session.text(texts::kStageFolderNotFoundAfter));
    std::vector<SkippedFile> skipped;
    std::vector<StageResult>& results = scoreRows(stageFolder, skipped);
    for (const SkippedFile& file : skipped) {
        const std::string message = skippedMessage(file, session.language);
        session.log.append(message);
        if (skippedMessages) skippedMessages->push_back(message);
    }
    rankResults(results, options, session.log);
    writeBack(session.table, results);
    return results;
}

} // namespace ravik
