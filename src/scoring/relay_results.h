#pragma once
// Relay results: competitors grouped into teams by their relay number, each team
// scored as a Farsta, Motala or Družstva (teams) relay and ranked by its total.
#include "core/race_record.h"
#include "scoring/stage_result.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ravik {

enum class RelayForm {
    None,   // no radio button selected: no relay page
    Farsta, // RadioButton1: same controls, a different answer on each leg
    Motala, // RadioButton2: each member picks a share of one course; the answers are merged
    Teams,  // RadioButton3 "Družstva": the members' results simply added
};

inline constexpr int kMaxLegs = 5;

struct RelayTeam {
    std::int32_t number = 0;
    std::vector<const StageResult*> legs; // table order; a sixth member takes the fifth leg's place
    std::int64_t teamTime = 0;            // race times of the legs, seconds
    std::int64_t teamTc = 0;              // legs' totals, seconds
    std::int64_t teamPoints = 0;
    std::int64_t teamTotal = 0; // the ranking value, seconds
    std::int64_t teamOvertime = 0;
    std::int32_t teamLimit = 0; // minutes, from the last leg of a selected class
    std::int32_t place = 0;     // 0: not placed, a leg did not start or finish
    // DidNotStart when a leg did not start, else DidNotFinish when one did not finish, else Ok.
    StageStatus status = StageStatus::Ok;
    int classSlot = -1; // the legs' class (last leg of a selected class) for merged cells
    // Motala and Družstva: the legs merged control by control.
    std::array<std::string, kControls> mergedAnswer;
    std::array<bool, kControls> mergedWrong{};
    std::array<bool, kControls> mergedNotCounted{};
};

struct RelayStanding {
    std::vector<RelayTeam> teams; // ranked teams in place order, then the teams not placed
    int legCount = 0;             // J: the most legs of any team
};

// Edit6 as a number: its leading digits, 0 when it holds none.
std::int64_t legControlsNumber(const std::string& edit6);

// Scores and ranks the teams 1 and up (team 0, no relay number, is never ranked).
// A team is ranked when one of its legs is of a selected class and it has a total
// or a result (a perfect team with total 0 is ranked first; a team with nothing
// yet is not listed). Equal totals go by team number. A team with a leg that did
// not start or finish is not placed (place 0) and follows the placed teams, by total.
RelayStanding rankRelays(const std::vector<StageResult>& results, const RaceRecord& record,
                         const std::vector<std::string>& selectedClasses, RelayForm form,
                         std::int32_t penaltySeconds, std::int64_t legControls);

} // namespace ravik
