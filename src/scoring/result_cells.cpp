#include "scoring/result_cells.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/time_of_day.h"
#include "readout/punch_file.h"
#include "scoring/class_lookup.h"

#include <algorithm>

namespace ravik {

int PageColumns::width(const PageOptions& options) const {
    return 3 + (options.scoreColumns ? 4 : 0) + (options.details ? controls + stations : 0);
}

PageColumns pageColumns(const RaceRecord& record, const std::vector<std::string>& selectedClasses) {
    PageColumns columns;
    for (const ClassDefinition& definition : record.classes) {
        if (definition.class_name.empty() || !isSelected(selectedClasses, definition.class_name)) continue;
        columns.controls = std::max(columns.controls, controlCount(definition));
        columns.stations = std::max(columns.stations, stationCount(definition));
    }
    return columns;
}

void writeHeader(PageLines& page, const PageColumns& columns, const PageOptions& options,
                 const RaceRecord& record, const std::vector<std::string>& selectedClasses) {
    page.line("<tr><th rowspan=2>##<th rowspan=2>Name<th rowspan=2>Nat.");
    if (options.scoreColumns)
        page.line("<th rowspan=2>Pts<th rowspan=2>TC<th rowspan=2>Total<br>time<th rowspan=2>Pen.");
    if (options.details) {
        for (int k = 1; k <= columns.controls; ++k)
            page.line("<TH><center>" + std::to_string(k));
        for (int s = 1; s <= columns.stations; ++s)
            page.line("<TH bgcolor=#DDFFDD rowspan=2><center>TC" + std::to_string(s));
        page.line("<tr>");
        const bool showAnswers = selectedClasses.size() == 1 || options.sameCourses;
        const int last = selectedClasses.empty() ? -1 : classSlotOf(record, selectedClasses.back());
        for (int k = 1; k <= columns.controls; ++k) {
            const std::string answer = last >= 0 ? record.classes[last].control_answer[k - 1] : std::string();
            const std::string shown = answer == kVoidAnswer ? kVoidCell : escapeHtml(answer);
            page.line("<TH><center>" + (showAnswers ? shown : std::string("*")));
        }
    }
    page.line("<tr>");
}

bool FlagCells::hasPicture(const std::string& nationality) {
    if (!isSafeFileName(nationality)) return false;
    auto [entry, inserted] = known_.try_emplace(nationality, false);
    if (inserted) entry->second = fileExists(raceFolder_ + "flags/" + cp1250ToUtf8(nationality) + ".jpg");
    return entry->second;
}

// Relative to the stage folder the page lies in: the race folder's flags/ is "../flags/".
// An absolute path would name the office PC's folders and break on the web.
std::string FlagCells::picturePath(const std::string& nationality) const {
    return escapeHtml("../flags/" + nationality) + ".jpg";
}

std::string FlagCells::cell(const std::string& nationality) {
    if (hasPicture(nationality))
        return R"(<td bgcolor=#EEEEEE><img src=")" + picturePath(nationality) + R"(" height=16>)";
    return "<td>" + escapeHtml(nationality);
}

namespace {

void writeControlCells(PageLines& page, const StageResult& result, const ClassDefinition& definition,
                       int controls, bool splits) {
    for (int k = 0; k < controls; ++k) {
        std::string cell = "<td><center>";
        if (isVoidedControl(definition, k)) {
            page.line(cell + kVoidCell);
            continue;
        }
        if (result.notCounted[k]) cell += "<font color=#00AA00>";
        if (result.wrong[k]) cell += "<font color=#FF0000>";
        cell += escapeHtml(result.answer[k]);
        if (result.answer[k].empty() && definition.control_answer[k].empty()) cell += "-";
        if (splits && !result.answer[k].empty())
            cell += "<br><font size=1>" + minutesSeconds(result.split[k]);
        page.line(cell);
    }
}

std::string taskAnswers(const StageResult& result, const ClassDefinition& definition, int station,
                        int tasks) {
    std::string text;
    for (int t = 0; t < tasks; ++t) {
        if (definition.cluster_answers[station][t].empty()) continue;
        if (isVoidedTask(definition, station, t)) {
            text += kVoidCell;
            continue;
        }
        const std::string answer = escapeHtml(result.tcAnswer[station][t]);
        text +=
            result.tcWrong[station][t] ? "<font color=#FF0000>" + answer + "<font color=#000000>" : answer;
        if (answer.empty()) text += "*";
    }
    return text;
}

} // namespace

void writeDetailCells(PageLines& page, const StageResult& result, const ClassDefinition& definition,
                      const PageColumns& columns, bool splits, StationCells stations) {
    writeControlCells(page, result, definition, columns.controls, splits);
    for (int s = 0; s < columns.stations; ++s) {
        const std::string times =
            std::to_string(static_cast<long long>(result.tcTime[s]) + result.tcPenalty[s]) + "</b> (" +
            std::to_string(result.tcTime[s]) + "-";
        if (stations == StationCells::Main) {
            page.line(std::string("<td ") + (isSwitchedOff(definition, s) ? "bgcolor=#888888" : "") + "><b>" +
                      times + taskAnswers(result, definition, s, kClusterSlots - 1) + ")");
        } else if (!result.tcAnswer[s][0].empty()) {
            page.line("<td><b>" + times + taskAnswers(result, definition, s, kClusterSlots) + ")");
        }
    }
}

} // namespace ravik
