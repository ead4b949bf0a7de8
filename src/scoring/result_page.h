#pragma once
// The stage result page of the selected classes (and the ORIS text file beside it).
#include "core/language.h"
#include "core/race_record.h"
#include "scoring/page_options.h"
#include "scoring/stage_result.h"

#include <string>
#include <vector>

namespace ravik {

class Log;

struct ResultPage {
    std::string html; // the page, code page 1250, CR LF
    std::string oris; // the ORIS text file's lines (written only with the oris option)
};

// Builds the page from ranked results. raceFolder locates the flags/ pictures.
ResultPage buildResultPage(const std::vector<StageResult>& results, const RaceRecord& record,
                           const std::vector<std::string>& selectedClasses, const PageOptions& options,
                           Language language, const std::string& raceFolder);

// The page file in the stage folder, named in the language.
std::string resultPagePath(const std::string& stageFolder, int stage,
                           const std::vector<std::string>& selectedClasses, Language language);

// Writes the page (and the ".csv" text file with oris) into the stage folder,
// logs them and returns the page's path.
std::string writeResultPage(const std::vector<StageResult>& results, const RaceRecord& record, int stage,
                            const std::vector<std::string>& selectedClasses, const PageOptions& options,
                            Language language, const std::string& raceFolder, const std::string& stageFolder,
                            Log& log);

} // namespace ravik
