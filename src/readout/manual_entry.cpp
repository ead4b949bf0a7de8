#include "readout/manual_entry.h"

#include "core/competitor_file.h"
#include "core/cp1250.h"
#include "core/numbers.h"
#include "core/race_file.h"
#include "core/session.h"
#include "core/texts/readout_texts.h"
#include "core/time_of_day.h"
#include "readout/punch_file.h"
#include "readout/timed_control_file.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>
#include <tuple>

namespace ravik {

namespace {

const std::string kEmpty;

std::string upperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// A field of a punch or timed-control line must not split the line.
std::string fieldText(const std::string& text) {
    std::string clean;
    for (char c : text)
        if (c != ';' && c != '\r' && c != '\n') clean += c;
    return clean;
}

std::vector<std::string> splitAtComma(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = text.find(',', begin);
        parts.push_back(text.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
        if (end == std::string::npos) return parts;
        begin = end + 1;
    }
}

char answerLetter(int answer) {
    return answer < 6 ? static_cast<char>('A' + answer) : 'Z';
}

// The highest control slot with a correct answer: the columns of prukazkaPreO.
int controlsOf(const ClassDefinition& definition) {
    int controls = 0;
    for (int k = 0; k < kControls; ++k)
        if (!definition.control_answer[k].empty()) controls = k + 1;
    return controls;
}

// The ID box lists IDs by their number (IDs that are not numbers after them, by text),
// so a competitor is found by counting, not by table order.
void sortIdsByNumber(std::vector<std::string>& ids) {
    const auto key = [](const std::string& id) {
        const bool number =
            !id.empty() && id.size() <= 9 &&
            std::all_of(id.begin(), id.end(), [](unsigned char c) { return std::isdigit(c); });
        return std::make_tuple(!number, number ? std::stol(id) : 0L, id);
    };
    std::stable_sort(ids.begin(), ids.end(),
                     [&](const std::string& a, const std::string& b) { return key(a) < key(b); });
}

} // namespace

void TextGrid::resize(int rows, int columns) {
    TextGrid resized;
    resized.rows_ = rows;
    resized.columns_ = columns;
    resized.cells_.resize(static_cast<std::size_t>(rows) * columns);
    for (int r = 0; r < std::min(rows, rows_); ++r)
        for (int c = 0; c < std::min(columns, columns_); ++c)
            resized.at(r, c) = std::move(at(r, c));
    *this = std::move(resized);
}

std::string& TextGrid::at(int row, int column) {
    if (!contains(row, column)) throw std::out_of_range("grid cell");
    return cells_[static_cast<std::size_t>(row) * columns_ + column];
}

const std::string& TextGrid::at(int row, int column) const {
    if (!contains(row, column)) throw std::out_of_range("grid cell");
    return cells_[static_cast<std::size_t>(row) * columns_ + column];
}

bool isBadTimeText(const std::string& text) {
    if (!text.empty() && text.size() != 8) return true;
    return text.size() > 6 && (text[2] != ':' || text[5] != ':');
}

std::string defaultStartTime(const std::string& stageStart, const std::string& offsetMinutes) {
    long long seconds = zeroTimeSeconds(stageStart).value_or(0);
    if (const auto offset = leadingDecimal(offsetMinutes); offset && std::isfinite(*offset) && *offset < 1e9)
        seconds += static_cast<long long>(std::trunc(*offset * 60));
    seconds %= kSecondsPerDay;
    return clockText(seconds);
}

ManualEntry::ManualEntry(Session& session) : session_(session) {
    reset();
}

void ManualEntry::reset() {
    lists = {};
    id.clear();
    name.clear();
    card.clear();
    className.clear();
    si1 = "SI1";
    times = {};
    timeEditVisible = {true, true, false, false, false, false};
    date = "datum";
    preoGrid = TextGrid();
    preoGrid.resize(preo::kRows, 1);
    tempoGrid = TextGrid();
    tempoGrid.resize(1, 2);
    tasks = 0;
    stageFolder.clear();
    stage = RaceRecord();
    startOffset_.clear();
}

std::string ManualEntry::punchFilePath() const {
    return ravik::punchFilePath(stageFolder, id);
}
std::string ManualEntry::timedControlFilePath() const {
    return ravik::timedControlFilePath(stageFolder, id);
}

void ManualEntry::show() {
    const RaceContext& race = session_.race;
    if (!race.isOpen()) {
        reset();
        return;
    }
    lists = {};
    for (const auto& entry : readIdsAndNames(race.competitorFilePath())) {
        lists.ids.push_back(std::to_string(entry.id));
        lists.names.push_back(entry.name);
    }
    sortIdsByNumber(lists.ids);
    id = lists.ids.empty() ? "" : lists.ids.front();
    name = lists.names.empty() ? "" : lists.names.front();
    preoGrid.at(preo::kAnswers, 0) = utf8ToCp1250(session_.text(texts::kAnswerRowTitle));
    preoGrid.at(preo::kCodes, 0) = "SI";
    chooseByName(name);
}

void ManualEntry::refillListsFromTable() {
    lists = {};
    const CompetitorTable& table = session_.table;
    for (int row = 1; row < table.rowCount(); ++row) {
        lists.ids.push_back(table.cell(row, column::kId));
        lists.names.push_back(table.cell(row, column::kName));
    }
    sortIdsByNumber(lists.ids);
}

void ManualEntry::chooseById(const std::string& chosen) {
    id = chosen;
    int found = 0;
    for (int row = 1; row < session_.table.rowCount(); ++row)
        if (session_.table.cell(row, column::kId) == chosen) found = row;
    chooseRow(found);
}

void ManualEntry::chooseByName(const std::string& chosen) {
    name = chosen;
    int found = 0;
    for (int row = 1; row < session_.table.rowCount(); ++row)
        if (session_.table.cell(row, column::kName) == chosen) found = row;
    if (found > 0) id = session_.table.cell(found, column::kId);
    chooseRow(found);
}

// Without a matching row the card, class and start offset are empty. The stage
// record is read anew for every competitor chosen, so a class saved in the class
// editor meanwhile is the one his punches are shown and saved with.
void ManualEntry::chooseRow(int row) {
    const RaceContext& race = session_.race;
    if (race.isOpen()) {
        stage = readStage(race.racePath(), race.currentStage());
        stageFolder = race.currentStageFolder();
    }
    const CompetitorTable& table = session_.table;
    const int stageNumber = race.currentStage();
    if (row > 0) {
        id = table.cell(row, column::kId);
        name = table.cell(row, column::kName);
    }
    card = row > 0 ? table.cell(row, column::kSi) : "";
    className = row > 0 ? table.cell(row, column::kClass) : "";
    startOffset_ = row > 0 && stageNumber >= 1 && stageNumber <= kMaxStages
                       ? table.cell(row, column::start(stageNumber))
                       : "";
    load();
}

std::vector<const ClassDefinition*> ManualEntry::classesOfCompetitor() const {
    std::vector<const ClassDefinition*> classes;
    if (className.empty()) return classes;
    for (const auto& definition : stage.classes)
        if (definition.class_name == className) classes.push_back(&definition);
    return classes;
}

void ManualEntry::load() {
    times = {};
    timeEditVisible = {true, true, false, false, false, false};
    layOutGrids();
    for (int column = 1; column < preoGrid.columns(); ++column) {
        preoGrid.at(preo::kAnswers, column).clear();
        preoGrid.at(preo::kCodes, column).clear();
    }
    times[kStartEdit] = defaultStartTime(stage.stage_start, startOffset_);
    date = stage.stage_date;
    loadPunches();
    loadTimedControls();
}

void ManualEntry::layOutGrids() {
    int controls = 0, stations = 0;
    tasks = 0;
    for (const ClassDefinition* definition : classesOfCompetitor()) {
        controls = controlsOf(*definition);
        stations = 0;
        tasks = 0;
        for (int s = 0; s < kClusters; ++s) {
            if (!definition->cluster_answers[s][0].empty()) ++stations;
            for (int t = 0; t < kClusterSlots - 1; ++t)
                if (!definition->cluster_answers[s][t].empty()) tasks = std::max(tasks, t + 1);
        }
        timeEditVisible[kBreak1FromEdit] = definition->break1_from_code > 0;
        timeEditVisible[kBreak1ToEdit] = definition->break1_to_code > 0;
        timeEditVisible[kBreak2FromEdit] = definition->break2_from_code > 0;
        timeEditVisible[kBreak2ToEdit] = definition->break2_to_code > 0;
    }
    preoGrid.resize(preo::kRows, controls + 1);
    for (int k = 1; k <= controls; ++k) {
        preoGrid.at(preo::kHeader, k) = "K" + std::to_string(k);
        for (int row = preo::kAnswers; row < preo::kRows; ++row)
            preoGrid.at(row, k).clear();
    }
    tempoGrid.resize(stations + 1, tasks + 2);
    for (int t = 1; t <= tasks; ++t)
        tempoGrid.at(0, t) = "K" + std::to_string(t);
    tempoGrid.at(0, tempoTimeColumn()) = utf8ToCp1250(session_.text(texts::kTimeColumnTitle));
    for (int r = 1; r <= stations; ++r)
        tempoGrid.at(r, 0) = "Cluster " + std::to_string(r);
}

void ManualEntry::loadPunches() {
    const auto classes = classesOfCompetitor();
    int counter = 0;
    for (const PunchLine& line : readPunchFile(punchFilePath())) {
        si1 = line.eventId;
        date = line.date;
        if (line.isStart()) times[kStartEdit] = line.time;
        if (line.isFinish()) times[kFinishEdit] = line.time;
        if (!line.isControl()) continue;
        for (const ClassDefinition* definition : classes) {
            for (int k = 0; k < kControls; ++k)
                for (int j = 0; j < kAnswersPerControl; ++j) {
                    if (std::to_string(definition->answer_codes[k][j]) != line.code) continue;
                    ++counter;
                    if (k + 1 >= preoGrid.columns()) continue; // a control outside the grid
                    preoGrid.at(preo::kOrder, k + 1) = std::to_string(counter);
                    preoGrid.at(preo::kTime, k + 1) = line.time;
                    std::string& codes = preoGrid.at(preo::kCodes, k + 1);
                    codes = codes.empty() ? line.code : codes + "," + line.code;
                    preoGrid.at(preo::kAnswers, k + 1) += answerLetter(j);
                }
            const std::pair<std::int32_t, TimeEdit> breaks[] = {
                {definition->break1_from_code, kBreak1FromEdit},
                {definition->break1_to_code, kBreak1ToEdit},
                {definition->break2_from_code, kBreak2FromEdit},
                {definition->break2_to_code, kBreak2ToEdit}};
            for (const auto& [code, edit] : breaks)
                if (std::to_string(code) == line.code) times[edit] = line.time;
        }
    }
}

void ManualEntry::loadTimedControls() {
    for (int r = 1; r < tempoGrid.rows(); ++r)
        for (int c = 1; c < tempoGrid.columns(); ++c)
            tempoGrid.at(r, c).clear();
    const auto lines = readTimedControlFile(timedControlFilePath());
    for (int r = 1; r < tempoGrid.rows() && r <= static_cast<int>(lines.size()); ++r) {
        const TimedControlLine& line = lines[r - 1];
        for (int t = 1; t <= tasks && t <= static_cast<int>(line.answers.size()); ++t)
            if (line.answers[t - 1] != '-') tempoGrid.at(r, t) = std::string(1, line.answers[t - 1]);
        tempoGrid.at(r, tempoTimeColumn()) = line.timeText;
    }
}

void ManualEntry::keyReleasedInPreo(int row, int column) {
    if (column < 1 || !preoGrid.contains(row, column)) return;
    std::string& order = preoGrid.at(preo::kOrder, column);
    if (order.empty()) order = std::to_string(column);
    std::string& cell = preoGrid.at(row, column);
    if (row == preo::kAnswers && !cell.empty()) cell = upperCase(cell);
    rebuildCodes(column);
}

void ManualEntry::rebuildCodes(int column) {
    for (const ClassDefinition* definition : classesOfCompetitor()) {
        const std::string& flags = definition->control_flags[column - 1];
        const char first = flags.empty() ? 'A' : flags.front();
        const char last = flags.empty() ? 'A' : flags.back();
        std::string codes;
        for (char letter : preoGrid.at(preo::kAnswers, column)) {
            int answer = -1;
            if (letter == 'Z')
                answer = 6;
            else if (letter >= first && letter <= last && letter >= 'A' && letter <= 'F')
                answer = letter - 'A';
            if (answer < 0) continue;
            if (!codes.empty()) codes += ",";
            codes += std::to_string(definition->answer_codes[column - 1][answer]);
        }
        preoGrid.at(preo::kCodes, column) = codes;
    }
}

void ManualEntry::keyReleasedInTempo(int row, int column) {
    if (row < 1 || column < 1 || column == tempoTimeColumn() || !tempoGrid.contains(row, column)) return;
    tempoGrid.at(row, column) = upperCase(tempoGrid.at(row, column));
}

void ManualEntry::keyDown(int keyCode) {
    preoGrid.at(0, 0) = std::to_string(keyCode);
}

int ManualEntry::rightArrowInPreo(int row, int column) const {
    if (row != preo::kAnswers || !preoGrid.contains(row, column) || preoGrid.at(row, column).empty())
        return column;
    return std::min(column + 1, preoGrid.columns() - 1);
}

int ManualEntry::rightArrowInTempo(int row, int column) const {
    if (!tempoGrid.contains(row, column) || tempoGrid.at(row, column).empty()) return column;
    return std::min(column + 1, tempoGrid.columns() - 1);
}

void ManualEntry::savePunch() {
    session_.requireWritable();
    std::vector<std::string> lines;
    const std::string cardText = fieldText(card), dateText = fieldText(date);
    auto add = [&](const std::string& code, std::string_view mode, const std::string& time) {
        lines.push_back(manualPunchLine(cardText, fieldText(code), mode, dateText, fieldText(time),
                                        static_cast<int>(lines.size())));
    };
    add("1", kModeStart, times[kStartEdit]);
    for (int order = 1; order <= preo::kMaxOrder; ++order)
        for (int k = 1; k < preoGrid.columns(); ++k) {
            const std::string& codes = preoGrid.at(preo::kCodes, k);
            if (preoGrid.at(preo::kOrder, k) != std::to_string(order) || codes.empty() || codes == "0")
                continue;
            for (const std::string& code : splitAtComma(codes))
                if (!code.empty()) add(code, kModeControl, preoGrid.at(preo::kTime, k));
        }
    for (const ClassDefinition* definition : classesOfCompetitor()) {
        const std::pair<std::int32_t, TimeEdit> breaks[] = {{definition->break1_from_code, kBreak1FromEdit},
                                                            {definition->break1_to_code, kBreak1ToEdit},
                                                            {definition->break2_from_code, kBreak2FromEdit},
                                                            {definition->break2_to_code, kBreak2ToEdit}};
        for (const auto& [code, edit] : breaks)
            if (code > 0) add(std::to_string(code), kModeControl, times[edit]);
    }
    if (!times[kFinishEdit].empty()) add("1", kModeFinish, times[kFinishEdit]);
    writePunchFile(punchFilePath(), lines);
}

void ManualEntry::saveTimedControls() {
    session_.requireWritable();
    const auto classes = classesOfCompetitor();
    const ClassDefinition* definition = classes.empty() ? nullptr : classes.back();
    std::vector<std::string> lines;
    for (int r = 1; r < tempoGrid.rows(); ++r) {
        std::string answers;
        for (int t = 1; t <= tasks; ++t) {
            const std::string& cell = tempoGrid.at(r, t);
            const bool defined =
                definition && r <= kClusters && !definition->cluster_answers[r - 1][t - 1].empty();
            // One character per task keeps the answers of later tasks in their places.
            answers += defined && !cell.empty() && cell[0] != ';' ? cell[0] : '-';
        }
        lines.push_back(manualTimedControlLine(answers, fieldText(tempoGrid.at(r, tempoTimeColumn()))));
    }
    writeTimedControlFile(timedControlFilePath(), lines);
}

void ManualEntry::saveAll() {
    savePunch();
    saveTimedControls();
}

std::array<bool, kTimeEdits> ManualEntry::timeFormatTest() const {
    std::array<bool, kTimeEdits> red{};
    for (int i = 0; i < kTimeEdits; ++i)
        red[i] = isBadTimeText(times[i]);
    return red;
}

} // namespace ravik
