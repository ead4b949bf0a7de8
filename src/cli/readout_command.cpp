#include "cli/readout_command.h"

#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "readout/readout_pass.h"

namespace ravik::cli {

namespace {

constexpr const char* kUsage = "usage: ravik-cli readout RACE.ravik --stage N --log FILE [--date YYYY-MM-DD] "
                               "[--lang CZE|GBR]\n";

struct ReadoutArguments {
    std::string racePath, stage, logPath, date, language = "CZE";
};

bool parseArguments(const std::vector<std::string>& args, ReadoutArguments& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--stage" && hasValue)
            parsed.stage = args[++i];
        else if (arg == "--log" && hasValue)
            parsed.logPath = args[++i];
        else if (arg == "--date" && hasValue)
            parsed.date = args[++i];
        else if (arg == "--lang" && hasValue)
            parsed.language = args[++i];
        else if (parsed.racePath.empty() && !arg.starts_with("--"))
            parsed.racePath = arg;
        else
            return false;
    }
    return !parsed.racePath.empty() && !parsed.logPath.empty() && !parsed.stage.empty();
}

} // namespace

int readoutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ReadoutArguments parsed;
    if (!parseArguments(args, parsed)) {
        err << kUsage;
        return 2;
    }
    if (parsed.language != "CZE" && parsed.language != "GBR") {
        err << "ravik-cli: --lang takes CZE or GBR\n";
        return 2;
    }
    Session session;
    session.language = languageFromCode(parsed.language);
    session.race.setRacePath(parsed.racePath);
    session.race.setCurrentStageText(parsed.stage);
    if (!fileExists(parsed.racePath)) {
        err << "ravik-cli: no race file " << parsed.racePath << "\n";
        return 1;
    }
    const int stage = session.race.currentStage();
    if (stage < 1 || stage > stageCount(parsed.racePath) || parsed.stage != std::to_string(stage)) {
        err << "ravik-cli: the race has no stage " << parsed.stage << "\n";
        return 1;
    }
    session.loadCompetitors();
    ReadoutOptions options;
    options.logPath = parsed.logPath;
    options.rewriteDate = !parsed.date.empty();
    options.raceDate = parsed.date;
    options.stageFolder = session.race.currentStageFolder();
    for (const auto& line : session.log.lines())
        out << line << "\n"; // from loading the competitors
    session.log.setListener([&](const std::string& line) { out << line << "\n"; });
    runReadoutPass(options, session);
    return 0;
}

} // namespace ravik::cli
