#include "entries/text_import.h"

#include "core/cp1250.h"
#include "core/log.h"
#include "core/texts/entries_texts.h"
#include "entries/closest_cp1250.h"

#include <algorithm>

namespace ravik {
namespace {

// Characters first..last (1-based, inclusive) of the line, as far as it reaches.
std::string_view field(std::string_view line, std::size_t first, std::size_t last) {
    if (line.size() < first) return {};
    return line.substr(first - 1, std::min(last, line.size()) - first + 1);
}

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

// A blank is dropped when the character after it in the line is a blank too or
// the line ends there: runs of blanks and blanks at the end disappear.
std::string nameField(std::string_view line) {
    std::string out;
    for (std::size_t i = 30; i < 57 && i < line.size(); ++i) {
        if (line[i] == ' ' && (i + 1 >= line.size() || line[i + 1] == ' ')) continue;
        out += line[i];
    }
    return out;
}

} // namespace

ImportedCompetitor parseFixedColumnLine(std::string_view line) {
    ImportedCompetitor competitor;
    competitor.registration = std::string(field(line, 1, 7));
    competitor.competitorClass = withoutBlanks(field(line, 9, 18));
    competitor.card = withoutBlanks(field(line, 19, 29));
    competitor.name = nameField(line);
    competitor.country = withoutBlanks(field(line, 59, 61));
    competitor.id = withoutBlanks(field(line, 63, 69));
    competitor.relay = withoutBlanks(field(line, 71, 74));
    return competitor;
}

std::vector<std::string_view> textBoxLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(begin));
            break;
        }
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 1;
        if (text[end] == '\r' && begin < text.size() && text[begin] == '\n') ++begin;
    }
    return lines;
}

std::string fixedColumnFileText(std::string_view bytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark)) return utf8ToCp1250Closest(bytes.substr(kByteOrderMark.size()));
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    if (!ascii && isWellFormedUtf8(bytes)) return utf8ToCp1250Closest(bytes);
    return std::string(bytes);
}

std::vector<std::string> importFixedColumnText(CompetitorTable& table, std::string_view text, int stage,
                                               Language language, Log& log) {
    std::vector<std::string> addedClasses;
    if (stage < 1 || stage > 5) return addedClasses;
    int notAdded = 0;
    for (std::string_view line : textBoxLines(text)) {
        const ImportedCompetitor competitor = parseFixedColumnLine(line);
        switch (mergeImportedCompetitor(table, competitor, stage)) {
        case MergeOutcome::Added:
            addedClasses.push_back(competitor.competitorClass);
            break;
        case MergeOutcome::TableFull:
            ++notAdded;
            break;
        case MergeOutcome::Matched:
            break;
        }
    }
    if (notAdded > 0) log.append(tr(language, texts::kImportRowsNotAdded) + std::to_string(notAdded));
    return addedClasses;
}

} // namespace ravik
