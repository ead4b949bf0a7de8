#include "readout/print_list.h"

#include <algorithm>
#include <filesystem>

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
    for (std::string& item : files) {
        const std::string id = competitorIdOfItem(item);
        for (int row = 1; row < table.rowCount(); ++row)
            if (table.cell(row, column::kId) == id) item += " (" + table.cell(row, column::kName) + ")";
    }
    return files;
}

} // namespace ravik
