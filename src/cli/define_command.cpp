#include "cli/define_command.h"

#include "core/file_io.h"
#include "core/race_context.h"
#include "setup/race_definition.h"

namespace ravik::cli {
namespace {
// A description of five stages of nine classes is a few hundred kilobytes at most.
constexpr std::int64_t kMaxDescriptionBytes = 16LL * 1024 * 1024;
} // namespace

int defineCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: ravik-cli define RACE.ravik FILE.json\n";
        return 2;
    }
    const std::string& racePath = args[0];
    if (!fileExists(racePath)) {
        err << "ravik-cli: no race file " << racePath << "\n";
        return 1;
    }
    try {
        const int stages = defineRace(racePath, readWholeFile(args[1], kMaxDescriptionBytes));
        RaceContext race;
        race.setRacePath(racePath);
        for (int stage = 1; stage <= stages; ++stage)
            ensureFolder(race.stageFolder(stage));
        out << racePath << "\n";
        return 0;
    } catch (const DefinitionError& error) {
        err << "ravik-cli: " << args[1] << ": " << error.what() << "\n";
        return 1;
    }
}

} // namespace ravik::cli
