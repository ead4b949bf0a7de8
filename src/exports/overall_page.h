#pragma once
// The overall results page: one ranked table over the chosen stages, written
// into the race folder in code page 1250.
#include "core/language.h"
#include "exports/overall_results.h"
#include "scoring/stage_status.h"

#include <functional>
#include <string>
#include <vector>

namespace ravik {

class RaceContext;

// "overall_results_" + stages part + "_class_" + classes part + ".htm", for
// example "overall_results_E1+E2_class_H21+D21.htm" (a native UTF-8 name).
std::string overallFileName(const OverallOptions& options);

// Whether a flag picture exists for the country.
using FlagLookup = std::function<bool(const std::string& country)>;

// The page (code page 1250, CR LF). A stage the competitor did not start or
// finish shows the status instead of the TC time (and no points for a DNS); such
// a competitor is not placed and shows "DNS" or "DNF" in the place cell.
// Throws ConversionError, in the language, when the number of held places
// (Edit4) is needed and is not a number.
std::string overallPage(const CompetitorTable& table, const OverallOptions& options,
                        const FlagLookup& hasFlag, Language language, const StageStatusLookup& statusOf = {});

// Writes the page into the race folder, rewritten whole; returns its path. Flag
// pictures are looked for where the page refers to them: the "flags" folder
// beside the page. The stages' DNS and DNF come from `statusOf` when given (a run
// that has just scored the stages), else from the punch and timed-control files
// of the stage folders. Throws IoError when the folder cannot be written.
std::string writeOverallResults(const RaceContext& race, const CompetitorTable& table,
                                const OverallOptions& options, Language language,
                                const StageStatusLookup& statusOf = {});

} // namespace ravik
