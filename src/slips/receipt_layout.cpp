#include "slips/receipt_layout.h"

#include "slips/slip_texts.h"
#include "slips/text_metrics.h"

#include <algorithm>
#include <cmath>

namespace ravik {
namespace {

// The longest start of `text` (at least one character) that fits `width`, ended
// after a blank or a hyphen where there is one.
std::size_t fittingLength(const std::string& text, double width, double size, bool bold) {
    std::size_t fits = 1;
    while (fits < text.size() && textWidth(text.substr(0, fits + 1), size, bold) <= width)
        ++fits;
    if (fits == text.size()) return fits;
    const std::size_t blank = text.find_last_of(" -", fits - 1);
    return blank != std::string::npos && blank > 0 ? blank + 1 : fits;
}

class Column {
public:
    Column(DrawingList& list, double width) : list_(list), width_(width) {}

    // The text at x on the next line, or on as many lines as it needs.
    void line(const std::string& text, double size, bool bold, int x = 0) {
        std::string rest = text;
        do {
            std::size_t length = rest.size();
            if (textWidth(rest, size, bold) > width_ - x)
                length = fittingLength(rest, width_ - x, size, bold);
            std::string piece = rest.substr(0, length);
            rest.erase(0, length);
            if (!rest.empty()) piece.erase(piece.find_last_not_of(' ') + 1);
            place(x, piece, size, bold);
            advance(size);
        } while (!rest.empty());
    }
    // Two texts on one line: the second at x2, or just after the first when that is wider.
    void pair(const std::string& first, const std::string& second, double size, bool firstBold, int x1,
              int x2) {
        place(x1, first, size, firstBold);
        const int after = x1 + static_cast<int>(std::ceil(textWidth(first, size, firstBold) + size));
        place(std::max(x2, after), second, size, false);
        advance(size);
    }
    void rule(double size) {
        y_ += lineHeight(size) * 0.3;
        list_.rules.push_back({static_cast<int>(y_), 0, static_cast<int>(width_)});
        y_ += lineHeight(size) * 0.5;
    }

private:
    void place(int x, const std::string& text, double size, bool bold) {
        list_.texts.push_back({x, static_cast<int>(std::ceil(y_)), text, size, bold});
    }
    void advance(double size) { y_ = std::ceil(y_) + lineHeight(size) * 1.2; }

    DrawingList& list_;
    double width_;
    double y_ = 0;
};

} // namespace

DrawingList receiptPrintout(const PrintoutData& data, const PrintoutOptions& options, const Roll& roll) {
    const SlipTexts t = slipTexts(data, options);
    const double width = roll.columnMm * kUnitsPerMm;
    const int indent = static_cast<int>(roll.normal * kUnitsPerPoint);
    const int splitX = static_cast<int>(width * 0.45);
    DrawingList list;
    Column out(list, width);
    out.line(t.name, roll.title, true);
    out.line(t.classLine, roll.normal, false);
    out.line(t.start, roll.normal, false);
    out.line(t.finish, roll.normal, false);
    if (!t.break1.empty()) out.line(t.break1, roll.normal, false);
    if (!t.break2.empty()) out.line(t.break2, roll.normal, false);
    out.line(t.raceTime, roll.large, true);
    out.rule(roll.normal);
    out.line(t.score, roll.large, true);
    for (const SlipTexts::Control& control : t.controls) {
        const std::size_t label = list.texts.size();
        out.pair(control.label, control.split, roll.normal, true, indent, splitX);
        if (label < list.texts.size()) list.texts[label].grey = control.voided;
    }
    out.rule(roll.normal);
    out.line(t.timeControl, roll.large, true);
    for (const SlipTexts::Station& station : t.stations) {
        out.line(station.label, roll.normal, true, indent / 3);
        out.line(station.time, roll.normal, false, 3 * indent);
    }
    out.rule(roll.normal);
    out.line(t.place, roll.normal, false);
    return list;
}

} // namespace ravik
