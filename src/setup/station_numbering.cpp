#include "setup/station_numbering.h"

#include <algorithm>
#include <array>

namespace ravik {
namespace {
constexpr std::array<long long, 6> kSkippedCodes{66, 68, 86, 89, 98, 99};
constexpr int kZColumn = controlColumn::kFirstCode + kAnswersPerControl - 1;
} // namespace

long long nextStationCode(long long code) {
    do {
        ++code;
    } while (std::find(kSkippedCodes.begin(), kSkippedCodes.end(), code) != kSkippedCodes.end());
    return code;
}

int flagCount(std::string_view flags) {
    if (flags == "A") return 1;
    if (flags.size() == 3 && flags.substr(0, 2) == "A-" && flags[2] >= 'B' && flags[2] <= 'F')
        return flags[2] - 'A' + 1;
    return 0;
}

void numberStations(ClassEditorView& view, long long firstCode) {
    long long code = firstCode;
    for (ControlRow& cells : view.controls) {
        for (int col = controlColumn::kFirstCode; col <= kZColumn; ++col)
            cells[col].clear();
        const std::string& flags = cells[controlColumn::kFlags];
        const int count = flagCount(flags);
        for (int answer = 0; answer < count; ++answer) {
            cells[controlColumn::kFirstCode + answer] = std::to_string(code);
            code = nextStationCode(code);
        }
        if (!flags.empty()) {
            cells[kZColumn] = std::to_string(code);
            code = nextStationCode(code);
        }
    }
}

} // namespace ravik
