// The result printout's use of the results window: the main window's current
// stage scored with this window's scoring controls, the competitor's class alone
// ranked. The window's own choices (stage box, class lists) stay as they are.
#include "app/results_window.h"

#include "app/application.h"
#include "core/file_io.h"
#include "core/session.h"
#include "slips/printout.h"

namespace ravik {

std::vector<PrintoutData> ResultsWindow::makePrintouts() {
    Session& session = app_.session();
    // Without the race file there is no stage to compute (a competitor chosen in an earlier race).
    const std::string& racePath = session.race.racePath();
    if (racePath.empty() || !fileExists(racePath)) return {};
    PrintoutRequest request;
    request.competitorId = printoutCompetitor_;
    const int stage = session.race.currentStage();
    request.run.scoring = readScoringControls(stage);
    request.run.cache = scoreCacheOf(stage);
    return ravik::makePrintouts(session, request).printouts;
}

} // namespace ravik
