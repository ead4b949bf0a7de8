#pragma once
// The texts of one competitor's slip, made once and placed by every layout (the
// preview window, the A4 sheet and the receipt rolls), so that they all say the
// same in the same order. Texts are code page 1250.
#include "core/language.h"
#include "slips/printout_layout.h"

#include <string>
#include <vector>

namespace ravik {

struct SlipTexts {
    struct Control {
        int number = 0;      // 1 to 40
        bool left = false;   // in the left column of the two-column layouts
        bool voided = false; // drawn in grey
        int row = 0;         // row of its column, from 1
        std::string label, split;
    };
    struct Station {
        int number = 0; // 1 to 20
        std::string label, time;
    };

    std::string name, classLine, start, finish; // "Start: 10:02:00", "Finish: 11:37:07"
    std::string break1, break2;                 // "Brk1: 2:05"; empty when there was no break
    std::string raceTime, score;
    std::vector<Control> controls; // answered controls, in number order
    int half = 0;                  // H: the left column holds controls 1 to H
    std::string timeControl;
    std::vector<Station> stations; // stations whose task 1 has an answer, in number order
    std::string place;             // "3 place of 17 in H21", or "DNF" / "DNS"
    bool preliminary = true;       // a place the window calls preliminary; a status is final
};

SlipTexts slipTexts(const PrintoutData& data, const PrintoutOptions& options);

// The place line of every slip, in the slip's language: "3 place of 17 in Open" /
// "3. místo z 17 v Open" (code page 1250).
std::string placeLine(const PrintoutData& data, Language language);

} // namespace ravik
