#include "exports/result_list.h"

#include "core/numbers.h"
#include "exports/iof_document.h"
#include "exports/iof_times.h"
#include "exports/overall_results.h"
#include "exports/xml_text.h"
#include "scoring/class_lookup.h"
#include "scoring/stage_scoring.h"

#include <algorithm>

namespace ravik {
namespace {

std::optional<std::int32_t> cellNumber(const CompetitorTable& table, int row, int col) {
    return wholeCellNumber(table.cell(row, col));
}

// One competitor of a class as the list shows him.
struct ListedPerson {
    int row = 0;
    StageStatus status = StageStatus::Ok;
    std::int64_t score = 0; // net score: the points cell less the over-time penalty
    std::int64_t time = 0;  // the TC cell; 0 when empty
    int position = 0;       // 0 = none (every status but OK)
    StageResult punched;    // read from the files
};

// Whether the stage has been scored: the scoring writes the points of every row
// that starts, except those who did not start.
bool stageScored(const CompetitorTable& table, int stage) {
    for (int row = 1; row < table.rowCount(); ++row)
        if (cellNumber(table, row, column::points(stage))) return true;
    return false;
}

// The over-time penalty of every row (index row - 1) as the stage scoring finds
// it in his files: the competitor file does not keep it.
std::vector<std::int32_t> overtimeFromFiles(const ResultListSource& source) {
    ScoringOptions options;
    options.stage = source.stage;
    std::vector<SkippedFile> unreadable; // counted as missing, as the scoring does
    std::vector<std::int32_t> overtime;
    for (const StageResult& result :
         scoreCompetitors(source.table, source.record, source.stageFolder, options, &unreadable))
        overtime.push_back(result.overtime);
    return overtime;
}

std::optional<ListedPerson> personOf(const ResultListSource& source, const ClassDefinition& definition,
                                     int row, bool scored, std::int32_t overtime) {
    const CompetitorTable& table = source.table;
    const int stage = source.stage;
    if (table.cell(row, column::start(stage)).empty()) return std::nullopt;
    ListedPerson person;
    person.row = row;
    person.punched = readCompetitorFiles(source.stageFolder, table.cell(row, column::kId), definition);
    person.status = table.cell(row, column::disqualified(stage)) == "DISK" ? StageStatus::Disqualified
                                                                           : person.punched.status;
    const auto points = cellNumber(table, row, column::points(stage));
    person.score = std::int64_t{points.value_or(0)} - overtime;
    person.time = cellNumber(table, row, column::tc(stage)).value_or(0);
    if (person.status == StageStatus::DidNotStart) return scored ? std::optional(person) : std::nullopt;
    if (!points) return std::nullopt;
    if (source.kind == ResultListKind::TempO && person.status == StageStatus::Ok && person.time < 1)
        return std::nullopt;
    return person;
}

// Ahead in the list: OK before disqualified before DNF before DNS; then PreO by
// net score descending and TC ascending, TempO by TC ascending; then table order.
bool listedBefore(const ListedPerson& a, const ListedPerson& b, ResultListKind kind) {
    if (a.status != b.status) return a.status < b.status;
    if (a.status == StageStatus::DidNotStart) return false;
    if (kind == ResultListKind::PreO && a.score != b.score) return a.score > b.score;
    return a.time < b.time;
}

// The class's list in order with the positions of the OK ones: equal keys (PreO
// net score and TC, TempO TC) share a position, as on the stage page.
std::vector<ListedPerson> classList(const ResultListSource& source, const ClassDefinition& definition,
                                    bool scored, const std::vector<std::int32_t>& overtime) {
    std::vector<ListedPerson> list;
    for (int row = 1; row < source.table.rowCount(); ++row)
        if (source.table.cell(row, column::kClass) == definition.class_name)
            if (auto person = personOf(source, definition, row, scored, overtime[row - 1]))
                list.push_back(std::move(*person));
    std::stable_sort(list.begin(), list.end(), [&](const ListedPerson& a, const ListedPerson& b) {
        return listedBefore(a, b, source.kind);
    });
    for (std::size_t i = 0; i < list.size() && list[i].status == StageStatus::Ok; ++i) {
        const bool tie = i > 0 && list[i].time == list[i - 1].time &&
                         (source.kind == ResultListKind::TempO || list[i].score == list[i - 1].score);
        list[i].position = tie ? list[i - 1].position : static_cast<int>(i + 1);
    }
    return list;
}

// The smallest TC among the competitors placed (TempO places only TC >= 1).
std::int64_t fastestTime(const std::vector<ListedPerson>& list) {
    std::int64_t fastest = 0;
    for (const ListedPerson& person : list)
        if (person.status == StageStatus::Ok && person.time > 0 && (fastest == 0 || person.time < fastest))
            fastest = person.time;
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

// Start and finish as date-times: the punched start when it is valid, otherwise
// the zero time and the whole minutes of the start offset; the finish only when
// it was punched (empty otherwise). A finish earlier in the day than the start
// belongs to the next day.
std::pair<std::string, std::string> startAndFinish(const ResultListSource& source, int row,
                                                   const StageResult& punched) {
    const auto date = *parseStageDate(source.record.stage_date);
    const std::int64_t minutes =
        *parseZeroTime(source.record.stage_start) +
        wholeNumberOf(source.table.cell(row, column::start(source.stage))).value_or(0);
    std::int64_t start = minutes * 60;
    if (const auto punchedStart = parsePunchedTime(punched.start)) start = *punchedStart;
    std::string finishText;
    if (const auto punchedFinish = parsePunchedTime(punched.finish)) {
        std::int64_t finish = *punchedFinish;
        if (finish < start % 86400) finish += 86400;
        finish += start / 86400 * 86400;
        finishText = iofDateTime(date, finish);
    }
    return {iofDateTime(date, start), finishText};
}

void appendControlAnswer(std::vector<std::string>& lines, const std::string& answer,
                         const std::string& correct, const std::string& time = {}) {
    lines.insert(lines.end(), {"  <ControlAnswer>", "   <Answer>" + xmlText(answer) + "</Answer>",
                               "   <CorrectAnswer>" + xmlText(correct) + "</CorrectAnswer>"});
    if (!time.empty()) lines.push_back("   <Time>" + time + "</Time>");
    lines.push_back("  </ControlAnswer>");
}

// Readers match answers to controls and tasks by their order alone, so every
// control of the class and every task of a station has its element, in place,
// answered or not; a voided one keeps its answer and shows "X" as the correct one.
void appendControlAnswers(std::vector<std::string>& lines, const ResultListSource& source,
                          const ClassDefinition& definition, const StageResult& punched) {
    if (source.kind == ResultListKind::PreO)
        for (int slot = 0; slot < controlCount(definition); ++slot)
            appendControlAnswer(lines, punched.answer[slot], definition.control_answer[slot]);
    for (int station = 0; station < kClusters; ++station) {
        const auto& correct = definition.cluster_answers[station];
        if (isSwitchedOff(definition, station) || correct[0].empty()) continue;
        int last = 0;
        for (int task = 0; task < kClusterSlots - 1; ++task)
            if (!correct[task].empty()) last = task;
        // One time was taken for the whole station: it closes the station's tasks.
        for (int task = 0; task <= last; ++task)
            if (!correct[task].empty())
                appendControlAnswer(lines, punched.tcAnswer[station][task], correct[task],
                                    task == last ? std::to_string(punched.tcTime[station]) : std::string());
    }
}

// The competitor's club is not known: the organisation he is listed with is his
// nation (the schema wants a name, so the code is that too).
void appendOrganisation(std::vector<std::string>& lines, const std::string& nation) {
    if (nation.empty()) return;
    const std::string code = xmlText(nation);
    lines.insert(lines.end(),
                 {" <Organisation>", "  <Name>" + code + "</Name>",
                  R"(  <Country code=")" + code + R"(">)" + code + "</Country>", " </Organisation>"});
}

void appendPerson(std::vector<std::string>& lines, const ResultListSource& source,
                  const ClassDefinition& definition, const ListedPerson& person, std::int64_t fastest) {
    const CompetitorTable& table = source.table;
    const int row = person.row;
    const std::string& name = table.cell(row, column::kName);
    const auto blank = name.find(' ');
    const std::string family = name.substr(0, blank);
    const std::string given = blank == std::string::npos ? std::string() : name.substr(blank + 1);
    const auto [start, finish] = startAndFinish(source, row, person.punched);
    lines.insert(lines.end(),
                 {" <PersonResult>", "  <Person>",
                  R"(   <Id type="IOF">)" + xmlText(table.cell(row, column::kRegistration)) + "</Id>",
                  "  <Name>", "   <Family>" + xmlText(family) + "</Family>",
                  "   <Given>" + xmlText(given) + "</Given>", "  </Name>", " </Person>"});
    appendOrganisation(lines, table.cell(row, column::kFlag));
    lines.insert(lines.end(),
                 {" <Result>", "  <BibNumber>" + xmlText(table.cell(row, column::kId)) + "</BibNumber>",
                  "  <StartTime>" + start + "</StartTime>"});
    if (!finish.empty()) lines.push_back("  <FinishTime>" + finish + "</FinishTime>");
    const bool started = person.status != StageStatus::DidNotStart;
    if (started) lines.push_back("  <Time>" + std::to_string(person.time) + "</Time>");
    if (person.status == StageStatus::Ok) {
        // PreO is not ranked by time: a time behind the fastest would read as a
        // gap to the winner that is not there.
        if (source.kind == ResultListKind::TempO)
            lines.push_back("  <TimeBehind>" + std::to_string(person.time - fastest) + "</TimeBehind>");
        lines.push_back("  <Position>" + std::to_string(person.position) + "</Position>");
    }
    lines.push_back(std::string("  <Status>") + iofStatus(person.status) + "</Status>");
    if (source.kind == ResultListKind::PreO && started)
        lines.push_back("  <Score>" + std::to_string(person.score) + "</Score>");
    appendControlAnswers(lines, source, definition, person.punched);
    const std::string& card = table.cell(row, column::kSi);
    if (!card.empty())
        lines.push_back(R"(   <ControlCard punchingSystem="SI">)" + xmlText(card) + "</ControlCard>");
    lines.insert(lines.end(), {"  </Result>", " </PersonResult>"});
}

} // namespace

std::vector<std::string> resultListLines(const ResultListSource& source) {
    std::vector<std::string> lines;
    appendHead(lines, source);
    const bool scored = stageScored(source.table, source.stage);
    const std::vector<std::int32_t> overtime = overtimeFromFiles(source);
    for (const ClassDefinition& definition : source.record.classes) {
        const std::string& className = definition.class_name;
        if (className.empty()) continue;
        const std::string name = xmlText(className);
        // No class is known to be for one sex, so it carries no sex attribute.
        lines.insert(lines.end(),
                     {"<ClassResult>", " <Class>", "  <Id>" + name + "</Id>", "  <Name>" + name + "</Name>",
                      " </Class>", " <Course>", "  <Length>0</Length>", "  <Climb>0</Climb>", " </Course>"});
        const std::vector<ListedPerson> list = classList(source, definition, scored, overtime);
        const std::int64_t fastest = fastestTime(list);
        for (const ListedPerson& person : list)
            appendPerson(lines, source, definition, person, fastest);
        lines.push_back("</ClassResult>");
    }
    lines.push_back("</ResultList>");
    return lines;
}

} // namespace ravik
