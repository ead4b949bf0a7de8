#pragma once
// The results window's "Výsledky" (Button2) without the window: score the stage,
// write the points back, save the competitor file, then write the stage page or
// the relay page, or hand the results to the printout in printout mode.
#include "core/race_record.h"
#include "scoring/page_options.h"
#include "scoring/relay_results.h"
#include "scoring/stage_scoring.h"

#include <functional>
#include <string>
#include <vector>

namespace ravik {

class Session;
class StageScoreCache;

struct ResultsRunOptions {
    ScoringOptions scoring;
    PageOptions page;
    bool relayRace = false;                // CheckBox6 "štafetový závod"
    RelayForm relayForm = RelayForm::None; // RadioButton1 Farsta, RadioButton2 Motala, RadioButton3 Družstva
    std::string legControls;               // Edit6: controls each member answers (Družstva)
    // Printout mode: the printout gets the ranked results and the stage record
    // they were scored with, and no page is written.
    bool printoutMode = false;
    std::function<void(const std::vector<StageResult>&, const RaceRecord&)> printout;
    // The window's results of this stage kept from earlier runs: only rows whose
    // inputs changed are scored again. Without it every row is scored.
    StageScoreCache* cache = nullptr;
};

struct ResultsRunOutcome {
    std::vector<StageResult> results; // empty with a cache, which holds them
    std::string pagePath;           // the page written; empty in printout mode or for a relay without a form
    bool noClassSelected = false;   // nothing was scored or written: the page would have had no class
    std::string wrongAnswerPenalty; // Edit1 as the run used it ("60" when it was empty and needed)
    // The log lines of punch and timed-control files that could not be read and were left out.
    std::vector<std::string> skippedFiles;
    // The warnings about the stage's class definitions, logged before the scoring.
    std::vector<std::string> definitionWarnings;
};

// The stage record is read from the race file as the run starts, so a change
// saved a moment ago (a voided control) is scored. Throws IoError/ConversionError;
// the table is written back and saved only when every ID and relay cell holds a
// number, the stage folder exists and the session may change the race's files
// (RaceLockedError otherwise).
ResultsRunOutcome runResults(Session& session, const ResultsRunOptions& options);

} // namespace ravik
