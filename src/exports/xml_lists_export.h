#pragma once
// The IOF XML start list, overall results and relay results, written beside the
// race file as the stage result lists are ("XML startovka", "XML celkové",
// "XML štafety", and `ravik-cli export-xml --kind startlist|overall|relay`).
#include "exports/overall_run.h"
#include "scoring/relay_results.h"
#include "scoring/stage_scoring.h"

#include <optional>
#include <string>
#include <vector>

namespace ravik {

class Prompt;
class Session;
class StageScoreCache;

// The race path without ".ravik", then "_StartList_E" + s + ".xml",
// "_OverallResults_E1+E2_class_" + classes + ".xml" or
// "_RelayResults_E" + s + "_class_" + classes + ".xml" (classes joined by "+").
std::string startListXmlPath(const std::string& racePath, int stage);
std::string overallXmlPath(const std::string& racePath, const OverallOptions& options);
std::string relayXmlPath(const std::string& racePath, int stage, const std::vector<std::string>& classes);

struct XmlExportOutcome {
    std::string path;
    // The log lines of punch and timed-control files that could not be read and were left out.
    std::vector<std::string> skippedFiles;
};

// Each writes its file (rewritten whole) and tells "File … created."; a stage that
// is not in the race, or whose date or zero time would make the times invalid, is
// told and nothing is written (nullopt). `createTime` empty: now.

// The start list of the stage from the session's table.
std::optional<std::string> exportStartListXml(const Session& session, int stage, Prompt& prompt,
                                              const std::string& createTime = {});

// Scores the chosen stages as the overall page does (scoreOverallStages) and
// writes their overall results; no stage chosen is told.
std::optional<XmlExportOutcome> exportOverallXml(Session& session, const OverallOptions& options,
                                                 const ScoringOptions& scoring, Prompt& prompt,
                                                 const StageCacheOf& cacheOf = {},
                                                 const std::string& createTime = {});

struct RelayXmlOptions {
    ScoringOptions scoring; // stage, selected classes and the scoring controls
    RelayForm form = RelayForm::None;
    std::string legControls;          // Edit6
    StageScoreCache* cache = nullptr; // the window's kept results of the stage
    std::string createTime{};
};

// Scores the stage and ranks the relays as the relay page does (the competitor
// file saved), then writes the teams; no relay form chosen is told.
std::optional<XmlExportOutcome> exportRelayXml(Session& session, const RelayXmlOptions& options,
                                               Prompt& prompt);

} // namespace ravik
