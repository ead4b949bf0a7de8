#include "cli/new_command.h"

#include "cli/arguments.h"
#include "core/file_io.h"
#include "core/race_context.h"
#include "core/race_file.h"
#include "setup/race_opening.h"

namespace ravik::cli {

int newCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, {.options = {"--stages"}, .positionalMin = 0});
    int stages = 1;
    if (parsed && parsed->has("--stages")) {
        const std::string value = parsed->value("--stages");
        stages = value.size() == 1 && value[0] >= '1' && value[0] <= '5' ? value[0] - '0' : 0;
        if (stages == 0) {
            err << "ravik-cli: --stages takes a number from 1 to " << kMaxStages << "\n";
            return 2;
        }
    }
    if (!parsed || parsed->positional().empty()) {
        err << "usage: ravik-cli new RACE [--stages N]\n";
        return 2;
    }
    RaceContext race;
    race.setRacePath(racePathFor(parsed->racePath(), RaceNaming::Open));
    if (fileExists(race.racePath())) {
        err << "ravik-cli: the race file " << race.racePath() << " exists already\n";
        return 1;
    }
    RaceRecord stage = newRaceFirstStage();
    std::string bytes;
    for (int n = 1; n <= stages; ++n) {
        stage.stage_number = n;
        bytes += encodeRaceRecord(stage);
    }
    if (!race.raceFolder().empty()) ensureFolder(race.raceFolder());
    writeFileAtomically(race.racePath(), bytes);
    for (int n = 1; n <= stages; ++n)
        ensureFolder(race.stageFolder(n));
    out << race.racePath() << "\n";
    return 0;
}

} // namespace ravik::cli
