#include "slips/slip_texts.h"

#include "core/cp1250.h"
#include "core/numbers.h"
#include "core/texts/printout_texts.h"
#include "scoring/text_format.h"

namespace ravik {
namespace {

// "MM:SS" of a split within the hour.
std::string splitText(int seconds) {
    return twoDigits((seconds % 3600) / 60) + ":" + twoDigits(seconds % 60);
}

std::string stationLabel(const PrintoutData& d, int s) {
    std::string label = "TC" + std::to_string(s) + ": ";
    for (int t = 1; t <= 10; ++t) {
        const std::string& answer = d.tcAnswer[s - 1][t - 1];
        if (d.tcVoided[s - 1][t - 1])
            label += "X ";
        else if (!answer.empty())
            label += answer + " ";
        else if (t <= d.taskCount[s - 1])
            label += "- ";
    }
    return label;
}

std::string stationTime(const PrintoutData& d, int s) {
    std::string time = std::to_string(d.tcTime[s - 1]);
    if (d.tcPenalty[s - 1] > 0) time += " +" + std::to_string(d.tcPenalty[s - 1]) + " pen";
    return time;
}

} // namespace

std::string placeLine(const PrintoutData& data, Language language) {
    if (!data.status.empty()) return data.status;
    return utf8ToCp1250(
        fillIn(tr(language, texts::kPlaceLine),
               {std::to_string(data.place), std::to_string(data.placed), cp1250ToUtf8(data.className)}));
}

SlipTexts slipTexts(const PrintoutData& d, const PrintoutOptions& options) {
    SlipTexts t;
    t.name = d.name;
    t.classLine = d.className + ", " + d.card + ", ID:" + d.id;
    t.start = "Start: " + d.start;
    t.finish = "Finish: " + d.finish;
    if (d.break1 > 0) t.break1 = "Brk1: " + minutesSeconds(d.break1);
    if (d.break2 > 0) t.break2 = "Brk2: " + minutesSeconds(d.break2);
    t.raceTime = d.sprint
                     ? utf8ToCp1250(tr(options.language, texts::kCourseTime)) + minutesSeconds(d.rankingTime)
                     : minutesSeconds(d.raceTime);
    if (d.overtime > 0) t.raceTime += " = Pen:" + std::to_string(d.overtime);
    t.score = "Score: " + std::to_string(d.points);

    int last = 0; // the last control with an answer
    for (int k = 1; k <= 40; ++k)
        if (!d.answer[k - 1].empty()) last = k;
    t.half = last / 2;
    for (int k = 1; k <= 40; ++k) {
        const std::string& answer = d.answer[k - 1];
        if (answer.empty()) continue;
        const bool voided = d.voided[k - 1];
        std::string label = std::to_string(k) + ": " + (voided ? std::string("X") : answer);
        if (options.markWrongAnswers && d.wrong[k - 1]) label += "*";
        const bool left = k <= t.half;
        t.controls.push_back({k, left, voided, left ? k : k - t.half, label, splitText(d.split[k - 1])});
    }

    t.timeControl = "Time Control: " + std::to_string(d.tcTotal) + " s";
    for (int s = 1; s <= 20; ++s)
        if (!d.tcAnswer[s - 1][0].empty()) t.stations.push_back({s, stationLabel(d, s), stationTime(d, s)});
    t.place = placeLine(d, options.language);
    t.preliminary = d.status.empty();
    return t;
}

} // namespace ravik
