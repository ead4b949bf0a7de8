#include "drawing/paper_html.h"

#include <algorithm>
#include <cctype>
#include <regex>
#include <sstream>
#include <vector>

namespace ravik {
namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool startsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

std::vector<std::string> lines(const std::string& page) {
    std::vector<std::string> result;
    std::istringstream in(page);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        result.push_back(line);
    }
    return result;
}

// Leaves out the screen's parts line by line: the pages are written a part to a line.
std::string withoutScreenParts(const std::string& page) {
    static const std::regex spacer(R"(<td height=\d+>&nbsp;<tr>)");
    std::string kept;
    bool inScript = false, inLeaders = false;
    for (std::string line : lines(page)) {
        const std::string low = lower(line);
        if (low == "<script>") inScript = true;
        // The leaders block runs from its table to the end of the body.
        if (low.find("class=\"highlight\"") != std::string::npos) inLeaders = true;
        if (low == "</body>") inLeaders = false;
        const bool dropped = inScript || inLeaders || startsWith(low, " .highlight") ||
                             low.find("http-equiv=\"refresh\"") != std::string::npos ||
                             (startsWith(low, "<td height=") && std::regex_match(line, spacer));
        if (low == "</script>") inScript = false;
        if (dropped) continue;
        const std::size_t frame = low.find("<table width=3000");
        if (frame != std::string::npos) line.erase(frame + 6, std::string("width=3000 ").size());
        kept += line + "\n";
    }
    return kept;
}

// In each table whose first cell is a heading cell, the rows before the first
// data cell go into a thead.
std::string withTableHeadings(const std::string& page) {
    const std::string low = lower(page);
    std::string result;
    std::size_t copied = 0;
    for (std::size_t table = low.find("<table"); table != std::string::npos;
         table = low.find("<table", table + 1)) {
        const std::size_t open = low.find('>', table);
        if (open == std::string::npos) break;
        const std::size_t heading = low.find("<th", open), data = low.find("<td", open),
                          inner = low.find("<table", open);
        if (heading == std::string::npos || heading > data || heading > inner || data == std::string::npos)
            continue;
        // "<th" also begins "<thead": the page is marked already.
        if (low.compare(heading, 6, "<thead") == 0) continue;
        const std::size_t body = low.rfind("<tr", data);
        const std::size_t firstRow = low.find("<tr", open);
        if (body == std::string::npos || body < firstRow) continue;
        result += page.substr(copied, firstRow - copied) + "<thead>" +
                  page.substr(firstRow, body - firstRow) + "</thead>";
        copied = body;
    }
    return result + page.substr(copied);
}

// `<span style="display:inline-block;height:8px;width:57px;background-color:#22AA22;"></span>`
// → `<img src="ravik-bar:22AA22" width=57 height=8>`.
std::string withBarPictures(const std::string& page) {
    static const std::regex bar(
        R"re(<span style="display:inline-block;height:(\d+)px;width:(\d+)px;background-color:#([0-9A-Fa-f]{6});"></span>)re");
    if (page.find("display:inline-block") == std::string::npos) return page;
    return std::regex_replace(page, bar,
                              std::string("<img src=\"") + kBarImageScheme + "$3\" width=$2 height=$1>");
}

} // namespace

std::string paperHtml(const std::string& page) {
    return withBarPictures(withTableHeadings(withoutScreenParts(page)));
}

} // namespace ravik
