#pragma once
// Stage scoring: every row of the competitor table scored from its punch and
// timed-control files by the PreO and TempO rules, ranked, and written back into
// the table. Nothing is cached between runs.
#include "core/language.h"
#include "core/race_record.h"
#include "scoring/stage_result.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ravik {

class CompetitorTable;
class Log;
class Session;

// The scoring values of the results window.
struct ScoringOptions {
    // Compared as a whole: every option is an input of the scoring.
    bool operator==(const ScoringOptions&) const = default;
    int stage = 1;                            // ComboBox1: the stage scored, written back and paged
    std::vector<std::string> selectedClasses; // ListBox1's selected items, list order, code page 1250
    bool keepOrder = false;                   // CheckBox4 "dodržovat pořadí kontrol"
    bool tempoStyle = false;                  // CheckBox5 "výsledky TempO style"
    std::string wrongAnswerPenalty = "60";    // Edit1: seconds per wrong PreO answer (digits; empty = 60)
    bool unansweredIsWrong = false;           // "Unanswered = wrong (IOF)": a blank task costs P, not 2 x P
};

// Edit1 as seconds: its digits; "60" when it has none.
std::int32_t wrongAnswerPenaltySeconds(const std::string& edit1);

// Stops with ConversionError (a message in the language naming the row) when an
// "ID" or "Štafeta" cell holds something other than a whole number.
void checkNumberCells(const CompetitorTable& table, Language language);

// A competitor's file that could not be read (damaged, over the size limit,
// unreadable): the competitor is scored as if it did not exist; or a line of it
// that was left out.
struct SkippedFile {
    // The whole file, or one of its lines (a punch at a time that is no time of day).
    enum class Part { File, Line };
    std::string path;
    std::string reason; // the system's or the reader's ("larger than 16 MB")
    Part part = Part::File;
};

// "Skipped the file PATH: REASON" or "Left out a line of the file PATH: REASON".
std::string skippedMessage(const SkippedFile& file, Language language);

// Scores every competitor row (table order) of the stage: punch and timed-control
// files from stageFolder, start offsets from the stage's start column.
// Files that cannot be read are skipped and listed in `skipped` when given.
std::vector<StageResult> scoreCompetitors(const CompetitorTable& table, const RaceRecord& record,
                                          const std::string& stageFolder, const ScoringOptions& options,
                                          std::vector<SkippedFile>* skipped = nullptr);

// Scores single rows as scoreCompetitors does; the class codes are prepared once.
// The record is not copied: it must outlive the scorer.
class StageScorer {
public:
    // Throws ConversionError for a stage (or offset stage) that does not exist.
    StageScorer(const RaceRecord& record, const std::string& stageFolder, const ScoringOptions& options);
    ~StageScorer();
    StageScorer(StageScorer&&) noexcept;
    StageScorer& operator=(StageScorer&&) noexcept;
    StageResult score(const CompetitorTable& table, int row, std::vector<SkippedFile>* skipped) const;
    // The table cells score() reads of a row: its result depends on no other cell.
    const std::array<int, 8>& columnsRead() const;

private:
    struct Prepared;
    std::unique_ptr<Prepared> prepared_;
};

// A competitor's files read into a fresh entry, nothing scored: the answers as
// punched at each control (not collapsed), the start and finish punches, the
// timed-control answers and station times (the XML result lists need these), and
// the status the files give (Ok, DidNotFinish or DidNotStart; the DISK cell is
// the caller's). A row whose ID cell is empty or not a whole number has no files
// of its own. Throws IoError when a file exists but cannot be read, after naming
// that file in `unreadablePath` when given.
StageResult readCompetitorFiles(const std::string& stageFolder, const std::string& idCell,
                                const ClassDefinition& definition, std::string* unreadablePath = nullptr);

// The ranking order: net score descending, then total ascending (use with a
// stable sort, so that table order decides the rest).
bool rankedBefore(const StageResult& a, const StageResult& b);

// Places the eligible entries (selected class, start cell not empty) that
// finished or are disqualified: net score descending, total ascending, table
// order; disqualified ones after all others; equal keys share the better place.
// DNF and DNS entries stay at place 0. One log line per placed competitor.
void rankResults(std::vector<StageResult>& results, const ScoringOptions& options, Log& log);

// The eligible entries a page lists after the placed ones: DNF in ranking order,
// then DNS in table order.
std::vector<const StageResult*> unplacedResults(const std::vector<StageResult>& results);

// Points, TC and Pen cells of the stage for every row whose start cell is not
// empty; a DNS leaves the three cells empty.
void writeBackResults(CompetitorTable& table, const std::vector<StageResult>& results, int stage);
void writeBackResult(CompetitorTable& table, const StageResult& result, int stage);

// The whole computation on the session's table: check, score, rank, write back.
// The caller saves the competitor file (session.saveCompetitors()). A stage
// whose folder does not exist stops with IoError before anything changes; every
// skipped file is logged ("Skipped the file PATH: REASON"), and the lines are
// added to `skippedMessages` when given.
std::vector<StageResult> scoreStage(Session& session, const RaceRecord& record, const ScoringOptions& options,
                                    std::vector<std::string>* skippedMessages = nullptr);

// The same around another way of scoring the rows and writing them back (a
// cache): scoreRows gets the stage folder and the list for unreadable files, and
// returns the results it keeps; writeBack writes the ranked results into the table.
using RowScoring = std::function<std::vector<StageResult>&(const std::string& stageFolder,
                                                           std::vector<SkippedFile>& skipped)>;
using ResultWriteBack = std::function<void(CompetitorTable& table, const std::vector<StageResult>& results)>;
std::vector<StageResult>& scoreStageWith(Session& session, const ScoringOptions& options,
                                         const RowScoring& scoreRows, const ResultWriteBack& writeBack,
                                         std::vector<std::string>* skippedMessages = nullptr);

} // namespace ravik
