#pragma once
// The sample race that `ravik-cli demo DIR` writes: two stages, four classes,
// about sixty competitors, a read-out log of the first stage and timed-control
// files, all written with the program's own writers.
#include <string>
#include <vector>

namespace ravik::cli {

struct DemoRace {
    std::string racePath;
    std::string readoutLogPath;
    int competitors = 0;
};

// The files of the sample race that are in the folder already.
std::vector<std::string> demoFilesPresent(const std::string& folder);

// Throws IoError, writing nothing, when any of its files is in the folder already:
// a race there is never overwritten.
DemoRace writeDemoRace(const std::string& folder);

} // namespace ravik::cli
