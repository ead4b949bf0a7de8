#include "scoring/results_run.h"

#include "core/race_file.h"
#include "core/session.h"
#include "core/stage_classes.h"
#include "core/texts/scoring_texts.h"
#include "scoring/relay_page.h"
#include "scoring/result_page.h"
#include "scoring/score_cache.h"
#include "setup/definition_checks.h"

namespace ravik {
namespace {

// The class definitions' mistakes, then the competitors the stage's classes pass by.
std::vector<std::string> entryWarnings(const Session& session, const RaceRecord& record, int stage) {
    std::vector<std::string> warnings = stageDefinitionWarnings(record, session.language);
    std::vector<std::string> classes;
    for (int row = 1; row < session.table.rowCount(); ++row)
        if (!session.table.cell(row, column::kId).empty() || !session.table.cell(row, column::kName).empty())
            classes.push_back(session.table.cell(row, column::kClass));
    for (const ClassCount& outside : classesOutsideStage(classes, record))
        warnings.push_back(classOutsideStageMessage(outside, stage, session.language));
    return warnings;
}

} // namespace

ResultsRunOutcome runResults(Session& session, const ResultsRunOptions& options) {
    // A slip needs nothing saved: while another program holds the race it is scored in memory.
    const bool saves = !(options.printoutMode && session.readOnly());
    if (saves) session.requireWritable();
    const RaceRecord record = readStage(session.race.racePath(), options.scoring.stage);
    ResultsRunOutcome outcome;
    if (!options.printoutMode && options.scoring.selectedClasses.empty()) {
        session.log.append(session.text(texts::kNoClassSelected));
        outcome.noClassSelected = true;
        return outcome;
    }
    outcome.wrongAnswerPenalty = options.scoring.wrongAnswerPenalty;
    const bool penaltyNeeded = options.scoring.tempoStyle || options.relayRace;
    if (penaltyNeeded && outcome.wrongAnswerPenalty.empty()) outcome.wrongAnswerPenalty = "60";

    // The organiser sees his definition mistakes where the results come from (not
    // at every slip printed at the read-out).
    if (!options.printoutMode)
        for (std::string& warning : entryWarnings(session, record, options.scoring.stage)) {
            session.log.append(warning);
            outcome.definitionWarnings.push_back(std::move(warning));
        }
    const std::vector<StageResult>& results =
        options.cache
            ? scoreStage(session, record, options.scoring, *options.cache, &outcome.skippedFiles)
            : (outcome.results = scoreStage(session, record, options.scoring, &outcome.skippedFiles));
    if (saves) session.saveCompetitors();

    if (options.printoutMode) {
        if (options.printout) options.printout(results, record);
        return outcome;
    }
    const int stage = options.scoring.stage;
    const std::string stageFolder = session.race.stageFolder(stage);
    PageOptions page = options.page;
    if (page.raceName.empty()) page.raceName = record.race_name;
    const auto& selected = options.scoring.selectedClasses;
    if (!options.relayRace) {
        outcome.pagePath = writeResultPage(results, record, stage, selected, page, session.language,
                                           session.race.raceFolder(), stageFolder, session.log);
    } else if (options.relayForm != RelayForm::None) {
        const RelayStanding standing =
            rankRelays(results, record, selected, options.relayForm,
                       wrongAnswerPenaltySeconds(options.scoring.wrongAnswerPenalty),
                       legControlsNumber(options.legControls));
        outcome.pagePath = writeRelayPage(standing, record, stage, selected, options.relayForm, page,
                                          session.language, stageFolder);
    }
    return outcome;
}

} // namespace ravik
