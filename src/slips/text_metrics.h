#pragma once
// How much room a slip's text takes, without a font at hand: the advance widths of
// DejaVu Sans, one of the widest sans-serif faces, so a real face is rarely wider
// (and where it is, the painter narrows that text to this width). Lengths are in
// printer units, 1/96 inch: the preview's pixels and the printer's units alike.
#include "slips/printout_layout.h"

#include <string_view>

namespace ravik {

inline constexpr double kUnitsPerPoint = 96.0 / 72.0;
inline constexpr double kUnitsPerMm = 96.0 / 25.4;

// Width of a code page 1250 text in the size and weight.
double textWidth(std::string_view text, double pointSize, bool bold);
// Height of one line of text (ascent and descent) in the size.
double lineHeight(double pointSize);

struct Box {
    double left = 0, top = 0, right = 0, bottom = 0;
};
// The room a drawn text covers, from its top-left corner.
Box textBox(const DrawnText& text);

// The right and lower edges of everything drawn.
struct Extent {
    double width = 0, height = 0;
};
Extent extentOf(const DrawingList& list);

// True when two texts cover common room (a text followed by a blank) or a rule
// runs through a text.
bool anyOverlap(const DrawingList& list);

} // namespace ravik
