#pragma once
// A small race on disk for the scoring tests: a race file with one stage, a
// session whose table holds the competitors, and punch and timed-control files.
#include "core/race_record.h"
#include "core/session.h"
#include "scoring/stage_scoring.h"
#include "test_support.h"

#include <string>
#include <vector>

namespace ravik::test {

// Station code of answer position (0 = A .. 5 = F, 6 = Z) at control k (1-based).
inline int answerCode(int control, int position) {
    return control * 10 + position;
}
inline int answerPosition(char letter) {
    return letter == 'Z' ? 6 : letter - 'A';
}
inline int answerCode(int control, char letter) {
    return answerCode(control, answerPosition(letter));
}

// A class whose control k has the flags "A-F", the correct answer answers[k-1]
// and the station codes of answerCode().
ClassDefinition makeClass(const std::string& name, const std::string& answers, int limitMinutes = 120);

// One punch-file line as the read-out writes it.
std::string controlPunch(int code, const std::string& time);
std::string startPunch(const std::string& time);
std::string finishPunch(const std::string& time);

class ScoringRace {
public:
    explicit ScoringRace(Language language = Language::English);

    TempFolder folder;
    Session session;
    RaceRecord record;

    // Writes the race file from `record` (call after changing it).
    void saveRecord();
    std::string stageFolder() const { return session.race.stageFolder(1); }

    // Appends a competitor row; returns its table row.
    int addCompetitor(const std::string& id, const std::string& className, const std::string& name,
                      const std::string& startCell = "0", const std::string& relay = "");
    void setCell(int row, int column, const std::string& text) { session.table.setCell(row, column, text); }

    void writePunches(const std::string& id, const std::vector<std::string>& lines);
    void writeTimedControls(const std::string& id, const std::vector<std::string>& lines);

    // Scores stage 1 for the selected classes: check, score, rank, write back.
    std::vector<StageResult> score(const std::vector<std::string>& classes, ScoringOptions options = {});
};

} // namespace ravik::test
