#include "readout/print_list.h"

#include <unordered_map>

namespace ravik {

std::string competitorIdOfItem(const std::string& item) {
    return item.substr(0, item.find('.'));
}

std::vector<std::string> printListItems(const std::string& stageFolder, const CompetitorTable& table) {
    FolderNames names;
    return printListItems(names.look(stageFolder), table);
}

std::vector<std::string> printListItems(const FolderNames::Names* stageFolder, const CompetitorTable& table) {
    std::vector<std::string> files;
    if (!stageFolder) return files;
    // The entries come sorted by name.
    for (const auto& [name, regularFile] : *stageFolder) {
        if (!regularFile || !name.ends_with(".si") || name.starts_with("SI")) continue;
        files.push_back(name);
    }
    // The names of every row bearing an ID, in table order: one walk over the table.
    std::unordered_map<std::string_view, std::string> namesOfId;
    for (int row = 1; row < table.rowCount(); ++row)
        namesOfId[table.cell(row, column::kId)]
            .append(" (")
            .append(table.cell(row, column::kName))
            .append(")");
    for (std::string& item : files)
        if (const auto names = namesOfId.find(std::string_view(item).substr(0, item.find('.')));
            names != namesOfId.end())
            item += names->second;
    return files;
}

} // namespace ravik
