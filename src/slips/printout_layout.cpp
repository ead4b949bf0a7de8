#include "slips/printout_layout.h"

#include "core/cp1250.h"
#include "core/numbers.h"
#include "slips/slip_texts.h"
#include "slips/text_metrics.h"

#include <algorithm>
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

constexpr double kNormal = 10, kLarge = 12, kTitle = 14;

class Builder {
public:
    explicit Builder(DrawingList& list) : list_(list) {}
    void text(int x, int y, std::string text, double size, bool bold) {
        list_.texts.push_back({x, y, std::move(text), size, bold});
    }
    void rule(int y) { list_.rules.push_back({y, 0, 300}); }

private:
    DrawingList& list_;
};

DrawingList layout(const SlipTexts& t, const Geometry& g) {
    DrawingList list;
    Builder out(list);
    out.text(0, 0, t.name, kTitle, true);
    out.text(0, 22, t.classLine, kNormal, false);
    if (g.printer) {
        out.text(0, 40, t.start, kNormal, false);
        out.text(0, 58, t.finish, kNormal, false);
    } else {
        out.text(0, 40, t.start + "   " + t.finish, kNormal, false);
    }
    if (!t.break1.empty()) out.text(g.breakX, 40, t.break1, kNormal, false);
    if (!t.break2.empty()) out.text(g.breakX, 58, t.break2, kNormal, false);
    out.text(0, g.raceTimeY, t.raceTime, kLarge, true);
    out.rule(g.firstRuleY);
    out.text(0, g.scoreY, t.score, kLarge, true);

    for (const SlipTexts::Control& c : t.controls) {
        const int y = c.row * 16 + g.controlBaseY;
        out.text(c.left ? g.leftLabelX : g.rightLabelX, y, c.label, kNormal, true);
        list.texts.back().grey = c.voided;
        out.text(c.left ? g.leftSplitX : g.rightSplitX, y, c.split, kNormal, false);
    }

    const int u = t.half * 16 + g.secondRuleOffset;
    out.rule(u);
    out.text(0, u + 5, t.timeControl, kLarge, true);
    int v = u + 30;
    for (const SlipTexts::Station& station : t.stations) {
        const int s = station.number;
        const int y = u + s * g.stationStep + 10;
        out.text(4, y, station.label, kNormal, true);
        if (g.printer)
            out.text(50, u + s * g.stationStep + 25, station.time, kNormal, false);
        else
            out.text(7 * static_cast<int>(station.label.size()) + 18, y, station.time, kNormal, false);
        v = u + s * g.stationStep + g.thirdRuleOffset;
    }
    out.rule(v);
    out.text(0, v + 10, g.printer || !t.preliminary ? t.place : "Preliminary: " + t.place, kNormal, false);
    list.height = v + 100;
    return list;
}

// The fonts at the largest of 100 %, 95 %, ... 50 % of their sizes whose texts
// stay clear of one another at their positions.
void shrinkFontsUntilClear(DrawingList& list) {
    const DrawingList given = list;
    for (int percent = 100; percent > 50; percent -= 5) {
        scaleFonts(list, percent / 100.0);
        if (!anyOverlap(list)) return;
        list = given;
    }
    scaleFonts(list, 0.5);
}

} // namespace

std::string minutesSeconds(int seconds) {
    return std::to_string(seconds / 60) + ":" + twoDigits(seconds % 60);
}

void scaleFonts(DrawingList& list, double factor) {
    for (DrawnText& text : list.texts)
        text.pointSize *= factor;
}

DrawingList windowPrintout(const PrintoutData& data, const PrintoutOptions& options) {
    DrawingList list = layout(slipTexts(data, options), kWindow);
    shrinkFontsUntilClear(list);
    return list;
}

double slipScale(int zoom) {
    return (std::clamp(zoom, 1, 50) + 20) / 30.0;
}

DrawingList printerPrintout(const PrintoutData& data, const PrintoutOptions& options, int zoom) {
    DrawingList list = layout(slipTexts(data, options), kPrinter);
    const double scale = slipScale(zoom);
    const double scaleY = 2 * scale;
    const double scaleX = 1.3 * scale;
    auto scaled = [](int value, double factor) { return static_cast<int>(std::trunc(value * factor)); };
    for (auto& text : list.texts) {
        text.x = scaled(text.x, scaleX);
        text.y = scaled(text.y, scaleY);
    }
    for (auto& rule : list.rules) {
        rule.y = scaled(rule.y, scaleY);
        rule.x2 = scaled(300, scaleX);
    }
    scaleFonts(list, scale);
    // Odd texts (a long run of answers) must not run into their neighbours either.
    shrinkFontsUntilClear(list);
    list.height = 0;
    return list;
}

std::string printJobTitle(const PrintoutData& data) {
    return "Ravik - " + cp1250ToUtf8(data.name);
}

std::string previewCaption(const PrintoutData& data) {
    return "Mezičasy - " + cp1250ToUtf8(data.name) + " (ID:" + cp1250ToUtf8(data.id) + ")";
}

} // namespace ravik
