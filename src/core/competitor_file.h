#pragma once
// The competitor file: CompetitorRecords in table order, loaded into the
// competitor table and rewritten whole from it.
#include "core/competitor_record.h"
#include "core/competitor_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace ravik {

class Log;

enum class CompetitorFileState {
    Missing,       // no file: an empty race
    Loaded,        // read into the table
    NotRecognised, // see CompetitorFileProblem
};

// Why a competitor file was not recognised.
enum class CompetitorFileProblem {
    None,
    UnknownSize, // neither 220 nor 212 bytes per record, or far too large
    // A record of the file's layout is damaged: a text length above its field's
    // capacity (or, in 212-byte records, control characters). A size that fits
    // both layouts lands here when neither reading gives plausible records.
    DamagedRecords,
    // A size that fits both layouts (a multiple of 11660 bytes) whose bytes read
    // as plausible records either way: which one they are cannot be told.
    EitherLayout,
};

struct CompetitorFileLoad {
    CompetitorFileState state = CompetitorFileState::Missing;
    CompetitorFileProblem problem = CompetitorFileProblem::None;
    int records = 0;
    bool legacyLayout = false;
};

// A record as the program writes it, read in one layout (220 or 212 bytes): text
// lengths within their capacities and no control characters; whole numbers -1
// (empty) or 0 to 99 999 999; start offsets -1, 0 or a normal number of minutes
// up to 1440 (a day); disqualification flags 0 or 1. Decides the layout of a file
// whose size fits both.
bool isPlausibleRecord(std::string_view record);

// Far beyond any race (the table takes 2000 competitors); a larger file is not read.
inline constexpr std::int64_t kMaxCompetitorFileRecords = 100000;

// Reads every record of the file (either layout). A size that divides by both
// record sizes is read in the layout whose records are all plausible; when both or
// neither are, the file is not recognised. Throws IoError when the file exists but
// cannot be read. NotRecognised yields no records.
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
