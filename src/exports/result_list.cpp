#include "exports/result_list.h"

#include "core/numbers.h"
#include "exports/iof_times.h"
#include "exports/overall_results.h"
#include "scoring/stage_scoring.h"
#include "exports/xml_text.h"

#include <algorithm>

namespace ravik {
namespace {

std::int64_t pointsOf(const CompetitorTable& table, int row, int stage) {
    return wholeCellNumber(table.cell(row, column::points(stage))).value_or(0);
}
std::int64_t tcOf(const CompetitorTable& table, int row, int stage) {
    return wholeCellNumber(table.cell(row, column::tc(stage))).value_or(0);
}

// The key a list is ordered by, larger first.
std::int64_t rankingKey(const CompetitorTable& table, int row, int stage, ResultListKind kind) {
    if (kind == ResultListKind::TempO) return -tcOf(table, row, stage);
    return 100 * pointsOf(table, row, stage) - tcOf(table, row, stage);
}

bool isListed(const CompetitorTable& table, int row, int stage, ResultListKind kind) {
    if (table.cell(row, column::start(stage)).empty()) return false;
    if (kind == ResultListKind::TempO) return tcOf(table, row, stage) >= 1;
    return rankingKey(table, row, stage, kind) >= 1;
}

// The smallest T above 0 among every row of the class; 0 when there is none.
std::int64_t fastestTime(const CompetitorTable& table, int stage, const std::string& className) {
    std::int64_t fastest = 0;
    for (int row = 1; row < table.rowCount(); ++row) {
        if (table.cell(row, column::kClass) != className) continue;
        const std::int64_t t = tcOf(table, row, stage);
        if (t > 0 && (fastest == 0 || t < fastest)) fastest = t;
    }
    return fastest;
}

void appendHead(std::vector<std::string>& lines, const ResultListSource& source) {
    const RaceRecord& record = source.record;
    const std::string date = xmlText(record.stage_date);
    lines.insert(
        lines.end(),
        {R"(<?xml version="1.0" encoding="utf-8"?>)",
         R"(<ResultList xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" iofVersion="3.0" createTime=")" +
             source.createTime +
             R"(" creator="Ravik" status="Snapshot" xmlns="http://www.orienteering.org/datastandard/3.0">)",
         "<Event>", " <Name>" + xmlText(record.race_name) + "</Name>", " <StartTime>",
         "  <Date>" + date + "</Date>", "  <Time>" + xmlText(record.stage_start) + ":00</Time>",
         " </StartTime>", " <EndTime>", "  <Date>" + date + "</Date>", "  <Time>23:59:59</Time>",
         " </EndTime>", "</Event>"});
}

// Start and finish as date-times: the punched times when they are valid,
// otherwise from the zero time and the whole minutes of the start offset; a
// finish earlier in the day than the start belongs to the next day.
std::pair<std::string, std::string> startAndFinish(const ResultListSource& source, int row,
                                                   const StageResult& punched) {
    const auto date = *parseStageDate(source.record.stage_date);
    const std::int64_t minutes =
        *parseZeroTime(source.record.stage_start) +
        wholeNumberOf(source.table.cell(row, column::start(source.stage))).value_or(0);
    std::int64_t start = minutes * 60;
    std::int64_t finish = minutes * 60 + 3600;
    const auto punchedStart = parsePunchedTime(punched.start);
    if (punchedStart) start = *punchedStart;
    if (const auto punchedFinish = parsePunchedTime(punched.finish)) {
        finish = *punchedFinish;
        if (finish < start % 86400) finish += 86400;
        finish += start / 86400 * 86400;
    }
    return {iofDateTime(date, start), iofDateTime(date, finish)};
}

std::string joinedTasks(const std::array<std::string, kClusterSlots>& tasks) {
    std::string joined;
    for (int task = 0; task < 9; ++task)
        joined += tasks[task];
    return joined;
}

void appendControlAnswers(std::vector<std::string>& lines, const ResultListSource& source,
                          const ClassDefinition& definition, const StageResult& punched) {
    if (source.kind == ResultListKind::PreO)
        for (int slot = 0; slot < kControls; ++slot) {
            if (punched.answer[slot].empty()) continue;
            lines.insert(
                lines.end(),
                {"  <ControlAnswer>", "   <Answer>" + xmlText(punched.answer[slot]) + "</Answer>",
                 "   <CorrectAnswer>" + xmlText(definition.control_answer[slot]) + "</CorrectAnswer>",
                 "  </ControlAnswer>"});
        }
    for (int station = 0; station < kClusters; ++station) {
        const auto& correct = definition.cluster_answers[station];
        if (correct[kClusterSlots - 1] == "X" || correct[0].empty()) continue;
        lines.insert(lines.end(),
                     {"  <ControlAnswer>",
                      "   <Answer>" + xmlText(joinedTasks(punched.tcAnswer[station])) + "</Answer>",
                      "   <CorrectAnswer>" + xmlText(joinedTasks(correct)) + "</CorrectAnswer>",
                      "   <Time>" + std::to_string(punched.tcTime[station]) + "</Time>",
                      "  </ControlAnswer>"});
    }
}

void appendPerson(std::vector<std::string>& lines, const ResultListSource& source,
                  const ClassDefinition& definition, int row, int position, std::int64_t fastest) {
    const CompetitorTable& table = source.table;
    const std::string& name = table.cell(row, column::kName);
    const auto blank = name.find(' ');
    const std::string family = name.substr(0, blank);
    const std::string given = blank == std::string::npos ? std::string() : name.substr(blank + 1);
    const StageResult punched =
        readCompetitorFiles(source.stageFolder, table.cell(row, column::kId), definition);
    const auto [start, finish] = startAndFinish(source, row, punched);
    const std::int64_t t = tcOf(table, row, source.stage);
    // Nobody is ahead of the fastest time, whatever the list is ordered by.
    const std::int64_t behind = fastest > 0 ? std::max<std::int64_t>(0, t - fastest) : 0;
    lines.insert(lines.end(),
                 {" <PersonResult>",
                  "  <Person>",
                  R"(   <Id type="IOF">)" + xmlText(table.cell(row, column::kRegistration)) + "</Id>",
                  "  <Name>",
                  "   <Family>" + xmlText(family) + "</Family>",
                  "   <Given>" + xmlText(given) + "</Given>",
                  "  </Name>",
                  " </Person>",
                  " <Organisation>",
                  "  <Name>",
                  "  </Name>",
                  " </Organisation>",
                  " <Result>",
                  "  <BibNumber>" + xmlText(table.cell(row, column::kId)) + "</BibNumber>",
                  "  <StartTime>" + start + "</StartTime>",
                  "  <FinishTime>" + finish + "</FinishTime>",
                  "  <Time>" + std::to_string(t) + "</Time>",
                  "  <TimeBehind>" + std::to_string(behind) + "</TimeBehind>",
                  "  <Position>" + std::to_string(position) + "</Position>",
                  "  <Status>OK</Status>"});
    if (source.kind == ResultListKind::PreO)
        lines.push_back("  <Score>" + std::to_string(pointsOf(table, row, source.stage)) + "</Score>");
    appendControlAnswers(lines, source, definition, punched);
    lines.insert(lines.end(), {"   <ControlCard>0</ControlCard>", "  </Result>", " </PersonResult>"});
}

} // namespace

