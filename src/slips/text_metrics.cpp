#include "slips/text_metrics.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace ravik {
namespace {

// Advance widths in 1/1000 em of the code page 1250 characters 0x20 to 0xFF.
constexpr std::array<std::uint16_t, 224> kBook{
    318, 401, 460, 838, 637,  951,  780,  275,  391, 391,  500,  838, 318, 361,  318, 337, 637, 637, 637,
    637, 637, 637, 637, 637,  637,  637,  337,  337, 838,  838,  838, 531, 1000, 685, 687, 699, 771, 632,
    576, 775, 752, 295, 295,  656,  558,  863,  749, 788,  604,  788, 695, 635,  611, 732, 685, 989, 686,
    611, 686, 391, 337, 391,  838,  500,  500,  613, 635,  550,  635, 616, 353,  635, 634, 278, 278, 580,
    278, 975, 634, 612, 635,  635,  412,  521,  393, 634,  592,  818, 592, 592,  525, 637, 337, 637, 838,
    601, 637, 601, 318, 601,  519,  1000, 500,  500, 601,  1342, 635, 400, 635,  611, 686, 686, 601, 318,
    318, 519, 519, 590, 500,  1000, 601,  1000, 521, 400,  521,  393, 525, 525,  318, 500, 500, 562, 637,
    685, 337, 500, 500, 1000, 635,  612,  838,  0,   1000, 686,  500, 838, 500,  285, 500, 637, 637, 318,
    500, 613, 521, 612, 558,  500,  375,  525,  695, 685,  685,  685, 685, 558,  699, 699, 699, 632, 632,
    632, 632, 295, 295, 771,  775,  749,  749,  788, 788,  788,  788, 838, 695,  732, 732, 732, 732, 611,
    611, 630, 412, 613, 613,  613,  613,  278,  550, 550,  550,  616, 616, 616,  616, 278, 278, 635, 635,
    634, 634, 612, 612, 612,  612,  838,  412,  634, 634,  634,  634, 592, 393,  500,
};
constexpr std::array<std::uint16_t, 224> kBold{
    349, 457,  521, 838, 696,  1002, 873,  307,  458, 458,  523,  838, 380, 416,  380, 366, 696, 696,  696,
    696, 696,  696, 696, 696,  696,  696,  400,  400, 838,  838,  838, 581, 1000, 774, 763, 734, 831,  684,
    684, 821,  837, 373, 373,  775,  638,  996,  837, 851,  733,  851, 771, 721,  683, 812, 774, 1104, 771,
    725, 726,  458, 366, 458,  838,  500,  500,  675, 716,  593,  716, 679, 436,  716, 712, 343, 343,  666,
    343, 1042, 712, 687, 716,  716,  494,  596,  479, 712,  652,  924, 646, 652,  583, 712, 366, 712,  838,
    601, 696,  601, 380, 601,  658,  1000, 500,  500, 601,  1440, 721, 413, 721,  683, 726, 726, 601,  380,
    380, 658,  658, 640, 500,  1000, 601,  1000, 596, 413,  596,  479, 583, 583,  349, 500, 500, 643,  637,
    774, 366,  500, 500, 1000, 721,  646,  838,  0,   1000, 726,  500, 838, 500,  372, 500, 736, 637,  380,
    500, 675,  596, 646, 638,  500,  480,  583,  771, 774,  774,  774, 774, 638,  734, 734, 734, 684,  684,
    684, 684,  373, 373, 831,  838,  837,  837,  851, 851,  851,  851, 838, 771,  812, 812, 812, 812,  725,
    683, 720,  494, 675, 675,  675,  675,  343,  593, 593,  593,  679, 679, 679,  679, 343, 343, 716,  716,
    712, 712,  687, 687, 687,  687,  838,  494,  712, 712,  712,  712, 652, 479,  500,
};
// Control characters have no glyph; whatever stands in for them, an em covers it.
constexpr std::uint16_t kUnknown = 1000;
// Ascent and descent of the face.
constexpr double kLineEm = 1.164;

} // namespace

double textWidth(std::string_view text, double pointSize, bool bold) {
    const auto& widths = bold ? kBold : kBook;
    long thousandths = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        thousandths += byte < 0x20 ? kUnknown : widths[byte - 0x20];
    }
    return thousandths / 1000.0 * pointSize * kUnitsPerPoint;
}

double lineHeight(double pointSize) {
    return kLineEm * pointSize * kUnitsPerPoint;
}

Box textBox(const DrawnText& text) {
    return {static_cast<double>(text.x), static_cast<double>(text.y),
            text.x + textWidth(text.text, text.pointSize, text.bold), text.y + lineHeight(text.pointSize)};
}

Extent extentOf(const DrawingList& list) {
    Extent extent;
    for (const DrawnText& text : list.texts) {
        const Box box = textBox(text);
        extent.width = std::max(extent.width, box.right);
        extent.height = std::max(extent.height, box.bottom);
    }
    for (const DrawnRule& rule : list.rules) {
        extent.width = std::max<double>(extent.width, rule.x2);
        extent.height = std::max<double>(extent.height, rule.y + 1);
    }
    return extent;
}

bool anyOverlap(const DrawingList& list) {
    // A text standing right of another needs at least a blank between them to be read apart.
    std::vector<Box> boxes;
    for (const DrawnText& text : list.texts) {
        Box box = textBox(text);
        box.right += textWidth(" ", text.pointSize, text.bold);
        boxes.push_back(box);
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& a = boxes[i];
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            const Box& b = boxes[j];
            if (a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom) return true;
        }
        for (const DrawnRule& rule : list.rules)
            if (a.top < rule.y && rule.y < a.bottom && a.left < rule.x2 && rule.x1 < a.right) return true;
    }
    return false;
}

} // namespace ravik
