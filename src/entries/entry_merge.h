#pragma once
// Merging one imported competitor into the competitor table (both imports): a
// row of exactly the same name keeps its row and only gets the card updated; a
// new name adds a row. Either way the competitor starts in the chosen stage.
#include "core/competitor_table.h"

#include <string>

namespace ravik {

// Texts in code page 1250.
struct ImportedCompetitor {
    std::string id; // start number (text import only)
    std::string registration;
    std::string competitorClass;
    std::string card;
    std::string name;
    std::string country;
    std::string relay;
};

enum class MergeOutcome { Matched, Added, TableFull };

// Stage 1..5. A new row fills the table's only competitor row when that row is
// wholly empty, and is appended otherwise. A new row is not added when the table already holds
// kMaxCompetitors rows.
MergeOutcome mergeImportedCompetitor(CompetitorTable& table, const ImportedCompetitor& competitor, int stage);

} // namespace ravik
