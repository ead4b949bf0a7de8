#include "entries/start_draw.h"

#include "core/cp1250.h"
#include "core/log.h"
#include "core/numbers.h"
#include "core/prompt.h"
#include "core/texts/entries_texts.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <optional>
#include <vector>

namespace ravik {
namespace {

bool startsWithDigit(const std::string& text) {
    return !text.empty() && text[0] >= '0' && text[0] <= '9';
}

// A number typed as a whole: digits with at most one decimal point or comma.
std::optional<double> wholeTextDecimal(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    if (!isDigitsAndPoints(text) || std::count(text.begin(), text.end(), '.') > 1) return std::nullopt;
    return leadingDecimal(text);
}

// The whole number of a cell that consists of digits only (and fits).
std::optional<long long> digitsValue(const std::string& cell) {
    if (!isDigitsOnly(cell) || cell.size() > 18) return std::nullopt;
    return std::stoll(cell);
}

struct DrawnRow {
    int row;
    long long points, tc;
};

// Turns the drawn number of each chosen row into first start + number × interval.
template <class Chosen>
void convertNumbers(CompetitorTable& table, const DrawOptions& options, Language language, Prompt& prompt,
                    const Chosen& chosen) {
    if (!startsWithDigit(options.firstStart) || !startsWithDigit(options.interval)) return;
    const double interval = leadingDecimal(options.interval).value_or(0.0);
    const double first = leadingDigits(options.firstStart);
    const int col = column::start(options.stage);
    for (int r = 1; r < table.rowCount(); ++r) {
        if (!chosen(r) || table.cell(r, col).empty()) continue;
        if (interval == 0.0) prompt.information(tr(language, texts::kIntervalReadAsZero));
        const double number = leadingDecimal(table.cell(r, col)).value_or(0.0);
        table.setCell(r, col, formatGeneral15(first + number * interval));
    }
}

void drawWholeTable(CompetitorTable& table, const DrawOptions& options, RandomSource& random) {
    const int col = column::start(options.stage);
    std::vector<int> marked;
    for (int r = 1; r < table.rowCount(); ++r) {
        if (table.cell(r, col).empty()) continue;
        table.setCell(r, col, "?");
        marked.push_back(r);
    }
    const int count = static_cast<int>(marked.size());
    std::vector<bool> used(marked.size(), false);
    for (int i = 0; i < count; ++i) {
        int number = i;
        if (options.random) {
            do
                number = random.below(count);
            while (used[number]);
            used[number] = true;
        }
        table.setCell(marked[i], col, std::to_string(number));
    }
}

void drawOneClass(CompetitorTable& table, const DrawOptions& options, RandomSource& random) {
    const int col = column::start(options.stage);
    std::vector<int> marked;
    int starters = 0;
    for (int r = 1; r < table.rowCount(); ++r) {
        if (table.cell(r, col).empty()) continue;
        ++starters;
        if (table.cell(r, column::kClass) != options.drawClass) continue;
        table.setCell(r, col, "?");
        marked.push_back(r);
    }
    // The class's numbers are spread over the range of the whole table.
    std::vector<bool> used(static_cast<std::size_t>(starters), false);
    for (int r : marked) {
        int number = 0;
        do
            number = random.below(starters);
        while (used[number]);
        used[number] = true;
        table.setCell(r, col, std::to_string(number));
    }
}

void orderByResults(CompetitorTable& table, const DrawOptions& options, Language language, Log& log) {
    const int stage = options.stage;
    if (stage < 2) return;
    const auto interval = wholeTextDecimal(options.interval);
    const auto first = wholeTextDecimal(options.firstStart);
    if (!interval || !first) {
        log.append(tr(language, texts::kDrawNumbersUnreadable));
        return;
    }
    const int pointsCol = column::points(stage - 1), tcCol = column::tc(stage - 1);
    long long minPoints = INT_MAX, maxPoints = -1, minTc = INT_MAX, maxTc = -1;
    std::vector<DrawnRow> ranked;
    for (int r = 1; r < table.rowCount(); ++r) {
        const std::string& pointsCell = table.cell(r, pointsCol);
        const std::string& tcCell = table.cell(r, tcCol);
        log.append("E" + std::to_string(stage) + " " + std::to_string(r) + ": " + cp1250ToUtf8(pointsCell) +
                   ", " + cp1250ToUtf8(tcCell));
        const auto points = digitsValue(pointsCell);
        const auto tc = digitsValue(tcCell);
        if (points) minPoints = std::min(minPoints, *points), maxPoints = std::max(maxPoints, *points);
        if (tc) minTc = std::min(minTc, *tc), maxTc = std::max(maxTc, *tc);
        // A cell is met by its value's own text only ("018" never equals 18).
        if (!points || !tc || std::to_string(*points) != pointsCell || std::to_string(*tc) != tcCell)
            continue;
        if (!options.bestFirst && table.cell(r, column::kClass) != options.drawClass) continue;
        ranked.push_back({r, *points, *tc});
    }
    log.append("min:" + std::to_string(minPoints) + "/" + std::to_string(minTc) +
               " max:" + std::to_string(maxPoints) + "/" + std::to_string(maxTc));
    std::stable_sort(ranked.begin(), ranked.end(), [&](const DrawnRow& a, const DrawnRow& b) {
        if (a.points != b.points) return options.bestFirst ? a.points > b.points : a.points < b.points;
        return options.bestFirst ? a.tc > b.tc : a.tc < b.tc;
    });
    double start = *first + *interval;
    for (const DrawnRow& row : ranked) {
        table.setCell(row.row, column::start(stage), formatGeneral15(start));
        start += *interval;
    }
}

} // namespace

SeededRandom SeededRandom::fromClock() {
    return SeededRandom(
        static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

bool isAllClasses(const std::string& drawClass) {
    return drawClass == "v\x9A"
                        "e" ||
           drawClass == "all";
}

std::string intervalEditText(const std::string& typed) {
    std::string text = typed;
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

std::string firstStartEditText(const std::string& typed) {
    return digitsOnly(typed);
}

void drawStartTimes(CompetitorTable& table, const DrawOptions& options, Language language, Prompt& prompt,
                    Log& log, RandomSource& random) {
    if (options.stage < 1 || options.stage > 5) return;
    if (options.byResults) {
        orderByResults(table, options, language, log);
        return;
    }
    if (isAllClasses(options.drawClass)) {
        drawWholeTable(table, options, random);
        convertNumbers(table, options, language, prompt, [](int) { return true; });
    } else {
        drawOneClass(table, options, random);
        convertNumbers(table, options, language, prompt,
                       [&](int r) { return table.cell(r, column::kClass) == options.drawClass; });
    }
}

void switchStartTimes(CompetitorTable& table, int stage, const std::string& first, const std::string& second,
                      Language language, Log& log) {
    if (stage < 1 || stage > 5) return;
    const int col = column::start(stage);
    int firstRow = 0, secondRow = 0;
    for (int r = 1; r < table.rowCount(); ++r) {
        if (table.cell(r, col) == first) firstRow = r;
        if (table.cell(r, col) == second) secondRow = r;
    }
    if (firstRow == 0 || secondRow == 0) {
        log.append(tr(language, texts::kStartTimeNotFound));
        return;
    }
    std::string held = table.cell(firstRow, col);
    table.setCell(firstRow, col, table.cell(secondRow, col));
    table.setCell(secondRow, col, held);
}

} // namespace ravik
