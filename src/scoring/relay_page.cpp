#include "scoring/relay_page.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/texts/scoring_texts.h"
#include "core/time_of_day.h"
#include "scoring/class_lookup.h"
#include "scoring/page_skeleton.h"
#include "scoring/result_cells.h"

namespace ravik {
namespace {

class RelayPageWriter {
public:
    RelayPageWriter(const RelayStanding& standing, const RaceRecord& record,
                    const std::vector<std::string>& selectedClasses, RelayForm form,
                    const PageOptions& options, Language language)
        : standing_(standing), record_(record), selected_(selectedClasses), form_(form), options_(options),
          language_(language), columns_(pageColumns(record, selectedClasses)) {}

    std::string build() {
        const long long leaders =
            options_.holdLeaders ? editNumber(options_.leaderPlaces, texts::kLeadersField, language_) : 0;
        writePageHead(page_, options_);
        writeTitles(form_ == RelayForm::Farsta ? options_.raceName : options_.caption);
        page_.line("<table width=3000 border=0><tr><td>");
        if (options_.holdLeaders)
            page_.line("<td height=" + std::to_string(leaders * 97 + 40) + ">&nbsp;<tr>");
        page_.line(R"(<table border=1 cellspacing=0 cellpadding=3 class="normal">)");
        writeHeader(page_, columns_, options_, record_, selected_);
        int count = 0;
        for (const RelayTeam& team : standing_.teams)
            writeTeam(team, team.place > 0 ? ++count : 0, "normal");
        writeGeneratedLine(page_, options_);
        if (options_.holdLeaders) writeLeaders(leaders);
        writePageEnd(page_, options_);
        return page_.take();
    }

private:
    void writeTitles(const std::string& title) {
        writeTitleLines(page_, title, record_);
        page_.line(utf8ToCp1250(tr(language_, texts::kRelayResultsHeading)) +
                   escapeHtml(selectedClassesText(selected_)) + "</h3>");
    }

