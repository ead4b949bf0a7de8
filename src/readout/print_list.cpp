#include "readout/print_list.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>

namespace ravik {

std::string competitorIdOfItem(const std::string& item) {
    return item.substr(0, item.find('.'));
}

std::vector<std::string> printListItems(const std::string& stageFolder, const CompetitorTable& table) {
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::directory_iterator it(fs::u8path(stageFolder), ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const std::string name = it->path().filename().string();
        if (name.size() < 3 || name.compare(name.size() - 3, 3, ".si") != 0) continue;
        if (name.rfind("SI", 0) == 0) continue;
        files.push_back(name);
    }
    std::sort(files.begin(), files.end());
    // The names of every row bearing an ID, in table order: one walk over the table.
    std::unordered_map<std::string, std::string> namesOfId;
    for (int row = 1; row < table.rowCount(); ++row)
        namesOfId[table.cell(row, column::kId)]
            .append(" (")
            .append(table.cell(row, column::kName))
            .append(")");
    for (std::string& item : files)
        if (const auto names = namesOfId.find(competitorIdOfItem(item)); names != namesOfId.end())
            item += names->second;
    return files;
}

} // namespace ravik
