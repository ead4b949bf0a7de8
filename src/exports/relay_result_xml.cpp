#include "exports/relay_result_xml.h"

#include "exports/iof_document.h"
#include "scoring/page_skeleton.h"

namespace ravik {
namespace {

void appendLeg(pugi::xml_node teamResult, const RelayXmlSource& source, const StageResult* leg, int number) {
    pugi::xml_node member = teamResult.append_child("TeamMemberResult");
    if (leg && leg->row >= 1 && leg->row < source.table.rowCount())
        appendPersonOf(member, source.table, leg->row);
    pugi::xml_node result = member.append_child("Result");
    appendNumber(result, "Leg", number);
    if (!leg) {
        result.append_child("Status").text() = iofStatus(StageStatus::DidNotStart);
        return;
    }
    if (leg->id != 0) appendNumber(result, "BibNumber", leg->id);
    // The page shows no time for a leg that did not start or finish.
    if (leg->status == StageStatus::Ok || leg->status == StageStatus::Disqualified)
        appendNumber(result, "Time", leg->raceTime);
    result.append_child("Status").text() = iofStatus(leg->status);
    appendNumber(result, "Score", leg->points);
}

void appendCourse(pugi::xml_node result, const StageResult* leg) {
    if (!leg || leg->className.empty()) return;
    appendText(result.append_child("Course"), "Name", leg->className);
}

} // namespace

std::string relayResultXml(const RelayXmlSource& source) {
    pugi::xml_document document;
    pugi::xml_node list = startIofDocument(document, "ResultList", source.createTime);
    list.append_attribute("status") = "Snapshot";
    pugi::xml_node event = list.append_child("Event");
    appendText(event, "Name", source.record.race_name);
    appendDateAndTime(event, "StartTime", source.record.stage_date, source.record.stage_start + ":00");
    pugi::xml_node classResult = list.append_child("ClassResult");
    pugi::xml_node classNode = classResult.append_child("Class");
    appendText(classNode, "Name", selectedClassesText(source.selectedClasses));
    const int legs = source.standing.legCount;
    for (const RelayTeam& team : source.standing.teams) {
        pugi::xml_node teamResult = classResult.append_child("TeamResult");
        appendNumber(teamResult, "Name", team.number);
        appendNumber(teamResult, "BibNumber", team.number);
        for (int k = 0; k < legs; ++k) {
            const StageResult* leg = k < static_cast<int>(team.legs.size()) ? team.legs[k] : nullptr;
            appendLeg(teamResult, source, leg, k + 1);
            pugi::xml_node result = teamResult.last_child().child("Result");
            // The team's result closes its last leg; the course follows it in the schema's order.
            if (k == legs - 1)
                appendOverallResult(result, team.teamTotal, team.place, team.status, team.teamPoints);
            appendCourse(result, leg);
        }
    }
    return iofDocumentBytes(document);
}

} // namespace ravik
