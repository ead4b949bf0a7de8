#pragma once
// The relay page of the selected classes: one block per ranked team with its legs
// and the team row.
#include "core/language.h"
#include "core/race_record.h"
#include "scoring/page_options.h"
#include "scoring/relay_results.h"

#include <string>
#include <vector>

namespace ravik {

std::string buildRelayPage(const RelayStanding& standing, const RaceRecord& record,
                           const std::vector<std::string>& selectedClasses, RelayForm form,
                           const PageOptions& options, Language language);

// The relay page file in the stage folder, named in the language.
std::string relayPagePath(const std::string& stageFolder, int stage,
                          const std::vector<std::string>& selectedClasses, Language language);

// Writes the page into the stage folder and returns its path (no text file, no log line).
std::string writeRelayPage(const RelayStanding& standing, const RaceRecord& record, int stage,
                           const std::vector<std::string>& selectedClasses, RelayForm form,
                           const PageOptions& options, Language language, const std::string& stageFolder);

} // namespace ravik
