#include "scoring/results_window_rules.h"

namespace ravik {

std::vector<std::string> classListItems(const RaceRecord& record) {
    std::vector<std::string> items;
    for (const ClassDefinition& definition : record.classes)
        if (!definition.class_name.empty()) items.push_back(definition.class_name);
    return items;
}

RelayButtons relayButtonsAfterClick(bool relayChecked, RelayButtons buttons) {
    // The radio buttons exclude one another: selecting Farsta unselects the others.
    if (!buttons.farsta && !buttons.motala) buttons = {.farsta = true, .motala = false, .teams = false};
    if (!relayChecked) {
        buttons.farsta = false;
        buttons.motala = false;
    }
    return buttons;
}

RelayForm relayFormOf(const RelayButtons& buttons) {
    if (buttons.farsta) return RelayForm::Farsta;
    if (buttons.motala) return RelayForm::Motala;
    if (buttons.teams) return RelayForm::Teams;
    return RelayForm::None;
}

} // namespace ravik
