#pragma once
// The competitor file: CompetitorRecords in table order, loaded into the
// competitor table and rewritten whole from it.
#include "core/competitor_record.h"
#include "core/competitor_table.h"

#include <string>
#include <vector>

namespace ravik {

class Log;

enum class CompetitorFileState {
    Missing,       // no file: an empty race
    Loaded,        // read into the table
    NotRecognised, // a size that is neither 220 nor 212 bytes per record, far too large, or
                   // 212-byte records whose text fields are no text
};

struct CompetitorFileLoad {
    CompetitorFileState state = CompetitorFileState::Missing;
    int records = 0;
    bool legacyLayout = false;
};

// Far beyond any race (the table takes 2000 competitors); a larger file is not read.
inline constexpr std::int64_t kMaxCompetitorFileRecords = 100000;

// Reads every record of the file (either layout). Throws IoError when the file
// exists but cannot be read. NotRecognised yields no records.
std::vector<CompetitorRecord> readCompetitorRecords(const std::string& path,
                                                    CompetitorFileLoad* outcome = nullptr);

// Clears the table to its heading row and fills it from the file; at least one
// empty competitor row. The heading row is left as it was.
CompetitorFileLoad loadCompetitorTable(const std::string& path, CompetitorTable& table);

// One table row turned into a record, with the save's checks: failing cells are
// logged ("!!! On row ...") and stored as empty values. Start cells with a comma
// get a point instead, in the table too.
CompetitorRecord recordFromRow(CompetitorTable& table, int row, Log& log);

// The table's cells for one record.
TableRow rowFromRecord(const CompetitorRecord& record);

// The file's bytes for table rows 1..last, with the save's checks.
std::string competitorFileBytes(CompetitorTable& table, Log& log);

// Rewrites the file from table rows 1..last, through a temporary file beside it.
void saveCompetitorTable(const std::string& path, CompetitorTable& table, Log& log);

struct IdAndName {
    std::int32_t id;
    std::string name;
};
// IDs and names of the file's records, in file order (the manual entry's lists).
std::vector<IdAndName> readIdsAndNames(const std::string& path);

} // namespace ravik
