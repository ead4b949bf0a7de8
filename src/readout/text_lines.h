#pragma once
// Splitting the bytes of a text file into lines (CR LF or LF; a last line
// without line end counts), shared by the readers of the read-out files.
#include <string>
#include <string_view>
#include <vector>

namespace ravik {

// Calls visit(line) for every line, without its line end.
template <typename Visit> void forEachTextLine(std::string_view bytes, Visit&& visit) {
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t end = bytes.find('\n', begin);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        visit(line);
        begin = next;
    }
}

// The lines joined, each ended by CR LF.
std::string joinCrLf(const std::vector<std::string>& lines);

// Reads a small text file of a competitor (punch or timed-control file): empty
// when it does not exist; IoError when it cannot be read or is implausibly large.
std::string readCompetitorFile(const std::string& path);

} // namespace ravik
