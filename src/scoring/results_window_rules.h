#pragma once
// The results window's rules that do not need a window: the class list and the
// relay check box with its radio buttons.
#include "core/race_record.h"
#include "scoring/relay_results.h"

#include <string>
#include <vector>

namespace ravik {

// ListBox1 (and ListBox2): the names of the non-empty class slots, in slot order.
std::vector<std::string> classListItems(const RaceRecord& record);

// The three radio buttons of the relay forms.
struct RelayButtons {
    bool farsta = false; // RadioButton1
    bool motala = false; // RadioButton2
    bool teams = false;  // RadioButton3

    bool operator==(const RelayButtons&) const = default;
};

// After a click on CheckBox6: with neither Farsta nor Motala selected, Farsta is
// selected; when the box is now unchecked, Farsta and Motala are unselected.
RelayButtons relayButtonsAfterClick(bool relayChecked, RelayButtons buttons);

// The form the selected radio button stands for; None when none is selected.
RelayForm relayFormOf(const RelayButtons& buttons);

} // namespace ravik
