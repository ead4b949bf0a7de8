#pragma once
// The scored results of one stage kept between runs, each with what it was
// computed from: the identity of the competitor's punch and timed-control files,
// his table cells, his class definition's bytes, the stage record and the scoring
// options. A run re-scores only the rows whose inputs changed; what it returns
// is what scoreCompetitors returns. The window keeps one per stage; the command
// line scores from scratch.
#include "core/competitor_table.h"
#include "core/folder_watch.h"
#include "scoring/stage_scoring.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ravik {

// A file as the file system describes it; two equal identities are taken for the
// same contents. Times in nanoseconds since the epoch.
struct FileState {
    bool exists = false;
    std::int64_t size = 0;
    std::uint64_t links = 0; // a file linked from elsewhere can change unseen by the folder's watch
    std::int64_t modified = 0;
    std::int64_t changed = 0; // inode change: also moves when the modification time is set back
    std::uint64_t inode = 0, device = 0;
    bool operator==(const FileState&) const = default;
};
FileState fileState(const std::string& path);

class StageScoreCache {
public:
    // Without a watch of the stage folder (or where the kernel cannot vouch for it),
    // every competitor's files are looked at: a file changed less than `settling`
    // before it was read may change again within the same tick of the file
    // system's clock, unseen, so its row is read again.
    enum class Watch { StageFolder, None };
    explicit StageScoreCache(std::chrono::nanoseconds settling = std::chrono::seconds(1),
                             Watch watch = Watch::StageFolder);

    // The rows of the table scored as scoreCompetitors scores them; the results
    // stay in the cache (ranking and write-back may work on them in place).
    std::vector<StageResult>& score(const CompetitorTable& table, const RaceRecord& record,
                                    const std::string& stageFolder, const ScoringOptions& options,
                                    std::vector<SkippedFile>* skipped = nullptr);
    // The results of the last run.
    std::vector<StageResult>& results() { return results_; }
    // Writes them back as writeBackResults does, leaving alone the rows whose result
    // was kept and whose cells are as the last write-back left them.
    void writeBack(CompetitorTable& table, int stage);
    // Everything is scored again at the next run.
    void clear();
    // Rows the last run scored from their files.
    int rescoredRows() const { return rescored_; }

private:
    struct RowInputs {
        TableRow cells;             // compared where the scoring reads them
        std::uint64_t revision = 0; // the row's when its cells were last compared
        int classSlot = -1;
        std::int32_t fileNumber = 0; // what his ID names his files (kept to spare parsing it)
        FileState punches, timedControls;
        bool trusted = false; // identities fine-grained and settled, every file readable
        // Read while the stage folder's watch was set: any later change to his files is reported.
        bool watched = false;
        bool reused = false;           // the last run kept his result
        std::uint64_t writtenBack = 0; // the row's revision when his result was last written back
    };
    bool sameStage(const RaceRecord& record, const std::string& stageFolder, const ScoringOptions& options,
                   bool recordAsKept);
    RowInputs inputsOf(const CompetitorTable& table, int row, const RaceRecord& record) const;
    bool sameInputs(const RowInputs& kept, const RowInputs& now) const;

    std::chrono::nanoseconds settling_;
    Watch watchChoice_;
    FolderWatch watch_;
    // What every row depends on.
    std::string stageFolder_;
    std::optional<ScoringOptions> options_; // without the class selection, which only the ranking reads
    std::string stageBytes_;                // the stage record without its classes
    std::array<std::string, kClassSlots> classBytes_;
    RaceRecord record_; // the scorer's
    std::optional<StageScorer> scorer_;
    std::vector<StageResult> results_; // index = table row - 1
    std::vector<RowInputs> inputs_;
    int rescored_ = 0;
};

// scoreStage through the cache: the ranked results are the cache's.
std::vector<StageResult>& scoreStage(Session& session, const RaceRecord& record,
                                     const ScoringOptions& options, StageScoreCache& cache,
                                     std::vector<std::string>* skippedMessages = nullptr);

} // namespace ravik
