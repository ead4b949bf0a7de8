#include "setup/class_editor_view.h"

namespace ravik {

std::string clusterRowLabel(int row) {
    return "Cluster " + std::to_string(row + 1);
}
std::string controlRowLabel(int row) {
    return "K " + std::to_string(row + 1);
}

ClassEditorView::ClassEditorView() {
    for (int row = 0; row < kClusters; ++row)
        clusters[row][0] = clusterRowLabel(row);
    for (int row = 0; row < kControls; ++row)
        controls[row][0] = controlRowLabel(row);
}

} // namespace ravik