std::vector<int> listedRows(const CompetitorTable& table, int stage, const std::string& className,
                            ResultListKind kind) {
    std::vector<int> rows;
    for (int row = 1; row < table.rowCount(); ++row)
        if (table.cell(row, column::kClass) == className && isListed(table, row, stage, kind))
            rows.push_back(row);
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        return rankingKey(table, a, stage, kind) > rankingKey(table, b, stage, kind);
    });
    return rows;
}

std::vector<std::string> resultListLines(const ResultListSource& source) {
    std::vector<std::string> lines;
    appendHead(lines, source);
    for (const ClassDefinition& definition : source.record.classes) {
        const std::string& className = definition.class_name;
        if (className.empty()) continue;
        const std::string name = xmlText(className);
        lines.insert(lines.end(), {"<ClassResult>", R"( <Class sex="M">)", "  <Id>" + name + "</Id>",
                                   "  <Name>" + name + "</Name>", " </Class>", " <Course>",
                                   "  <Length>0</Length>", "  <Climb>0</Climb>", " </Course>"});
        const std::int64_t fastest = fastestTime(source.table, source.stage, className);
        int position = 0;
        for (int row : listedRows(source.table, source.stage, className, source.kind))
            appendPerson(lines, source, definition, row, ++position, fastest);
        lines.push_back("</ClassResult>");
    }
    lines.push_back("</ResultList>");
    return lines;
}

} // namespace ravik
