#include "cli/entries_commands.h"

#include "cli/arguments.h"
#include "cli/cli_drawing.h"
#include "cli/console_prompt.h"
#include "cli/open_race.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "entries/import_report.h"
#include "entries/start_draw.h"
#include "entries/start_list.h"
#include "entries/table_commands.h"
#include "entries/text_import.h"
#include "entries/xml_entry_import.h"
#include "scoring/stage_standings.h"

#include <functional>
#include <optional>
#include <set>

namespace ravik::cli {
namespace {

std::optional<int> stageOf(const Arguments& args) {
    if (!args.has("--stage")) return 1;
    const std::string text = args.value("--stage");
    if (text.size() != 1 || text[0] < '1' || text[0] > '5') return std::nullopt;
    return text[0] - '0';
}

// The race's session (English messages) at stage 1, whatever stage the command works on.
std::optional<Session> openTable(const std::string& racePath, std::ostream& err) {
    auto session = openRace({.racePath = racePath, .language = Language::English, .changesFiles = true}, err);
    if (session) session->race.setCurrentStageText("1");
    return session;
}

void printLog(const Session& session, std::size_t from, std::ostream& out) {
    for (std::size_t i = from; i < session.log.lines().size(); ++i)
        out << session.log.lines()[i] << "\n";
}

// Parses, opens the race, runs the command on the session and saves when asked.
int runOnRace(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
              const std::set<std::string>& flagOptions, std::size_t fileCount, const char* usage, bool save,
              std::ostream& out, std::ostream& err,
              const std::function<int(Session&, const Arguments&, int stage, ConsolePrompt&)>& command) {
    const auto parsed = Arguments::parse(args, {.options = valueOptions,
                                                .flags = flagOptions,
                                                .positionalMin = 1 + fileCount,
                                                .positionalMax = 1 + fileCount});
    const auto stage = parsed ? stageOf(*parsed) : std::nullopt;
    if (!parsed || !stage) {
        err << "usage: ravik-cli " << usage << "\n";
        return 2;
    }
    auto session = openTable(parsed->racePath(), err);
    if (!session) return 1;
    ConsolePrompt prompt(err);
    const int status = command(*session, *parsed, *stage, prompt);
    if (status == 0 && save) session->saveCompetitors();
    printLog(*session, 0, out);
    return status;
}

} // namespace

int importTextCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runOnRace(args, {"--stage"}, {}, 1, "import-text RACE.ravik --stage N FILE", true, out, err,
                     [&](Session& session, const Arguments& parsed, int stage, ConsolePrompt&) {
                         const std::string text =
                             fixedColumnFileText(readWholeFile(parsed.positional()[1], 100'000'000));
                         const auto added =
                             importFixedColumnText(session.table, text, stage, session.language, session.log);
                         logImportedClasses(added, session.race, stage, session.language, session.log);
                         out << "Lines imported: " << textBoxLines(text).size()
                             << ", rows added: " << added.size() << "\n";
                         return 0;
                     });
}

int importXmlCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runOnRace(
        args, {"--stage"}, {}, 1, "import-xml RACE.ravik --stage N FILE", true, out, err,
        [&](Session& session, const Arguments& parsed, int stage, ConsolePrompt& prompt) {
            const std::string& file = parsed.positional()[1];
            if (!fileExists(file)) {
                err << "ravik-cli: no file " << file << "\n";
                return 1;
            }
            const auto outcome =
                importEntryListFile(session.table, file, stage, session.language, prompt, session.log);
            if (!outcome.read) return 1;
            logImportedClasses(outcome.addedClasses, session.race, stage, session.language, session.log);
            out << "Entries: " << outcome.entries << ", matched: " << outcome.matched
                << ", added: " << outcome.added << "\n";
            if (outcome.notAdded == 0) return 0;
            // The table is full: what fitted is kept, the log line names how many did not.
            session.saveCompetitors();
            return 1;
        });
}

int idsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runOnRace(args, {}, {}, 0, "ids RACE.ravik", true, out, err,
                     [](Session& session, const Arguments&, int, ConsolePrompt&) {
                         fillMissingIds(session.table);
                         return 0;
                     });
}

int drawCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runOnRace(
        args, {"--stage", "--class", "--first", "--interval"}, {"--in-order", "--by-results", "--best-first"},
        0,
        "draw RACE.ravik --stage N [--class NAME] [--in-order] [--first M] [--interval I] [--by-results "
        "[--best-first]]",
        true, out, err, [](Session& session, const Arguments& parsed, int stage, ConsolePrompt& prompt) {
            DrawOptions options;
            options.stage = stage;
            if (parsed.has("--class")) options.drawClass = utf8ToCp1250(parsed.value("--class"));
            if (parsed.has("--first")) options.firstStart = firstStartEditText(parsed.value("--first"));
            if (parsed.has("--interval")) options.interval = intervalEditText(parsed.value("--interval"));
            options.random = !parsed.has("--in-order");
            options.byResults = parsed.has("--by-results");
            options.bestFirst = parsed.has("--best-first");
            if (options.byResults && stage >= 2)
                options.previousRanking = stageRankingRows(session, stage - 1);
            SeededRandom random = SeededRandom::fromClock();
            drawStartTimes(session.table, options, session.language, prompt, session.log, random);
            return 0;
        });
}

int startListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, {.options = {"--stage", "--pdf"}, .required = {"--stage"}});
    if (!parsed) {
        err << "usage: ravik-cli startlist RACE.ravik --stage N [--pdf FILE]\n";
        return 2;
    }
    if (parsed->has("--pdf") && !drawingInBuild()) return drawingNotInBuild(err, Language::English);
    auto session = openTable(parsed->racePath(), err);
    if (!session) return 1;
    ConsolePrompt prompt(err);
    const std::string raceName =
        stageCount(session->race.racePath()) > 0 ? readStage(session->race.racePath(), 1).race_name : "";
    const auto path = writeStartListForAnswer(*session, raceName, parsed->value("--stage"), prompt);
    printLog(*session, 0, path ? out : err);
    if (!path) return 1;
    out << *path << "\n";
    return parsed->has("--pdf")
               ? writeRequestedPdf(*path, parsed->value("--pdf"), Language::English, out, err)
               : 0;
}

} // namespace ravik::cli
