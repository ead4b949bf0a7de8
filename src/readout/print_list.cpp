#include "readout/print_list.h"

#include <unordered_map>

namespace ravik {

std::string competitorIdOfItem(const std::string& item) {
    return item.substr(0, item.find('.'));
}

namespace {

bool isListedFile(const std::string& name, bool regularFile) {
    return regularFile && name.ends_with(".si") && !name.starts_with("SI");
}

} // namespace

bool printListHasItemOf(const FolderNames::Names* stageFolder, const std::string& id) {
    if (!stageFolder || id.find('.') != std::string::npos) return false;
    // An item's ID runs up to the first "." of its file name.
    const std::string prefix = id + '.';
    for (auto entry = stageFolder->lower_bound(prefix);
         entry != stageFolder->end() && entry->first.starts_with(prefix); ++entry)
        if (isListedFile(entry->first, entry->second)) return true;
    return false;
}

std::vector<std::string> printListItems(const FolderNames::Names* stageFolder, const CompetitorTable& table) {
    std::vector<std::string> files;
    if (!stageFolder) return files;
    // The entries come sorted by name.
    for (const auto& [name, regularFile] : *stageFolder) {
        if (isListedFile(name, regularFile)) files.push_back(name);
    }
    // The rows of each ID, in table order: one walk over the table, no copies.
    std::unordered_map<std::string_view, int> firstRowOfId;
    firstRowOfId.reserve(static_cast<std::size_t>(table.rowCount()));
    std::vector<int> nextRowOfId(static_cast<std::size_t>(table.rowCount()), 0); // 0 ends
    std::vector<int> lastRowOfId(static_cast<std::size_t>(table.rowCount()), 0); // by first row
    for (int row = 1; row < table.rowCount(); ++row) {
        const auto [entry, inserted] = firstRowOfId.try_emplace(table.cell(row, column::kId), row);
        const int first = entry->second;
        if (!inserted) nextRowOfId[lastRowOfId[first]] = row;
        lastRowOfId[first] = row;
    }
    for (std::string& item : files) {
        const auto first = firstRowOfId.find(std::string_view(item).substr(0, item.find('.')));
        if (first == firstRowOfId.end()) continue;
        for (int row = first->second; row != 0; row = nextRowOfId[row])
            item.append(" (").append(table.cell(row, column::kName)).append(")");
    }
    return files;
}

} // namespace ravik
