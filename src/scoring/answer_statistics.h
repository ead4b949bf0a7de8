#pragma once
// How the field answered: per class of a stage, for every control and every
// timed-control task, how many competitors who started gave each answer. The
// jury reads it before it decides on a complaint.
#include "core/competitor_table.h"
#include "core/race_record.h"
#include "scoring/stage_scoring.h"

#include <array>
#include <string>
#include <vector>

namespace ravik {

// Answers A..F and Z (positions 0..6), then two more columns.
inline constexpr int kStatisticsLetters = kAnswersPerControl;

struct AnswerCounts {
    std::array<int, kStatisticsLetters> letters{}; // one letter (repeats of it count as it)
    int several = 0;                               // different letters, or a sign no answer has
    int none = 0;                                  // nothing punched
    int correct = 0; // the answer as punched equals the correct one (how scoring sees it)
};

struct ControlStatistics {
    int number = 0; // 1..40
    std::string flags, correct;
    bool voided = false;
    AnswerCounts counts;
};

struct TaskStatistics {
    int number = 0; // 1..9
    std::string correct;
    bool voided = false;
    AnswerCounts counts;
};

struct StationStatistics {
    int number = 0; // 1..20
    bool switchedOff = false;
    int timedCompetitors = 0;         // competitors with a time or an answer at the station
    int medianHalfSeconds = 0;        // median station time × 2 (a median may fall between two seconds)
    int medianPenaltyHalfSeconds = 0; // median penalty of those competitors × 2
    std::vector<TaskStatistics> tasks;
};

struct ClassStatistics {
    std::string className; // code page 1250
    int started = 0;       // competitors of the class whose status is not DNS
    std::vector<ControlStatistics> controls;
    std::vector<StationStatistics> stations;
};

// One block per selected class (in the order given) that the stage defines.
// Files that cannot be read are skipped (listed in `skipped` when given) and
// their competitor counts as not started. The station penalties follow the
// IOF rule for unanswered tasks when unansweredIsWrong is set.
std::vector<ClassStatistics> answerStatistics(const CompetitorTable& table, const RaceRecord& record,
                                              int stage, const std::string& stageFolder,
                                              const std::vector<std::string>& selectedClasses,
                                              bool unansweredIsWrong = false,
                                              std::vector<SkippedFile>* skipped = nullptr);

// The column of an answer: 0..6 for A..F, Z; kStatisticsLetters for several; -1 for none.
int answerColumn(const std::string& answer);

} // namespace ravik
