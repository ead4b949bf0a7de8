#pragma once
// Printout values of made-up competitors for the layout tests.
#include "slips/printout_layout.h"

#include <algorithm>
#include <string>

namespace ravik::test {

// Answers "A" at controls 1 to `controls`, splits of a minute and a bit.
inline PrintoutData competitorWithAnswers(int controls) {
    PrintoutData d;
    d.name = "Nov\xE1k Jan";
    d.className = "H21";
    d.card = "2045117";
    d.id = "12";
    d.start = "10:02:00";
    d.finish = "11:37:07";
    d.raceTime = 5707;
    d.points = 9;
    d.place = 3;
    d.placed = 17;
    for (int k = 1; k <= controls; ++k) {
        d.answer[k - 1] = "A";
        d.split[k - 1] = 60 + k;
    }
    return d;
}

// The widest a slip's lines get: both breaks, an over-time penalty, wrong and
// repunched answers, and stations with every task answered and penalties.
inline PrintoutData busyCompetitor(int controls, int stations) {
    PrintoutData d = competitorWithAnswers(controls);
    d.name = "Sklen\xE1\xF8ov\xE1 Mark\xE9ta";
    d.className = "Open Elite";
    d.break1 = 59 * 60 + 59;
    d.break2 = 125;
    d.overtime = 120;
    d.raceTime = 1439 * 60 + 59;
    for (int k = 1; k <= controls; k += 3) {
        d.answer[k - 1] = "DBZ";
        d.wrong[k - 1] = true;
    }
    d.tcTotal = 1234;
    for (int s = 0; s < stations; ++s) {
        d.tcAnswer[s] = {"D", "B", "C", "", "F", "A", "B", "Z", "D"};
        d.taskCount[s] = 9;
        d.tcTime[s] = 1250;
        d.tcPenalty[s] = 600;
    }
    return d;
}

inline double smallestFont(const DrawingList& list) {
    double smallest = 1000;
    for (const DrawnText& text : list.texts)
        smallest = std::min(smallest, text.pointSize);
    return smallest;
}

} // namespace ravik::test