    void writeLeaders(long long leaders) {
        const char* style = form_ == RelayForm::Farsta ? "normal2" : "normal";
        page_.line(
            R"(<table border=0 cellspacing=0 cellpadding=3 class="highlight" bgcolor=#FFFFFF width=100%><tr><td>)");
        writeTitles(options_.raceName);
        page_.line(std::string(R"(<table border=1 cellspacing=0 cellpadding=3 class=")") + style + R"(">)");
        writeHeader(page_, columns_, options_, record_, selected_);
        int count = 0;
        for (const RelayTeam& team : standing_.teams)
            if (team.place > 0 && team.place <= leaders) writeTeam(team, ++count, style);
        page_.line("</table></table>");
    }

    // count 0: a team that is not placed shows its status instead of its running count.
    void writeTeam(const RelayTeam& team, int count, const char* memberStyle) {
        static const StageResult kEmptyLeg;
        const int legs = standing_.legCount;
        const std::string number =
            count > 0 ? std::to_string(count) + "." : utf8ToCp1250(statusWord(team.status, language_));
        page_.line("<tr><td rowspan=" + std::to_string(legs + 1) + R"( valign="center"><center>)" + number +
                   "<br>" + std::to_string(team.teamTotal) + " sec");
        for (int k = 0; k < legs; ++k) {
            const StageResult& leg = k < static_cast<int>(team.legs.size()) ? *team.legs[k] : kEmptyLeg;
            if (k > 0) page_.line("<tr>");
            writeLeg(team, leg, k == 0, memberStyle);
        }
        writeTeamRow(team);
    }

    void writeLeg(const RelayTeam& team, const StageResult& leg, bool first, const char* memberStyle) {
        const bool farsta = form_ == RelayForm::Farsta;
        page_.line(std::string(R"(<td><table cellspacing=0 cellpadding=0 border=0 class=")") + memberStyle +
                   R"(" width=100%><tr><td>)" + escapeHtml(leg.name) + R"(<td align="right">()" +
                   escapeHtml(leg.className) + (farsta ? ")</table> <td>" : ")</table><td>") +
                   escapeHtml(leg.nationality) + " [" + std::to_string(leg.relay) + "]");
        if (options_.scoreColumns) {
            page_.line("<TD bgcolor=#EEEEEE><b>" + std::to_string(leg.points) + "<TD bgcolor=#EEEEEE>" +
                       std::to_string(leg.total) + "<TD bgcolor=#EEEEEE>" + legTime(leg));
            if (first)
                page_.line(
                    "<TD bgcolor=#EEEEEE rowspan=" + std::to_string(standing_.legCount + (farsta ? 0 : 1)) +
                    ">" + std::to_string(-team.teamOvertime));
        }
        if (options_.details)
            writeDetailCells(page_, leg, definitionOf(leg.classSlot), columns_, options_.splits,
                             StationCells::Leaders);
    }

    // A leg that did not start or finish shows its status instead of a time.
    std::string legTime(const StageResult& leg) const {
        if (leg.status == StageStatus::DidNotFinish || leg.status == StageStatus::DidNotStart)
            return statusWord(leg.status, language_);
        return minutesSeconds(leg.raceTime);
    }

    void writeTeamRow(const RelayTeam& team) {
        page_.line("<tr bgcolor=#DDDDDD><td>&nbsp;<td>&nbsp");
        if (options_.scoreColumns) {
            page_.line("<td><i>" + std::to_string(team.teamPoints));
            page_.line("<td><i>" + std::to_string(team.teamTc));
            page_.line("<td><i>" + minutesSeconds(team.teamTime));
        }
        if (form_ == RelayForm::Farsta || !options_.details) return;
        const ClassDefinition& definition = definitionOf(team.classSlot);
        for (int k = 0; k < columns_.controls; ++k) {
            std::string cell = "<td><center><i>";
            if (isVoidedControl(definition, k)) {
                page_.line(cell + kVoidCell);
                continue;
            }
            if (team.mergedNotCounted[k]) cell += "<font color=#00AA00>";
            if (team.mergedWrong[k]) cell += "<font color=#FF0000>";
            cell += escapeHtml(team.mergedAnswer[k]);
            if (team.mergedAnswer[k].empty() && definition.control_answer[k].empty()) cell += "-";
            page_.line(cell);
        }
    }

    const ClassDefinition& definitionOf(int classSlot) const {
        static const ClassDefinition kNoClass;
        return classSlot >= 0 ? record_.classes[classSlot] : kNoClass;
    }

    const RelayStanding& standing_;
    const RaceRecord& record_;
    const std::vector<std::string>& selected_;
    RelayForm form_;
    const PageOptions& options_;
    Language language_;
    PageColumns columns_;
    PageLines page_;
};

} // namespace

std::string buildRelayPage(const RelayStanding& standing, const RaceRecord& record,
                           const std::vector<std::string>& selectedClasses, RelayForm form,
                           const PageOptions& options, Language language) {
    return RelayPageWriter(standing, record, selectedClasses, form, options, language).build();
}

std::string relayPagePath(const std::string& stageFolder, int stage,
                          const std::vector<std::string>& selectedClasses, Language language) {
    return pageFilePath(stageFolder, tr(language, texts::kRelayPagePrefix), stage,
                        tr(language, texts::kClassMarker), selectedClasses);
}

std::string writeRelayPage(const RelayStanding& standing, const RaceRecord& record, int stage,
                           const std::vector<std::string>& selectedClasses, RelayForm form,
                           const PageOptions& options, Language language, const std::string& stageFolder) {
    const std::string html = buildRelayPage(standing, record, selectedClasses, form, options, language);
    const std::string path = relayPagePath(stageFolder, stage, selectedClasses, language);
    writeFileAtomically(path, html);
    return path;
}

} // namespace ravik
