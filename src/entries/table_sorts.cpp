#include "entries/table_sorts.h"

#include "core/numbers.h"
#include "core/texts/entries_texts.h"

#include <algorithm>
#include <set>
#include <vector>

namespace ravik {
namespace {

// Brings every row from `target` down whose key equals `key` up to the target
// position, by exchange, and returns the next target.
template <class KeyOf> int placeByExchange(CompetitorTable& table, int target, const KeyOf& matches) {
    for (int r = target; r < table.rowCount(); ++r) {
        if (!matches(r)) continue;
        table.swapRows(r, target);
        ++target;
    }
    return target;
}

} // namespace

std::optional<long long> numericSortKey(const std::string& cell) {
    const auto digits = decimalDigitsOf(cell, 15);
    if (!digits) return std::nullopt;
    // Only two decimals count: the key is cut, not rounded.
    const std::string hundredths = (digits->fraction + "00").substr(0, 2);
    return digits->whole * 100 + (hundredths[0] - '0') * 10 + (hundredths[1] - '0');
}

void sortNumeric(CompetitorTable& table, int col) {
    std::set<long long> keys;
    for (int r = 1; r < table.rowCount(); ++r)
        if (auto key = numericSortKey(table.cell(r, col))) keys.insert(*key);
    int target = 1;
    for (long long key : keys)
        target =
            placeByExchange(table, target, [&](int r) { return numericSortKey(table.cell(r, col)) == key; });
}

void sortByClassSlots(CompetitorTable& table, const ClassSlots& slots) {
    std::vector<std::string> placed;
    int target = 1;
    for (const std::string& name : slots) {
        // A name met before (the empty name of a later free slot too) has its rows placed already.
        if (std::find(placed.begin(), placed.end(), name) != placed.end()) continue;
        placed.push_back(name);
        target = placeByExchange(table, target, [&](int r) { return table.cell(r, column::kClass) == name; });
    }
}

void sortText(CompetitorTable& table, int col) {
    for (int k = table.rowCount() - 1; k >= 2; --k) {
        int greatest = 0;
        std::string best;
        for (int r = 1; r <= k; ++r) {
            if (table.cell(r, col) > best) {
                best = table.cell(r, col);
                greatest = r;
            }
        }
        if (greatest != 0) table.swapRows(greatest, k);
    }
}

std::string sortItemCaption(int item, Language language) {
    if (item == 1) return tr(language, texts::kSortById);
    if (item >= 2 && item <= 6) return tr(language, texts::kSortByStagePrefix) + std::to_string(item - 1);
    switch (item) {
    case 7:
        return tr(language, texts::kSortByClass);
    case 8:
        return tr(language, texts::kSortByName);
    case 9:
        return tr(language, texts::kSortByRelay);
    case 10:
        return tr(language, texts::kSortByCountry);
    default:
        return std::string();
    }
}

bool sortByMenuItem(CompetitorTable& table, int item, const ClassSlots& slots) {
    if (item == 1)
        sortNumeric(table, column::kId);
    else if (item >= 2 && item <= 6)
        sortNumeric(table, column::start(item - 1));
    else if (item == 7)
        sortByClassSlots(table, slots);
    else if (item == 8)
        sortText(table, column::kName);
    else if (item == 9)
        sortText(table, column::kRelay);
    else if (item == 10)
        sortText(table, column::kFlag);
    else
        return false;
    return true;
}

} // namespace ravik
