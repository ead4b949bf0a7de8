#pragma once
// Giving an unassigned card to a competitor: the competitors to offer (those
// without a card, the class the card's punches fit first) and the assignment
// itself, which writes the card into his SI cell and saves the competitor file.
// The read-out pass that follows writes his punch file and slip.
#include "core/language.h"
#include "core/race_record.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace ravik {

class CompetitorTable;
class Session;

// The assignment was refused; the message says why, in the session's language.
class AssignError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct AssignCandidate {
    std::string id;        // code page 1250, as in the table
    std::string name;      // code page 1250
    std::string className; // code page 1250
    bool classOfCard = false;
};

// The class whose stations took most of the card's punches; empty when no class
// took any, or two took the same number.
std::string likelyClassOfCard(const RaceRecord& stage, const std::vector<int>& punchedCodes);

// Competitors with an ID and no card: those of the card's class first, then in table order.
std::vector<AssignCandidate> assignCandidates(const CompetitorTable& table, const std::string& cardClass);

// The codes punched on the card, from its file "SI" + card in the stage folder (none when it is missing).
std::vector<int> punchedCodesOfCard(const std::string& stageFolder, const std::string& card);

// Writes the card into the SI cell of the competitor with the ID and saves the
// competitor file. Refuses (AssignError) a card that is not a number, an ID
// nobody has, a competitor who already carries another card, and a card that
// another competitor already carries.
void assignCard(Session& session, const std::string& card, const std::string& id);

// "SI2045117" (a line of the unassigned list) -> "2045117"; empty when the line names no card.
std::string cardOfUnassignedLine(const std::string& line);

} // namespace ravik
