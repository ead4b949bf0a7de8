#include "scoring_race.h"

#include "core/competitor_table.h"
#include "core/file_io.h"
#include "core/race_file.h"

namespace ravik::test {

ClassDefinition makeClass(const std::string& name, const std::string& answers, int limitMinutes) {
    ClassDefinition definition;
    definition.class_name = name;
    definition.time_limit = limitMinutes;
    for (std::size_t k = 0; k < answers.size(); ++k) {
        definition.control_flags[k] = "A-F";
        definition.control_answer[k] = std::string(1, answers[k]);
        for (int position = 0; position < kAnswersPerControl; ++position)
            definition.answer_codes[k][position] = answerCode(static_cast<int>(k) + 1, position);
    }
    return definition;
}

std::string controlPunch(int code, const std::string& time) {
    return "1;2045117;" + std::to_string(code) + "; CN;1;6;2023-11-01;" + time + ";5;12;";
}
std::string startPunch(const std::string& time) {
    return "MANUAL;2045117;1;STA;RDO;6;2023-11-01;" + time + ";0;00";
}
std::string finishPunch(const std::string& time) {
    return "MANUAL;2045117;1;FIN;RDO;6;2023-11-01;" + time + ";9;00";
}

ScoringRace::ScoringRace(Language language) {
    session.language = language;
    session.race.setRacePath(folder.file("race.ravik"));
    session.race.setCurrentStageText("1");
    session.table.setHeadings(language);
    record.stage_number = 1;
    record.stage_date = "2026-05-01";
    record.race_name = "Spring Cup";
    record.stage_place = "Brno";
    record.stage_start = "10:00";
    saveRecord();
    ensureFolder(stageFolder());
}

void ScoringRace::saveRecord() {
    createRaceFile(session.race.racePath(), record);
}

int ScoringRace::addCompetitor(const std::string& id, const std::string& className, const std::string& name,
                               const std::string& startCell, const std::string& relay) {
    TableRow row;
    row[column::kId] = id;
    row[column::kClass] = className;
    row[column::kName] = name;
    row[column::kRelay] = relay;
    row[column::kRegistration] = "REG" + id;
    row[column::start(1)] = startCell;
    session.table.appendRow(row);
    return session.table.rowCount() - 1;
}

namespace {
std::string crLfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines)
        bytes += line + "\r\n";
    return bytes;
}
} // namespace

void ScoringRace::writePunches(const std::string& id, const std::vector<std::string>& lines) {
    writeFile(stageFolder() + id + ".si", crLfLines(lines));
}

void ScoringRace::writeTimedControls(const std::string& id, const std::vector<std::string>& lines) {
    writeFile(stageFolder() + id + ".tc2", crLfLines(lines));
}

std::vector<StageResult> ScoringRace::score(const std::vector<std::string>& classes, ScoringOptions options) {
    options.selectedClasses = classes;
    return scoreStage(session, record, options);
}

} // namespace ravik::test
