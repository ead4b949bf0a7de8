#include "entries/table_commands.h"

#include "core/cp1250.h"
#include "core/numbers.h"
#include "core/texts/entries_texts.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

namespace ravik {

bool addCompetitorRow(CompetitorTable& table) {
    if (table.competitorRows() >= kMaxCompetitors) return false;
    std::int64_t largest = -1;
    for (int r = 1; r < table.rowCount(); ++r) {
        const std::string& id = table.cell(r, column::kId);
        if (!isDigitsOnly(id) || id.size() > 15) continue;
        largest = std::max<std::int64_t>(largest, std::stoll(id));
    }
    TableRow row;
    row[column::kId] = std::to_string(largest + 1);
    table.appendRow(std::move(row));
    return true;
}

std::string deleteRowCaption(const CompetitorTable& table, int row, Language language) {
    std::string caption = tr(language, texts::kDeleteLine);
    if (row < 1 || row >= table.rowCount()) return caption;
    return caption + " " + std::to_string(row) + " (" + cp1250ToUtf8(table.cell(row, column::kId)) + "," +
           cp1250ToUtf8(table.cell(row, column::kName)) + ")";
}

bool deleteCompetitorRow(CompetitorTable& table, int row) {
    if (row < 1 || row >= table.rowCount()) return false;
    table.removeRow(row);
    return true;
}

void fillMissingIds(CompetitorTable& table) {
    // The IDs are compared as text, so "007" does not block 7.
    std::unordered_set<std::string> taken;
    for (int r = 1; r < table.rowCount(); ++r)
        taken.insert(table.cell(r, column::kId));
    long long counter = 1;
    for (int r = 1; r < table.rowCount(); ++r) {
        if (!table.cell(r, column::kId).empty()) continue;
        while (taken.count(std::to_string(counter)) != 0)
            ++counter;
        table.setCell(r, column::kId, std::to_string(counter));
        taken.insert(std::to_string(counter));
    }
}

void clearResults(CompetitorTable& table) {
    for (int r = 1; r < table.rowCount(); ++r)
        for (int c = column::points(1); c < kTableColumns; ++c)
            table.setCell(r, c, std::string());
}

int competitorRowOfId(const CompetitorTable& table, const std::string& id) {
    for (int row = 1; row < table.rowCount(); ++row)
        if (table.cell(row, column::kId) == id) return row;
    return 0;
}

int columnOfHeading(const std::string& name) {
    // Letter case of ASCII letters aside; the Czech headings' own letters as written.
    const auto folded = [](std::string text) {
        for (char& c : text)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return text;
    };
    if (!name.empty() && name.size() <= 2 &&
        std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const int col = std::stoi(name);
        return col < kTableColumns ? col : -1;
    }
    const std::string wanted = folded(name);
    for (int col = 0; col < kTableColumns; ++col)
        for (Language language : {Language::English, Language::Czech})
            if (folded(columnHeading(col, language)) == wanted) return col;
    return -1;
}

} // namespace ravik
