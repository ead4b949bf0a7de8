#pragma once
// Table pieces shared by the stage and relay pages: the header with its control
// and timed-control columns, the flag cell, and the detail cells of one result.
#include "core/page_text.h"
#include "core/race_record.h"
#include "scoring/page_options.h"
#include "scoring/stage_result.h"

#include <map>
#include <string>
#include <vector>

namespace ravik {

// C and T of the selected classes: the highest control slot with a flag range and
// the largest number of stations with a first correct answer.
struct PageColumns {
    int controls = 0;
    int stations = 0;
    // 3, plus 4 with the score columns, plus C + T with the details.
    int width(const PageOptions& options) const;
};
PageColumns pageColumns(const RaceRecord& record, const std::vector<std::string>& selectedClasses);

// The header rows. The answer row shows the last selected class's answers when one
// class is selected or the courses are the same, "*" otherwise.
void writeHeader(PageLines& page, const PageColumns& columns, const PageOptions& options,
                 const RaceRecord& record, const std::vector<std::string>& selectedClasses);

// The nationality: a picture from the race folder's flags/ when it exists (named
// relative to the stage folder, "../flags/CZE.jpg"), else text.
class FlagCells {
public:
    explicit FlagCells(std::string raceFolder) : raceFolder_(std::move(raceFolder)) {}
    // "<td bgcolor=#EEEEEE><img src=...>" or "<td>" + nationality.
    std::string cell(const std::string& nationality);

private:
    bool hasPicture(const std::string& nationality);
    std::string picturePath(const std::string& nationality) const;
    std::string raceFolder_;
    std::map<std::string, bool> known_;
};

// Which form the timed-control cells take.
enum class StationCells {
    Main,    // every station 1..T, grey when switched off, tasks 1 to 9
    Leaders, // only stations answered at task 1, no shading, tasks 1 to 10 (leaders block, relay legs)
};

// The control cells 1..C and the station cells of one result, judged against the
// definition of its class.
void writeDetailCells(PageLines& page, const StageResult& result, const ClassDefinition& definition,
                      const PageColumns& columns, bool splits, StationCells stations);

} // namespace ravik
