#include "setup/grid_cells.h"

namespace ravik {

std::string upperCased(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

void upperCaseClusterCells(ClassEditorView& view) {
    for (ClusterRow& row : view.clusters)
        for (int col = 1; col < kClusterGridColumns; ++col)
            row[col] = upperCased(row[col]);
}

std::string normalisedFlags(std::string_view cell) {
    const std::string upper = upperCased(cell);
    if (upper.size() == 1 && upper[0] >= 'B' && upper[0] <= 'F') return "A-" + upper;
    return upper;
}

void normaliseControlCells(ClassEditorView& view, int firstRow, int rowCount) {
    for (int row = firstRow; row < firstRow + rowCount && row < kControls; ++row) {
        ControlRow& cells = view.controls[row];
        for (int col = 1; col < kControlGridColumns; ++col)
            cells[col] = upperCased(cells[col]);
        cells[controlColumn::kFlags] = normalisedFlags(cells[controlColumn::kFlags]);
    }
}

} // namespace ravik
