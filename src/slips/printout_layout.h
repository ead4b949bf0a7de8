#pragma once
// The result printout a competitor gets at the read-out, as a drawing list: texts
// at positions with a size and weight, and horizontal rules. The preview window
// paints the window list; the printer gets the printer list. Texts are code page 1250.
#include "core/language.h"

#include <array>
#include <string>
#include <vector>

namespace ravik {

// What the printout shows of one competitor in one stage.
struct PrintoutData {
    std::string name, className, card, id;
    std::string start, finish;  // "HH:MM:SS" or empty
    int break1 = 0, break2 = 0; // seconds
    int raceTime = 0;           // seconds
    bool sprint = false;        // PreO Sprint class: the time line shows the ranking time
    int rankingTime = 0;        // seconds, course time x the class's factor
    int overtime = 0;           // penalty units
    int points = 0;
    std::array<std::string, 40> answer;
    std::array<bool, 40> wrong{};
    std::array<bool, 40> voided{}; // the correct answer is "X": shown as a grey "X"
    std::array<int, 40> split{};   // seconds
    int tcTotal = 0;
    std::array<std::array<std::string, 10>, 20> tcAnswer; // one character or empty
    std::array<int, 20> tcTime{};
    std::array<int, 20> tcPenalty{};
    std::array<int, 20> taskCount{};                 // answer slots defined at each station in the class
    std::array<std::array<bool, 10>, 20> tcVoided{}; // voided tasks: shown as "X"
    int place = 0;
    int placed = 0;     // competitors placed in the slip's ranking (not disqualified)
    std::string status; // "DNF" or "DNS" stands on the place line instead of the place; empty when placed
};

struct DrawnText {
    int x = 0, y = 0;
    std::string text;
    double pointSize = 10;
    bool bold = false;
    bool grey = false; // a voided control
    bool operator==(const DrawnText&) const = default;
};

struct DrawnRule {
    int y = 0, x1 = 0, x2 = 0;
    bool operator==(const DrawnRule&) const = default;
};

struct DrawingList {
    std::vector<DrawnText> texts; // in drawing order
    std::vector<DrawnRule> rules;
    int height = 0; // the preview window's height (window layout only)
    bool operator==(const DrawingList&) const = default;
};

struct PrintoutOptions {
    bool markWrongAnswers = false;       // CheckBox3 "Tisknout odpovědi"
    Language language = Language::Czech; // of the place line
};

// The layout for the preview window (297 × 1000 paint area), in the largest font
// (up to 14, 12 and 10 point) whose texts do not run into one another.
DrawingList windowPrintout(const PrintoutData& data, const PrintoutOptions& options);

// The zoom slider's scale of the printed slip: 0.7 at zoom 1 (the smallest font
// 7 point, the slip about half an A4 page long), 1 at zoom 10, growing evenly to 50.
double slipScale(int zoom);

// The layout for an A4 sheet at the zoom (1 to 50), before it is fitted to the
// page: x × 1.3 × scale and y × 2 × scale, truncated to whole printer units
// (1/96 inch), fonts 14, 12 and 10 point × scale.
DrawingList printerPrintout(const PrintoutData& data, const PrintoutOptions& options, int zoom);

// "Ravik - " + name, the print job's title (UTF-8).
std::string printJobTitle(const PrintoutData& data);
// "Mezičasy - " + name + " (ID:" + ID + ")", the preview window's caption (UTF-8).
std::string previewCaption(const PrintoutData& data);

// Minutes and two-digit seconds ("95:07"); minutes are not limited to 59.
std::string minutesSeconds(int seconds);

// Every font of the list × factor.
void scaleFonts(DrawingList& list, double factor);

} // namespace ravik
