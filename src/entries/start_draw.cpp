#include "entries/start_draw.h"

#include "core/cp1250.h"
#include "core/log.h"
#include "core/numbers.h"
#include "core/prompt.h"
#include "core/texts/entries_texts.h"

#include <algorithm>
#include <chrono>
#include <map>
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
    // Each class starts its own sequence, so classes are drawn side by side.
    std::map<std::string, std::vector<int>> classRows;
    for (int row : options.previousRanking) {
        if (row < 1 || row >= table.rowCount()) continue;
        const std::string& className = table.cell(row, column::kClass);
        if (isAllClasses(options.drawClass) || className == options.drawClass)
            classRows[className].push_back(row);
    }
    int assigned = 0;
    for (auto& [className, rows] : classRows) {
        if (!options.bestFirst) std::reverse(rows.begin(), rows.end());
        double start = *first + *interval;
        for (int row : rows) {
            table.setCell(row, column::start(stage), formatGeneral15(start));
            start += *interval;
            ++assigned;
        }
    }
    log.append(tr(language, texts::kStartsByResultsStage) + std::to_string(stage) +
               tr(language, texts::kStartsByResultsPrevious) + std::to_string(stage - 1) +
               tr(language, texts::kStartsByResultsCount) + std::to_string(assigned));
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
