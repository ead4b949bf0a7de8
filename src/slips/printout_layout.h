#pragma once
// The result printout a competitor gets at the read-out, as a drawing list: texts
// at positions with a size and weight, and horizontal rules. The preview window
// paints the window list; the printer gets the printer list. Texts are code page 1250.
#include <array>
#include <string>
#include <vector>

namespace ravik {

// What the printout shows of one competitor in one stage.
struct PrintoutData {
    std::string name, className, card, id;
    std::string start, finish; // "HH:MM:SS" or empty
    int break1 = 0, break2 = 0; // seconds
    int raceTime = 0;           // seconds
    int overtime = 0;           // penalty units
    int points = 0;
    std::array<std::string, 40> answer;
    std::array<bool, 40> wrong{};
    std::array<int, 40> split{}; // seconds
    int tcTotal = 0;
    std::array<std::array<std::string, 10>, 20> tcAnswer; // one character or empty
    std::array<int, 20> tcTime{};
    std::array<int, 20> tcPenalty{};
    std::array<int, 20> taskCount{}; // answer slots defined at each station in the class
    int place = 0;
};

struct DrawnText {
    int x = 0, y = 0;
    std::string text;
    int pointSize = 10;
    bool bold = false;
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
};

struct PrintoutOptions {
    bool markWrongAnswers = false; // CheckBox3 "Tisknout odpovědi"
};

// The layout for the preview window (297 × 1000 paint area).
DrawingList windowPrintout(const PrintoutData& data, const PrintoutOptions& options);

// The layout for the printer, scaled by the zoom slider (1 to 50):
// y × zoom / 10 × 2 and x × zoom / 10 × 1.3, truncated to whole printer units.
DrawingList printerPrintout(const PrintoutData& data, const PrintoutOptions& options, int zoom);

// "Ravik - " + name, the print job's title (UTF-8).
std::string printJobTitle(const PrintoutData& data);
// "Mezičasy - " + name + " (ID:" + ID + ")", the preview window's caption (UTF-8).
std::string previewCaption(const PrintoutData& data);

// Minutes and two-digit seconds ("95:07"); minutes are not limited to 59.
std::string minutesSeconds(int seconds);

} // namespace ravik
