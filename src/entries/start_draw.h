#pragma once
// The start-time draw: numbers the taking-part competitors of the whole table or
// of one class and turns the numbers into start offsets, or orders them by the
// previous stage's results; and the switch of two start times. The caller saves
// the table after a draw.
#include "core/competitor_table.h"
#include "core/language.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace ravik {

class Log;
class Prompt;

// A uniform whole number from 0 to n - 1 (n >= 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int below(int n) = 0;
};

// A Mersenne twister; seeded from the clock for each draw, from a fixed seed in tests.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    static SeededRandom fromClock();
    int below(int n) override { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }

private:
    std::mt19937 engine_;
};

struct DrawOptions {
    std::string drawClass = "all"; // los_kat (code page 1250): "vše"/"all" or a class name
    int stage = 1;                 // los_e
    std::string interval = "2";    // minutes between starts
    std::string firstStart = "0";  // pstart: offset of the first start, whole minutes
    bool random = true;            // nahoda: random order in the whole-table draw
    bool byResults = false;        // CheckBox1: order by the previous stage's results
    bool bestFirst = false;        // CheckBox2 "1.->X."
    // Results mode: the rows of the previous stage's results in the order of its
    // ranking, best first (scoring/stage_standings.h gives them).
    std::vector<int> previousRanking;
};

// "vše" or "all" (in code page 1250): the whole table.
bool isAllClasses(const std::string& drawClass);

// What the edits keep of typed text: every comma of the interval becomes a point;
// the first start keeps only its digits.
std::string intervalEditText(const std::string& typed);
std::string firstStartEditText(const std::string& typed);

// Fills the start column of options.stage (draw mode or results mode). Messages go
// to the prompt, report lines to the log. In results mode every class drawn (the
// chosen one, or each class with "vše"/"all") gets its own sequence from first
// start + interval, its competitors in the order of the previous ranking (best
// last, or best first with bestFirst); a row without previous results keeps its cell.
void drawStartTimes(CompetitorTable& table, const DrawOptions& options, Language language, Prompt& prompt,
                    Log& log, RandomSource& random);

// Exchanges the start cells of stage `stage` of the last row holding exactly `first`
// and the last row holding exactly `second`; a log line when either is missing.
void switchStartTimes(CompetitorTable& table, int stage, const std::string& first, const std::string& second,
                      Language language, Log& log);

} // namespace ravik
