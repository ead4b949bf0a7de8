#pragma once
// The presentation values of the results window that shape the result pages.
#include <string>

namespace ravik {

struct PageOptions {
    std::string raceName;                  // h2, code page 1250; empty: the stage record's race name
    std::string caption;                   // nadpis: h2 of the Motala and Družstva pages, code page 1250
    bool sameCourses = false;              // CheckBox1 "tratě jsou stejné"
    bool scoreColumns = false;             // CheckBox2 "body, časovky, celk.čas, penalizace"
    bool details = false;                  // CheckBox3 "detail výsledků"
    bool splits = false;                   // CheckBox18 "mezičasy" (with details)
    bool qualificationLine = false;        // CheckBox10
    std::string qualificationAfter = "16"; // Edit7: places before the red line
    bool oris = false;                     // oris: also the ".csv" text file
    std::string refreshSeconds = "300";    // Edit2
    bool rolling = false;                  // CheckBox7: rolling display
    std::string rollPeriod = "30";         // Edit5: milliseconds per pixel
    bool holdLeaders = false;              // CheckBox8: fixed block of the best places
    std::string leaderPlaces = "6";        // Edit4
    std::string generated;                 // "time, date" of the Generated line; empty = now
};

} // namespace ravik
