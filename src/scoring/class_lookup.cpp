#include "scoring/class_lookup.h"

#include <algorithm>

namespace ravik {

int classSlotOf(const RaceRecord& record, const std::string& className) {
    if (className.empty()) return -1;
    for (int slot = kClassSlots - 1; slot >= 0; --slot)
        if (record.classes[slot].class_name == className) return slot;
    return -1;
}

bool isSelected(const std::vector<std::string>& selectedClasses, const std::string& className) {
    return std::find(selectedClasses.begin(), selectedClasses.end(), className) != selectedClasses.end();
}

int controlCount(const ClassDefinition& definition) {
    for (int slot = kControls; slot >= 1; --slot)
        if (!definition.control_flags[slot - 1].empty()) return slot;
    return 0;
}

int stationCount(const ClassDefinition& definition) {
    return static_cast<int>(std::count_if(definition.cluster_answers.begin(),
                                          definition.cluster_answers.end(),
                                          [](const auto& station) { return !station[0].empty(); }));
}

bool isSwitchedOff(const ClassDefinition& definition, int station) {
    return definition.cluster_answers[station][kClusterSlots - 1] == "X";
}

bool isVoidedControl(const ClassDefinition& definition, int slot) {
    return definition.control_answer[slot] == kVoidAnswer;
}

bool isVoidedTask(const ClassDefinition& definition, int station, int task) {
    return task < kClusterSlots - 1 && definition.cluster_answers[station][task] == kVoidAnswer;
}

int scoredControlCount(const ClassDefinition& definition) {
    int count = 0;
    for (int slot = 0; slot < controlCount(definition); ++slot)
        if (!isVoidedControl(definition, slot)) ++count;
    return count;
}

} // namespace ravik
