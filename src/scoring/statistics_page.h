#pragma once
// The answer statistics page of a stage: the counts of answerStatistics() drawn
// as small bars (plain HTML in code page 1250, no script), the correct answer's
// bar in green and a voided control or task as a grey "X".
#include "core/language.h"
#include "core/race_record.h"
#include "scoring/answer_statistics.h"
#include "scoring/page_options.h"

#include <string>
#include <vector>

namespace ravik {

class Session;

struct StatisticsOptions {
    int stage = 1;
    std::vector<std::string> selectedClasses; // code page 1250, stage list order
    bool unansweredIsWrong = false;           // the IOF rule for the station penalties
    std::string raceName;                     // h2, code page 1250
    std::string generated;                    // "time, date" of the Generated line; empty = now
};

std::string buildStatisticsPage(const std::vector<ClassStatistics>& classes, const RaceRecord& record,
                                const StatisticsOptions& options, Language language);

// "statistika_E1_kategorie_H21.htm" / "statistics_E1_class_H21.htm" in the stage folder.
std::string statisticsPagePath(const std::string& stageFolder, int stage,
                               const std::vector<std::string>& selectedClasses, Language language);

// Counts the session's field (the stage record read as it starts; its race name
// heads the page when options.raceName is empty), writes the page into the stage folder, logs it
// (and every skipped file: "Skipped the file PATH: REASON", also added to
// `skippedMessages` when given) and returns its path. Throws IoError when the
// stage folder does not exist.
std::string writeStatisticsPage(Session& session, const StatisticsOptions& options,
                                std::vector<std::string>* skippedMessages = nullptr);

} // namespace ravik
