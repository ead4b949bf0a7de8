#include "cli/readout_command.h"

#include "cli/arguments.h"
#include "cli/open_race.h"
#include "core/session.h"
#include "readout/readout_pass.h"
#include "readout/readout_replay.h"

namespace ravik::cli {

namespace {

constexpr const char* kUsage = "usage: ravik-cli readout RACE.ravik --stage N --log FILE [--date YYYY-MM-DD] "
                               "[--lang CZE|GBR]\n";

} // namespace

std::optional<Session> openRaceOfPass(const Arguments& parsed, const std::string& languageCode,
                                      std::ostream& err) {
    return openRace({.racePath = parsed.racePath(),
                     .stage = parsed.value("--stage"),
                     .language = languageFromCode(languageCode),
                     .changesFiles = true},
                    err);
}

ReadoutOptions readoutOptionsOf(const Arguments& parsed, const Session& session) {
    ReadoutOptions options;
    options.logPath = parsed.value("--log");
    options.raceDate = parsed.value("--date");
    options.rewriteDate = !options.raceDate.empty();
    options.stageFolder = session.race.currentStageFolder();
    return options;
}

int readoutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, {.options = {"--stage", "--log", "--date", "--lang"}});
    if (!parsed || parsed->value("--stage").empty() || parsed->value("--log").empty()) {
        err << kUsage;
        return 2;
    }
    const std::string language = parsed->value("--lang", "CZE");
    if (language != "CZE" && language != "GBR") {
        err << "ravik-cli: --lang takes CZE or GBR\n";
        return 2;
    }
    auto session = openRaceOfPass(*parsed, language, err);
    if (!session) return 1;
    const ReadoutOptions options = readoutOptionsOf(*parsed, *session);
    echoLog(*session, out); // from loading the competitors, then the pass's own
    // Nothing changed since a run that wrote nothing: its lines again, without reading the log.
    const std::string replayPath = readoutReplayPath(session->race.racePath());
    const auto inputs =
        session->readOnly() ? std::nullopt : readoutInputs(options, session->table, session->language);
    if (inputs)
        if (const auto lines = keptReadout(replayPath, *inputs)) {
            for (const std::string& line : *lines)
                session->log.append(line);
            return 0;
        }
    const std::size_t linesBefore = session->log.lines().size();
    const ReadoutPassResult result = runReadoutPass(options, *session);
    if (inputs && result.newPunchFiles.empty() && !result.cardsBeingRead && !result.writeFailed &&
        !result.refused && readoutInputs(options, session->table, session->language) == inputs)
        keepReadout(
            replayPath, *inputs,
            std::vector<std::string>(session->log.lines().begin() + static_cast<std::ptrdiff_t>(linesBefore),
                                     session->log.lines().end()));
    // A punch file that could not be written has been named in the log with the reason.
    return result.writeFailed ? 1 : 0;
}

} // namespace ravik::cli
