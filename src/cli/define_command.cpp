#include "cli/define_command.h"

#include "cli/arguments.h"
#include "cli/open_race.h"
#include "core/file_io.h"
#include "core/race_context.h"
#include "core/race_file.h"
#include "core/race_lock.h"
#include "setup/definition_checks.h"
#include "setup/race_definition.h"

namespace ravik::cli {
namespace {
// A description of five stages of nine classes is a few hundred kilobytes at most.
constexpr std::int64_t kMaxDescriptionBytes = 16LL * 1024 * 1024;
} // namespace

int defineCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, {.positionalMin = 2, .positionalMax = 2});
    if (!parsed) {
        err << "usage: ravik-cli define RACE.ravik FILE.json\n";
        return 2;
    }
    const std::string racePath = parsed->racePath(), descriptionPath = parsed->positional()[1];
    if (!raceFileFound(racePath, err)) return 1;
    try {
        const RaceLock lock = lockRace(racePath, Language::English);
        const int stagesBefore = stageCount(racePath);
        RaceContext race;
        race.setRacePath(racePath);
        cleanStaleTemporaryFiles(race, Language::English, err);
        const int stages = defineRace(racePath, readWholeFile(descriptionPath, kMaxDescriptionBytes));
        for (int stage = 1; stage <= stages; ++stage) {
            // A stage it adds gets its folder; an existing stage's missing folder (an
            // unmounted share) is not made anew empty.
            if (stage > stagesBefore) ensureFolder(race.stageFolder(stage));
            // Written as asked; the organiser is only told what looks wrong.
            for (const std::string& warning :
                 stageDefinitionWarnings(readStage(racePath, stage), Language::English))
                err << "ravik-cli: stage " << stage << ": " << warning << "\n";
        }
        out << racePath << "\n";
        return 0;
    } catch (const DefinitionError& error) {
        err << "ravik-cli: " << descriptionPath << ": " << error.what() << "\n";
        return 1;
    } catch (const RaceLockedError& error) {
        err << "ravik-cli: " << error.what() << "\n";
        return 1;
    }
}

} // namespace ravik::cli
