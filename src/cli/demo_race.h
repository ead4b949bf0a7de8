#pragma once
// The sample race that `ravik-cli demo DIR` writes: two stages, four classes,
// about sixty competitors, a read-out log of the first stage and timed-control
// files, all written with the program's own writers.
#include <string>

namespace ravik::cli {

struct DemoRace {
    std::string racePath;
    std::string readoutLogPath;
    int competitors = 0;
};

DemoRace writeDemoRace(const std::string& folder);

} // namespace ravik::cli
