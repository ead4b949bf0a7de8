#include "exports/overall_page.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/file_names.h"
#include "core/page_text.h"
#include "core/race_context.h"
#include "core/race_file.h"
#include "core/texts/scoring_texts.h"
#include "scoring/class_lookup.h"
#include "scoring/page_skeleton.h"
#include "scoring/stage_scoring.h"

#include <algorithm>
#include <optional>

namespace ravik {
namespace {

std::string stagesPart(const OverallOptions& options) {
    std::string part;
    for (int stage = 1; stage <= kStages; ++stage)
        if (options.stages[stage - 1]) part += (stage == 1 ? "E" : "+E") + std::to_string(stage);
    return part;
}

void writeHeader(PageLines& page, const OverallOptions& options) {
    page.line("<tr bgcolor=#DDDDDD><th rowspan=2>##<th rowspan=2>Name<th rowspan=2>Nat.<th "
              "colspan=2><center>Total");
    for (int stage = 1; stage <= kStages; ++stage)
        if (options.stages[stage - 1]) page.line("<th colspan=2><center>E" + std::to_string(stage));
    page.line("<tr bgcolor=#DDDDDD><th><center>Pts<th><center>TC");
    for (int stage = 1; stage <= kStages; ++stage)
        if (options.stages[stage - 1]) page.line("<th><center>Pts<th><center>TC");
    page.line("<tr>");
}

void writeCompetitor(PageLines& page, const CompetitorTable& table, const OverallStanding& standing,
                     const OverallOptions& options, const FlagLookup& hasFlag, Language language,
                     const StageStatusLookup& statusOf) {
    const int row = standing.row;
    const std::string place = standing.status == StageStatus::Ok
                                  ? std::to_string(standing.place) + "."
                                  : utf8ToCp1250(statusWord(standing.status, language));
    page.line("<td><center>" + place + "<td>");
    const std::string name = escapeHtml(table.cell(row, column::kName));
    if (options.classes.size() == 1)
        page.line(name);
    else
        page.line(R"(<table class="normal" border=0 cellspacing=0 cellpadding=0 width=100%><tr><td>)" + name +
                  R"(<td align="right">()" + escapeHtml(table.cell(row, column::kClass)) + ")</table></td>");
    const std::string& country = table.cell(row, column::kFlag);
    if (hasFlag && hasFlag(country))
        page.line("<td bgcolor=#EEEEEE><img src=flags/" + escapeHtml(country) + ".jpg height=16>");
    else
        page.line("<td>" + escapeHtml(country));
    page.line("<td bgcolor=#EEEEEE><b><center>" + std::to_string(standing.pointsTotal) +
              "<td bgcolor=#EEEEEE><b><center>" + std::to_string(standing.tcTotal));
    for (int stage = 1; stage <= kStages; ++stage) {
        if (!options.stages[stage - 1]) continue;
        const std::int64_t points = wholeCellNumber(table.cell(row, column::points(stage))).value_or(0);
        const std::int64_t penalty = wholeCellNumber(table.cell(row, column::penalty(stage))).value_or(0);
        const StageStatus status =
            !table.cell(row, column::start(stage)).empty() ? statusOf(row, stage) : StageStatus::Ok;
        const bool unfinished = status == StageStatus::DidNotFinish || status == StageStatus::DidNotStart;
        const std::string tcText = unfinished ? utf8ToCp1250(statusWord(status, language))
                                              : escapeHtml(table.cell(row, column::tc(stage)));
        // Penalised stages show the reduced points in blue; a stage is always two
        // cells, so the columns stay in line whatever the penalty cell holds.
        if (status == StageStatus::DidNotStart)
            page.line("<td><center><td><center>" + tcText);
        else if (penalty > 0)
            page.line("<td><center><font color=#0000FF>" + std::to_string(points - penalty) +
                      "</font><td><center>" + tcText);
        else
            page.line("<td><center>" + std::to_string(points - penalty) + "<td><center>" + tcText);
    }
    page.line("<tr>");
}

// A country is looked up as a file name only when it cannot leave the flags folder.
bool isPlainCountry(const std::string& country) {
    if (country.empty() || country == "." || country == "..") return false;
    for (unsigned char c : country)
        if (c < 0x20 || c == '/' || c == '\\') return false;
    return true;
}

// DNS and DNF of the chosen stages that the race file holds, read from the files
// of their stage folders by the rules of the stage scoring.
StageStatusLookup stageStatusesFromFiles(const RaceContext& race, const CompetitorTable& table,
                                         const OverallOptions& options) {
    std::array<std::optional<RaceRecord>, kStages> records;
    const int stages = stageCount(race.racePath());
    for (int stage = 1; stage <= std::min(stages, kStages); ++stage)
        if (options.stages[stage - 1]) records[stage - 1] = readStage(race.racePath(), stage);
    return [&race, &table, records](int row, int stage) {
        static const ClassDefinition kNoClass;
        const auto& record = records[stage - 1];
        if (!record) return StageStatus::Ok;
        if (table.cell(row, column::disqualified(stage)) == "DISK") return StageStatus::Disqualified;
        const int slot = classSlotOf(*record, table.cell(row, column::kClass));
        return readCompetitorFiles(race.stageFolder(stage), table.cell(row, column::kId),
                                   slot >= 0 ? record->classes[slot] : kNoClass)
            .status;
    };
}

} // namespace

std::string overallFileName(const OverallOptions& options) {
    return fittedFileName("overall_results_" + stagesPart(options) + "_class_",
                          cp1250ToUtf8(fileNameSafe(selectedClassesText(options.classes))), ".htm");
}

std::string overallPage(const CompetitorTable& table, const OverallOptions& options,
                        const FlagLookup& hasFlag, Language language,
                        const StageStatusLookup& givenStatusOf) {
    const StageStatusLookup statusOf = givenStatusOf ? givenStatusOf : statusesFromCells(table);
    PageLines page;
    writePageHead(page, options.page);
    page.line("<h2>" + escapeHtml(options.page.caption) + "</h2>");
    page.line("<h3>Final results " + escapeHtml(selectedClassesText(options.classes)) + "</h3>");
    page.line("<table width=3000 border=0><tr><td>");
    if (options.page.holdLeaders)
        page.line(
            "<td height=" +
            std::to_string(editNumber(options.page.leaderPlaces, texts::kLeadersField, language) * 24 + 40) +
            ">&nbsp;<tr>");
    page.line(R"(<table border=1 cellspacing=0 cellpadding=3 class="normal">)");
    writeHeader(page, options);
    for (const OverallStanding& standing : rankOverall(table, options, statusOf))
        writeCompetitor(page, table, standing, options, hasFlag, language, statusOf);
    page.line("</table></table>");
    writePageEnd(page, options.page);
    return page.take();
}

std::string writeOverallResults(const RaceContext& race, const CompetitorTable& table,
                                const OverallOptions& options, Language language,
                                const StageStatusLookup& statusOf) {
    const std::string folder = race.raceFolder();
    const std::string path = folder + overallFileName(options);
    const FlagLookup hasFlag = [&folder](const std::string& country) {
        return isPlainCountry(country) && fileExists(folder + "flags/" + cp1250ToUtf8(country) + ".jpg");
    };
    writeFileAtomically(path,
                        overallPage(table, options, hasFlag, language,
                                    statusOf ? statusOf : stageStatusesFromFiles(race, table, options)));
    return path;
}

} // namespace ravik
