#include "slips/printout_layout.h"

#include "core/cp1250.h"
#include "core/numbers.h"

#include <cmath>

namespace ravik {
namespace {

// Where each item goes; the two layouts differ only in these numbers.
struct Geometry {
    bool printer;
    int breakX, raceTimeY, firstRuleY, scoreY;
    int controlBaseY, leftLabelX, leftSplitX, rightLabelX, rightSplitX;
    int secondRuleOffset; // U = H·16 + this
    int stationStep;      // station s at U + s·step + 10
    int thirdRuleOffset;  // V = U + s·step + this
};

constexpr Geometry kWindow{false, 200, 55, 78, 83, 88, 10, 60, 140, 190, 120, 16, 40};
constexpr Geometry kPrinter{true, 170, 75, 98, 103, 108, 10, 80, 150, 220, 140, 32, 50};

constexpr int kNormal = 10, kLarge = 12, kTitle = 14;

// "MM:SS" of a split within the hour.
std::string splitText(int seconds) {
    return twoDigits((seconds % 3600) / 60) + ":" + twoDigits(seconds % 60);
}

class Builder {
public:
    explicit Builder(DrawingList& list) : list_(list) {}
    void text(int x, int y, std::string text, int size, bool bold) {
        list_.texts.push_back({x, y, std::move(text), size, bold});
    }
    void rule(int y) { list_.rules.push_back({y, 0, 300}); }

private:
    DrawingList& list_;
};

DrawingList layout(const PrintoutData& d, const PrintoutOptions& options, const Geometry& g) {
    DrawingList list;
    Builder out(list);
    out.text(0, 0, d.name, kTitle, true);
    out.text(0, 22, d.className + ", " + d.card + ", ID:" + d.id, kNormal, false);
    if (g.printer) {
        out.text(0, 40, "Start: " + d.start, kNormal, false);
        out.text(0, 58, "Finish: " + d.finish, kNormal, false);
    } else {
        out.text(0, 40, "Start: " + d.start + "   Finish: " + d.finish, kNormal, false);
    }
    if (d.break1 > 0) out.text(g.breakX, 40, "Brk1: " + minutesSeconds(d.break1), kNormal, false);
    if (d.break2 > 0) out.text(g.breakX, 58, "Brk2: " + minutesSeconds(d.break2), kNormal, false);
    std::string raceTime = minutesSeconds(d.raceTime);
    if (d.overtime > 0) raceTime += " = Pen:" + std::to_string(d.overtime);
    out.text(0, g.raceTimeY, raceTime, kLarge, true);
    out.rule(g.firstRuleY);
    out.text(0, g.scoreY, "Score: " + std::to_string(d.points), kLarge, true);

    int last = 0; // the last control with an answer
    for (int k = 1; k <= 40; ++k)
        if (!d.answer[k - 1].empty()) last = k;
    const int half = last / 2;
    for (int k = 1; k <= 40; ++k) {
        const std::string& answer = d.answer[k - 1];
        if (answer.empty()) continue;
        const bool left = k <= half;
        const int y = (left ? k : k - half) * 16 + g.controlBaseY;
        std::string label = std::to_string(k) + ": " + answer;
        if (options.markWrongAnswers && d.wrong[k - 1]) label += "*";
        out.text(left ? g.leftLabelX : g.rightLabelX, y, label, kNormal, true);
        out.text(left ? g.leftSplitX : g.rightSplitX, y, splitText(d.split[k - 1]), kNormal, false);
    }

    const int u = half * 16 + g.secondRuleOffset;
    out.rule(u);
    out.text(0, u + 5, "Time Control: " + std::to_string(d.tcTotal) + " s", kLarge, true);
    int v = u + 30;
    for (int s = 1; s <= 20; ++s) {
        if (d.tcAnswer[s - 1][0].empty()) continue;
        std::string label = "TC" + std::to_string(s) + ": ";
        for (int t = 1; t <= 10; ++t) {
            const std::string& answer = d.tcAnswer[s - 1][t - 1];
            if (!answer.empty())
                label += answer + " ";
            else if (t <= d.taskCount[s - 1])
                label += "- ";
        }
        std::string time = std::to_string(d.tcTime[s - 1]);
        if (d.tcPenalty[s - 1] > 0) time += " +" + std::to_string(d.tcPenalty[s - 1]) + " pen";
        const int y = u + s * g.stationStep + 10;
        out.text(4, y, label, kNormal, true);
        if (g.printer)
            out.text(50, u + s * g.stationStep + 25, time, kNormal, false);
        else
            out.text(7 * static_cast<int>(label.size()) + 18, y, time, kNormal, false);
        v = u + s * g.stationStep + g.thirdRuleOffset;
    }
    out.rule(v);
    const std::string place = std::to_string(d.place) + " place in " + d.className;
    out.text(0, v + 10, g.printer ? place : "Preliminary: " + place, kNormal, false);
    list.height = v + 100;
    return list;
}

} // namespace

std::string minutesSeconds(int seconds) {
    return std::to_string(seconds / 60) + ":" + twoDigits(seconds % 60);
}

DrawingList windowPrintout(const PrintoutData& data, const PrintoutOptions& options) {
    return layout(data, options, kWindow);
}

DrawingList printerPrintout(const PrintoutData& data, const PrintoutOptions& options, int zoom) {
    DrawingList list = layout(data, options, kPrinter);
    const double scaleY = zoom / 10.0 * 2;
    const double scaleX = zoom / 10.0 * 1.3;
    auto scale = [](int value, double factor) { return static_cast<int>(std::trunc(value * factor)); };
    for (auto& text : list.texts) {
        text.x = scale(text.x, scaleX);
        text.y = scale(text.y, scaleY);
    }
    for (auto& rule : list.rules) {
        rule.y = scale(rule.y, scaleY);
        rule.x2 = scale(300, scaleX);
    }
    list.height = 0;
    return list;
}

std::string printJobTitle(const PrintoutData& data) { return "Ravik - " + cp1250ToUtf8(data.name); }

std::string previewCaption(const PrintoutData& data) {
    return "Mezičasy - " + cp1250ToUtf8(data.name) + " (ID:" + cp1250ToUtf8(data.id) + ")";
}

} // namespace ravik
