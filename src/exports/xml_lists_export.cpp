#include "exports/xml_lists_export.h"

#include "core/file_io.h"
#include "core/platform/platform.h"
#include "core/prompt.h"
#include "core/race_file.h"
#include "core/session.h"
#include "core/texts/exports_texts.h"
#include "exports/iof_document.h"
#include "exports/iof_times.h"
#include "exports/overall_result_xml.h"
#include "exports/relay_result_xml.h"
#include "exports/result_list_export.h"
#include "exports/start_list_xml.h"
#include "scoring/page_skeleton.h"
#include "scoring/score_cache.h"

#include <algorithm>

namespace ravik {
namespace {

std::string createTimeOr(const std::string& given) {
    return given.empty() ? iofCreationTime(platform::localNow()) : given;
}

// The stage's record when the stage is in the race and its times can be written.
std::optional<RaceRecord> exportableStage(const Session& session, int stage, Prompt& prompt) {
    const std::string& racePath = session.race.racePath();
    if (stage < 1 || stage > std::min(stageCount(racePath), kMaxStages)) {
        prompt.information(session.text(texts::kXmlNoStage) + std::to_string(stage));
        return std::nullopt;
    }
    RaceRecord record = readStage(racePath, stage);
    if (const auto refusal = resultListRefusal(record)) {
        prompt.information(session.text(*refusal));
        return std::nullopt;
    }
    return record;
}

std::string written(const Session& session, const std::string& path, const std::string& bytes,
                    Prompt& prompt) {
    writeFileAtomically(path, bytes);
    prompt.information(session.text(texts::kXmlFileCreatedBefore) + path +
                       session.text(texts::kXmlFileCreatedAfter));
    return path;
}

} // namespace

std::string startListXmlPath(const std::string& racePath, int stage) {
    return iofFilePath(racePath, "_StartList_E" + std::to_string(stage));
}

std::string overallXmlPath(const std::string& racePath, const OverallOptions& options) {
    std::string stages;
    for (int stage = 1; stage <= kStages; ++stage)
        if (options.stages[stage - 1]) stages += (stages.empty() ? "E" : "+E") + std::to_string(stage);
    return iofFilePath(racePath, "_OverallResults_" + stages + "_class_",
                       selectedClassesText(options.classes));
}

std::string relayXmlPath(const std::string& racePath, int stage, const std::vector<std::string>& classes) {
    return iofFilePath(racePath, "_RelayResults_E" + std::to_string(stage) + "_class_",
                       selectedClassesText(classes));
}

std::optional<std::string> exportStartListXml(const Session& session, int stage, Prompt& prompt,
                                              const std::string& createTime) {
    const auto record = exportableStage(session, stage, prompt);
    if (!record) return std::nullopt;
    const std::string bytes = startListXml({*record, session.table, stage, createTimeOr(createTime)});
    return written(session, startListXmlPath(session.race.racePath(), stage), bytes, prompt);
}

std::optional<XmlExportOutcome> exportOverallXml(Session& session, const OverallOptions& options,
                                                 const ScoringOptions& scoring, Prompt& prompt,
                                                 const StageCacheOf& cacheOf, const std::string& createTime) {
    if (std::none_of(options.stages.begin(), options.stages.end(), [](bool chosen) { return chosen; })) {
        prompt.information(session.text(texts::kXmlNoStagesChosen));
        return std::nullopt;
    }
    std::array<std::optional<RaceRecord>, kStages> records;
    for (int stage = 1; stage <= kStages; ++stage)
        if (options.stages[stage - 1] && !(records[stage - 1] = exportableStage(session, stage, prompt)))
            return std::nullopt;
    const OverallScoring scored = scoreOverallStages(session, options, scoring, cacheOf);
    const StageStatusLookup statusOf = scored.lookup();
    const std::string bytes =
        overallResultXml({session.table, options, statusOf, records, createTimeOr(createTime)});
    XmlExportOutcome outcome;
    outcome.skippedFiles = scored.skippedFiles;
    outcome.path = written(session, overallXmlPath(session.race.racePath(), options), bytes, prompt);
    return outcome;
}

std::optional<XmlExportOutcome> exportRelayXml(Session& session, const RelayXmlOptions& options,
                                               Prompt& prompt) {
    if (options.form == RelayForm::None) {
        prompt.information(session.text(texts::kXmlNoRelayForm));
        return std::nullopt;
    }
    const int stage = options.scoring.stage;
    const auto record = exportableStage(session, stage, prompt);
    if (!record) return std::nullopt;
    // While another program holds the race the teams are scored in memory and nothing of the race is saved.
    const bool saves = !session.readOnly();
    if (saves) session.requireWritable();
    XmlExportOutcome outcome;
    std::vector<StageResult> unkept;
    const std::vector<StageResult>& results =
        options.cache ? scoreStage(session, *record, options.scoring, *options.cache, &outcome.skippedFiles)
                      : (unkept = scoreStage(session, *record, options.scoring, &outcome.skippedFiles));
    if (saves) session.saveCompetitors();
    const auto& selected = options.scoring.selectedClasses;
    const RelayStanding standing = rankRelays(results, *record, selected, options.form,
                                              wrongAnswerPenaltySeconds(options.scoring.wrongAnswerPenalty),
                                              legControlsNumber(options.legControls));
    const std::string bytes =
        relayResultXml({standing, *record, session.table, selected, createTimeOr(options.createTime)});
    outcome.path = written(session, relayXmlPath(session.race.racePath(), stage, selected), bytes, prompt);
    return outcome;
}

} // namespace ravik
