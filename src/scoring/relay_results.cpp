#include "scoring/relay_results.h"

#include "core/numbers.h"
#include "scoring/class_lookup.h"

#include <algorithm>
#include <map>

namespace ravik {
namespace {

constexpr int kMaxMergedLetters = 3;

void mergeFlags(RelayTeam& team, const StageResult& leg, int slot) {
    if (leg.answer[slot].empty()) return;
    team.mergedWrong[slot] = team.mergedWrong[slot] || leg.wrong[slot];
    team.mergedNotCounted[slot] = team.mergedNotCounted[slot] || leg.notCounted[slot];
}

void appendAnswer(std::string& merged, const std::string& answer) {
    merged = (merged + answer).substr(0, kMaxMergedLetters);
}

bool hasResult(const RelayTeam& team) {
    for (const StageResult* leg : team.legs) {
        if (leg->raceTime > 0) return true;
        for (const std::string& answer : leg->answer)
            if (!answer.empty()) return true;
    }
    return false;
}

StageStatus teamStatus(const RelayTeam& team) {
    auto anyLeg = [&](StageStatus status) {
        return std::any_of(team.legs.begin(), team.legs.end(),
                           [&](const StageResult* leg) { return leg->status == status; });
    };
    return anyLeg(StageStatus::DidNotStart)    ? StageStatus::DidNotStart
           : anyLeg(StageStatus::DidNotFinish) ? StageStatus::DidNotFinish
                                               : StageStatus::Ok;
}

void scoreTeam(RelayTeam& team, const RaceRecord& record, const std::vector<std::string>& selectedClasses,
               RelayForm form, std::int64_t penalty, std::int64_t legControls, int legCount) {
    std::int64_t controlsOfLastSelected = 0;
    const ClassDefinition* lastSelected = nullptr;
    std::int64_t farstaMissing = 0;
    for (const StageResult* leg : team.legs) {
        team.teamTime += leg->raceTime;
        team.teamTc += leg->total;
        std::int64_t controls = 0;
        if (leg->classSlot >= 0 && isSelected(selectedClasses, leg->className)) {
            const ClassDefinition& definition = record.classes[leg->classSlot];
            team.teamLimit = definition.time_limit;
            controls = scoredControlCount(definition);
            controlsOfLastSelected = controls;
            lastSelected = &definition;
            team.classSlot = leg->classSlot;
        }
        farstaMissing += controls - leg->points;
        team.teamPoints += form == RelayForm::Motala ? 0 : leg->points;
        for (int slot = 0; slot < kControls; ++slot) {
            if (form == RelayForm::Motala && team.mergedAnswer[slot] != leg->answer[slot])
                appendAnswer(team.mergedAnswer[slot], leg->answer[slot]);
            if (form == RelayForm::Teams) appendAnswer(team.mergedAnswer[slot], leg->answer[slot]);
            mergeFlags(team, *leg, slot);
        }
    }
    if (team.classSlot < 0 && !team.legs.empty()) team.classSlot = team.legs.front()->classSlot;
    switch (form) {
    case RelayForm::Farsta:
        team.teamTotal = penalty * farstaMissing + team.teamTc;
        break;
    case RelayForm::Motala:
        team.teamPoints = 0;
        for (int slot = 0; lastSelected && slot < controlCount(*lastSelected); ++slot)
            if (!isVoidedControl(*lastSelected, slot) && !team.mergedWrong[slot] &&
                !team.mergedNotCounted[slot])
                ++team.teamPoints;
        team.teamTotal = penalty * (controlsOfLastSelected - team.teamPoints) + team.teamTc;
        break;
    case RelayForm::Teams:
        team.teamTotal = penalty * (legControls * legCount - team.teamPoints) + team.teamTc;
        break;
    case RelayForm::None:
        break;
    }
    const std::int64_t limitSeconds = static_cast<std::int64_t>(team.teamLimit) * 60;
    if (team.teamTime > limitSeconds) {
        team.teamOvertime = (team.teamTime - limitSeconds) / 300 + 1;
        team.teamTotal += penalty * team.teamOvertime;
    }
}

} // namespace

std::int64_t legControlsNumber(const std::string& edit6) {
    return isDigitsOnly(edit6) ? leadingDigits(edit6) : 0;
}

RelayStanding rankRelays(const std::vector<StageResult>& results, const RaceRecord& record,
                         const std::vector<std::string>& selectedClasses, RelayForm form,
                         std::int32_t penaltySeconds, std::int64_t legControls) {
    std::map<std::int32_t, RelayTeam> teams;
    for (const StageResult& result : results) {
        if (result.relay == 0) continue;
        RelayTeam& team = teams[result.relay];
        team.number = result.relay;
        if (team.legs.size() < kMaxLegs)
            team.legs.push_back(&result);
        else
            team.legs.back() = &result;
    }
    RelayStanding standing;
    for (const auto& [number, team] : teams)
        standing.legCount = std::max(standing.legCount, static_cast<int>(team.legs.size()));
    for (auto& [number, team] : teams) {
        scoreTeam(team, record, selectedClasses, form, penaltySeconds, legControls, standing.legCount);
        team.status = teamStatus(team);
        const bool selected = std::any_of(team.legs.begin(), team.legs.end(), [&](const StageResult* leg) {
            return isSelected(selectedClasses, leg->className);
        });
        if (selected && (team.teamTotal > 0 || hasResult(team))) standing.teams.push_back(std::move(team));
    }
    // The map holds the teams by number, so equal totals keep team-number order.
    std::stable_sort(
        standing.teams.begin(), standing.teams.end(), [](const RelayTeam& a, const RelayTeam& b) {
            const bool aPlaced = a.status == StageStatus::Ok, bPlaced = b.status == StageStatus::Ok;
            if (aPlaced != bPlaced) return aPlaced;
            return a.teamTotal < b.teamTotal;
        });
    std::int32_t place = 0;
    for (RelayTeam& team : standing.teams)
        if (team.status == StageStatus::Ok) team.place = ++place;
    return standing;
}

} // namespace ravik
