#include "exports/overall_result_xml.h"

#include "exports/iof_document.h"
#include "scoring/page_skeleton.h"

namespace ravik {
namespace {

void appendEvent(pugi::xml_node list, const OverallXmlSource& source) {
    const std::optional<RaceRecord>* first = nullptr;
    const std::optional<RaceRecord>* last = nullptr;
    for (int stage = 1; stage <= kStages; ++stage)
        if (source.options.stages[stage - 1] && source.records[stage - 1]) {
            if (!first) first = &source.records[stage - 1];
            last = &source.records[stage - 1];
        }
    pugi::xml_node event = list.append_child("Event");
    appendText(event, "Name", first ? (*first)->race_name : std::string());
    if (!first) return;
    appendDateAndTime(event, "StartTime", (*first)->stage_date, (*first)->stage_start + ":00");
    appendDateAndTime(event, "EndTime", (*last)->stage_date, "23:59:59");
    for (int stage = 1; stage <= kStages; ++stage) {
        const auto& record = source.records[stage - 1];
        if (!source.options.stages[stage - 1] || !record) continue;
        pugi::xml_node race = event.append_child("Race");
        appendNumber(race, "RaceNumber", stage);
        appendText(race, "Name", "E" + std::to_string(stage));
        appendDateAndTime(race, "StartTime", record->stage_date, record->stage_start + ":00");
    }
}

void appendStageResult(pugi::xml_node personResult, const OverallXmlSource& source, int row, int stage) {
    const CompetitorTable& table = source.table;
    pugi::xml_node result = personResult.append_child("Result");
    result.append_attribute("raceNumber") = stage;
    if (!table.cell(row, column::kId).empty()) appendText(result, "BibNumber", table.cell(row, column::kId));
    if (table.cell(row, column::start(stage)).empty()) {
        result.append_child("Status").text() = "NotCompeting";
        return;
    }
    const StageStatus status = source.statusOf(row, stage);
    const bool unfinished = status == StageStatus::DidNotFinish || status == StageStatus::DidNotStart;
    if (const auto tc = wholeCellNumber(table.cell(row, column::tc(stage))); tc && !unfinished)
        appendNumber(result, "Time", *tc);
    result.append_child("Status").text() = iofStatus(status);
    const auto points = wholeCellNumber(table.cell(row, column::points(stage)));
    const std::int64_t penalty = wholeCellNumber(table.cell(row, column::penalty(stage))).value_or(0);
    if (points && status != StageStatus::DidNotStart) appendNumber(result, "Score", *points - penalty);
}

} // namespace

std::string overallResultXml(const OverallXmlSource& source) {
    pugi::xml_document document;
    pugi::xml_node list = startIofDocument(document, "ResultList", source.createTime);
    list.append_attribute("status") = "Snapshot";
    appendEvent(list, source);
    pugi::xml_node classResult = list.append_child("ClassResult");
    pugi::xml_node classNode = classResult.append_child("Class");
    appendText(classNode, "Name", selectedClassesText(source.options.classes));
    for (const OverallStanding& standing : rankOverall(source.table, source.options, source.statusOf)) {
        pugi::xml_node personResult = classResult.append_child("PersonResult");
        appendPersonOf(personResult, source.table, standing.row);
        pugi::xml_node lastStage;
        for (int stage = 1; stage <= kStages; ++stage)
            if (source.options.stages[stage - 1]) {
                appendStageResult(personResult, source, standing.row, stage);
                lastStage = personResult.last_child();
            }
        if (lastStage)
            appendOverallResult(lastStage, standing.tcTotal, standing.place, standing.status,
                                standing.pointsTotal);
    }
    return iofDocumentBytes(document);
}

} // namespace ravik
