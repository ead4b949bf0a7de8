#include "readout/card_assignment.h"

#include "core/competitor_table.h"
#include "core/cp1250.h"
#include "core/numbers.h"
#include "core/session.h"
#include "core/text_fill.h"
#include "core/texts/readout_texts.h"
#include "readout/punch_file.h"

#include <algorithm>
#include <set>

namespace ravik {
namespace {

// A card number as the read-out pass matches it: the SI cell's leading digits.
std::int32_t cardOfRow(const CompetitorTable& table, int row) {
    return leadingDigits(table.cell(row, column::kSi));
}

std::string shown(const std::string& cp1250) {
    return cp1250ToUtf8(cp1250);
}

} // namespace

std::string likelyClassOfCard(const RaceRecord& stage, const std::vector<int>& punchedCodes) {
    const std::set<int> punched(punchedCodes.begin(), punchedCodes.end());
    int best = 0;
    std::string bestClass;
    bool tie = false;
    for (const ClassDefinition& definition : stage.classes) {
        if (definition.class_name.empty()) continue;
        std::set<int> stations;
        for (const auto& codes : definition.answer_codes)
            for (int code : codes)
                if (code != 0) stations.insert(code);
        const int hits = static_cast<int>(std::count_if(stations.begin(), stations.end(),
                                                        [&](int code) { return punched.count(code) > 0; }));
        if (hits > best) {
            best = hits;
            bestClass = definition.class_name;
            tie = false;
        } else if (hits == best && hits > 0) {
            tie = true;
        }
    }
    return tie ? std::string() : bestClass;
}

std::vector<AssignCandidate> assignCandidates(const CompetitorTable& table, const std::string& cardClass) {
    std::vector<AssignCandidate> candidates;
    for (int row = 1; row < table.rowCount(); ++row) {
        if (table.cell(row, column::kId).empty() || cardOfRow(table, row) != 0) continue;
        const std::string& className = table.cell(row, column::kClass);
        candidates.push_back({table.cell(row, column::kId), table.cell(row, column::kName), className,
                              !cardClass.empty() && className == cardClass});
    }
    std::stable_partition(candidates.begin(), candidates.end(),
                          [](const AssignCandidate& candidate) { return candidate.classOfCard; });
    return candidates;
}

std::vector<int> punchedCodesOfCard(const std::string& stageFolder, const std::string& card) {
    std::vector<int> codes;
    for (const PunchLine& line : readPunchFile(punchFilePath(stageFolder, "SI" + card)))
        if (line.isControl())
            if (const auto code = wholeNumberOf(line.code)) codes.push_back(*code);
    return codes;
}

void assignCard(Session& session, const std::string& card, const std::string& id) {
    session.requireWritable();
    const auto number = wholeNumberOf(card);
    if (!isDigitsOnly(card) || !number || *number <= 0)
        throw AssignError(session.text(texts::kAssignCardNotNumber) + card);
    CompetitorTable& table = session.table;
    int found = 0;
    for (int row = 1; row < table.rowCount() && found == 0; ++row)
        if (table.cell(row, column::kId) == id) found = row;
    if (found == 0) throw AssignError(fillIn(session.text(texts::kAssignNoSuchId), {shown(id)}));
    const std::int32_t carried = cardOfRow(table, found);
    if (carried == *number) return; // already his: nothing to change
    if (carried != 0)
        throw AssignError(fillIn(session.text(texts::kAssignHasCard), {shown(id), std::to_string(carried)}));
    for (int row = 1; row < table.rowCount(); ++row)
        if (cardOfRow(table, row) == *number && !table.cell(row, column::kId).empty())
            throw AssignError(
                fillIn(session.text(texts::kAssignCardTaken), {card, shown(table.cell(row, column::kId))}));
    table.setCell(found, column::kSi, std::to_string(*number));
    session.saveCompetitors();
    session.log.append(fillIn(session.text(texts::kAssignCardDone), {card, shown(id)}));
}

std::string cardOfUnassignedLine(const std::string& line) {
    std::string text = line;
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    if (text.size() < 3 || text.compare(0, 2, "SI") != 0) return {};
    const std::string card = text.substr(2);
    return isDigitsOnly(card) ? card : std::string();
}

} // namespace ravik
