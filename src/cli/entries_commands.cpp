#include "cli/entries_commands.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/prompt.h"
#include "core/race_file.h"
#include "core/session.h"
#include "entries/start_draw.h"
#include "entries/start_list.h"
#include "entries/table_commands.h"
#include "entries/text_import.h"
#include "entries/xml_entry_import.h"

#include <functional>
#include <map>
#include <optional>
#include <set>

namespace ravik::cli {
namespace {

// Messages are printed; questions get no, input boxes their default answer.
class ConsolePrompt : public Prompt {
public:
    explicit ConsolePrompt(std::ostream& err) : err_(err) {}
    void information(const std::string& text) override {
        err_ << text << "\n";
        ++shown;
    }
    bool question(const std::string& text) override {
        err_ << text << "\n";
        return false;
    }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string& answer) override {
        return answer;
    }
    std::optional<std::string> openFileName(const std::string&) override { return std::nullopt; }
    std::optional<std::string> saveFileName(const std::string&) override { return std::nullopt; }
    int shown = 0;

private:
    std::ostream& err_;
};

// RACE.ravik, options with a value, flags and further positional arguments.
struct Arguments {
    std::string racePath;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
    std::vector<std::string> positional;
};

std::optional<Arguments> parse(const std::vector<std::string>& args,
                               const std::set<std::string>& valueOptions,
                               const std::set<std::string>& flagOptions) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (valueOptions.count(arg)) {
            if (i + 1 >= args.size()) return std::nullopt;
            parsed.values[arg] = args[++i];
        } else if (flagOptions.count(arg)) {
            parsed.flags.insert(arg);
        } else if (arg.rfind("--", 0) == 0) {
            return std::nullopt;
        } else if (parsed.racePath.empty()) {
            parsed.racePath = arg;
        } else {
            parsed.positional.push_back(arg);
        }
    }
    if (parsed.racePath.empty()) return std::nullopt;
    return parsed;
}

std::optional<int> stageOf(const Arguments& args) {
    const auto found = args.values.find("--stage");
    if (found == args.values.end()) return 1;
    const std::string& text = found->second;
    if (text.size() != 1 || text[0] < '1' || text[0] > '5') return std::nullopt;
    return text[0] - '0';
}

// Opens the race into a session (English messages) with its competitors loaded.
std::optional<Session> openRace(const std::string& racePath, std::ostream& err) {
    if (!fileExists(racePath)) {
        err << "ravik-cli: no race file " << racePath << "\n";
        return std::nullopt;
    }
    Session session;
    session.language = Language::English;
    session.race.setRacePath(racePath);
    session.race.setCurrentStageText("1");
    session.loadCompetitors();
    return session;
}

void printLog(const Session& session, std::size_t from, std::ostream& out) {
    for (std::size_t i = from; i < session.log.lines().size(); ++i)
        out << session.log.lines()[i] << "\n";
}

// Parses, opens the race, runs the command on the session and saves when asked.
int runOnRace(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
              const std::set<std::string>& flagOptions, std::size_t positionalCount, const char* usage,
              bool save, std::ostream& out, std::ostream& err,
              const std::function<int(Session&, const Arguments&, int stage, ConsolePrompt&)>& command) {
    const auto parsed = parse(args, valueOptions, flagOptions);
    const auto stage = parsed ? stageOf(*parsed) : std::nullopt;
    if (!parsed || !stage || parsed->positional.size() != positionalCount) {
        err << "usage: ravik-cli " << usage << "\n";
        return 2;
    }
    auto session = openRace(parsed->racePath, err);
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
                         const std::string text = readWholeFile(parsed.positional[0], 100'000'000);
                         const int before = session.table.competitorRows();
                         importFixedColumnText(session.table, text, stage, session.language, session.log);
                         out << "Lines imported: " << textBoxLines(text).size()
                             << ", rows added: " << session.table.competitorRows() - before << "\n";
                         return 0;
                     });
}

int importXmlCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runOnRace(args, {"--stage"}, {}, 1, "import-xml RACE.ravik --stage N FILE", true, out, err,
                     [&](Session& session, const Arguments& parsed, int stage, ConsolePrompt& prompt) {
                         const std::string& file = parsed.positional[0];
                         if (!fileExists(file)) {
                             err << "ravik-cli: no file " << file << "\n";
                             return 1;
                         }
                         const auto outcome = importEntryListFile(session.table, file, stage,
                                                                  session.language, prompt, session.log);
                         if (!outcome.read) return 1;
                         out << "Entries: " << outcome.entries << ", matched: " << outcome.matched
                             << ", added: " << outcome.added << "\n";
                         return 0;
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
            if (auto found = parsed.values.find("--class"); found != parsed.values.end())
                options.drawClass = utf8ToCp1250(found->second);
            if (auto found = parsed.values.find("--first"); found != parsed.values.end())
                options.firstStart = firstStartEditText(found->second);
            if (auto found = parsed.values.find("--interval"); found != parsed.values.end())
                options.interval = intervalEditText(found->second);
            options.random = parsed.flags.count("--in-order") == 0;
            options.byResults = parsed.flags.count("--by-results") != 0;
            options.bestFirst = parsed.flags.count("--best-first") != 0;
            SeededRandom random = SeededRandom::fromClock();
            drawStartTimes(session.table, options, session.language, prompt, session.log, random);
            return 0;
        });
}

int startListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = parse(args, {"--stage"}, {});
    if (!parsed || !parsed->positional.empty() || !parsed->values.count("--stage")) {
        err << "usage: ravik-cli startlist RACE.ravik --stage N\n";
        return 2;
    }
    auto session = openRace(parsed->racePath, err);
    if (!session) return 1;
    ConsolePrompt prompt(err);
    const std::string raceName =
        stageCount(session->race.racePath()) > 0 ? readStage(session->race.racePath(), 1).race_name : "";
    const auto path = writeStartListForAnswer(*session, raceName, parsed->values.at("--stage"), prompt);
    printLog(*session, 0, path ? out : err);
    if (!path) return 1;
    out << *path << "\n";
    return 0;
}

} // namespace ravik::cli
