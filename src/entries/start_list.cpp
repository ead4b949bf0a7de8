#include "entries/start_list.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/numbers.h"
#include "core/page_text.h"
#include "core/prompt.h"
#include "core/race_file.h"
#include "core/session.h"
#include "core/stage_folder.h"
#include "core/texts/entries_texts.h"
#include "core/time_of_day.h"

namespace ravik {

// Computed from the digits so that no rounding creeps in.
std::optional<long long> startOffsetSeconds(const std::string& cell) {
    const auto digits = decimalDigitsOf(cell, 12);
    if (!digits) return std::nullopt;
    long long fraction = 0, scale = 1;
    for (std::size_t i = 0; i < digits->fraction.size() && i < 15; ++i) {
        fraction = fraction * 10 + (digits->fraction[i] - '0');
        scale *= 10;
    }
    return digits->whole * 60 + fraction * 60 / scale;
}

std::optional<StartTimes> startTimesOf(const std::string& cell, long long stageStart) {
    const auto seconds = startOffsetSeconds(cell);
    if (!seconds) return std::nullopt;
    const long long clock = *seconds + stageStart;
    return StartTimes{twoDigits(*seconds / 60) + ":" + twoDigits(*seconds % 60), clockText(clock)};
}

StartListPage buildStartListPage(const CompetitorTable& table, const RaceRecord& stage,
                                 const std::string& raceName, const std::string& stageText,
                                 long long stageStart) {
    StartListPage page;
    std::string& html = page.html;
    auto line = [&html](const std::string& text) { html += text + "\r\n"; };
    line(" <!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">");
    line("<html>");
    line("<head>");
    line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">");
    line("<meta http-equiv=\"Cache-Control\" content=\"no-cache\">");
    line("<TITLE>Ravik</TITLE>");
    line("</head>");
    line("<BODY text=\"#000000\" link=\"#000000\" vlink=\"#000000\" alink=\"#000000\" leftmargin=0 "
         "topmargin=0 "
         "bgcolor=\"#ffffff\">");
    line("<h2>" + escapeHtml(raceName) + "</h2>");
    line("<h3>" + escapeHtml(stage.stage_date) + "," + escapeHtml(stage.stage_place) + "</h3>");
    line("<h3>Start list - E" + escapeHtml(stageText) + "</h3>");
    line("<table border=1 cellspacing=0 cellpadding=2>");
    for (const char* heading : {"<tr><th>ID", "<th>Registration", "<th>Class", "<th>SI", "<th>Name",
                                "<th>NAT", "<th colspan=2>START</tr>"})
        line(heading);
    const int stageNumber = stageText.empty() ? 0 : stageText[0] - '0';
    for (int r = 1; stageNumber >= 1 && stageNumber <= 5 && r < table.rowCount(); ++r) {
        const std::string& cell = table.cell(r, column::start(stageNumber));
        if (cell.empty()) continue;
        const auto times = startTimesOf(cell, stageStart);
        if (!times) {
            page.rowsNotNumbers.push_back(r);
            continue;
        }
        line("<tr><td>" + escapeHtml(table.cell(r, column::kId)) + "<td>" +
             escapeHtml(table.cell(r, column::kRegistration)) + "<td>" +
             escapeHtml(table.cell(r, column::kClass)) + "<td>" + escapeHtml(table.cell(r, column::kSi)) +
             "<td>" + escapeHtml(table.cell(r, column::kName)) + "<td bgcolor=#BBBBBB>" +
             escapeHtml(table.cell(r, column::kFlag)) + "<td bgcolor=#FFFFAA><font size=+1>&nbsp;<b>" +
             times->offset + "</b>&nbsp;</font><td bgcolor=#FFFFAA>&nbsp;" + times->clock);
    }
    line("</table><p>");
    line("</body>");
    return page;
}

std::optional<std::string> writeStartListForAnswer(Session& session, const std::string& raceName,
                                                   const std::string& answer, Prompt& prompt) {
    const std::string racePath = session.race.racePath();
    // The answer names the stage folder and the file too: a separator in it is no stage.
    const bool stageLike = !answer.empty() && answer[0] >= '1' && answer[0] <= '5' &&
                           answer.find_first_of("/\\") == std::string::npos;
    if (!stageLike || !session.race.isOpen() || stageCount(racePath) < answer[0] - '0') {
        session.log.append(session.text(texts::kStageNotInRaceBefore) + answer +
                           session.text(texts::kStageNotInRaceAfter));
        return std::nullopt;
    }
    const RaceRecord stage = readStage(racePath, answer[0] - '0');
    if (stage.stage_start.empty()) {
        prompt.information(session.text(texts::kStageStartNotSet));
        return std::nullopt;
    }
    const auto start = zeroTimeSeconds(stage.stage_start);
    if (!start) {
        prompt.information(session.text(texts::kStageStartUnreadable) + cp1250ToUtf8(stage.stage_start));
        return std::nullopt;
    }
    const StartListPage page =
        buildStartListPage(session.table, stage, raceName, utf8ToCp1250(answer), *start);
    for (int row : page.rowsNotNumbers)
        session.log.append(session.text(texts::kStartCellNotNumber) + std::to_string(row) + " (" +
                           cp1250ToUtf8(session.table.cell(row, column::kName)) + ")");
    const std::string folder = session.race.stageFolder(answer);
    session.requireWritable();
    requireStageFolder(session, folder);
    const std::string path = folder + "startlist_E" + answer + ".htm";
    writeFileAtomically(path, page.html);
    return path;
}

std::optional<std::string> writeStartList(Session& session, const std::string& raceName, Prompt& prompt) {
    const auto answer =
        prompt.input(session.text(texts::kStartListTitle), session.text(texts::kStartListPrompt), "1");
    return writeStartListForAnswer(session, raceName, answer.value_or("1"), prompt);
}

} // namespace ravik
