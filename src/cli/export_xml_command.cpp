#include "cli/export_xml_command.h"

#include "cli/arguments.h"
#include "cli/console_prompt.h"
#include "cli/open_race.h"
#include "cli/results_command.h"
#include "core/cp1250.h"
#include "core/race_file.h"
#include "exports/result_list_export.h"
#include "exports/xml_lists_export.h"

#include <map>
#include <set>
#include <sstream>

namespace ravik::cli {
namespace {

constexpr const char* kUsage =
    "usage: ravik-cli export-xml RACE.ravik --kind preo|tempo --stage N [--lang CZE|GBR]\n"
    "       ravik-cli export-xml RACE.ravik --kind startlist --stage N [--lang CZE|GBR]\n"
    "       ravik-cli export-xml RACE.ravik --kind overall --stages 1,2 --classes A,B [--complete] "
    "[SCORING] [--lang CZE|GBR]\n"
    "       ravik-cli export-xml RACE.ravik --kind relay --stage N --classes A,B --relay farsta|motala|teams "
    "[--leg-controls N] [SCORING] [--lang CZE|GBR]\n"
    "SCORING: [--keep-order] [--tempo-style] [--penalty S] [--iof], as for results and overall\n";

const std::set<std::string> kScoring = {"--keep-order", "--tempo-style", "--penalty", "--iof"};

struct KindRules {
    std::set<std::string> required;
    std::set<std::string> optional;
};

// What each kind needs and takes besides --kind and --lang.
const std::map<std::string, KindRules>& kindRules() {
    static const std::map<std::string, KindRules> rules = {
        {"preo", {{"--stage"}, {}}},
        {"tempo", {{"--stage"}, {}}},
        {"startlist", {{"--stage"}, {}}},
        {"overall", {{"--stages", "--classes"}, {"--complete"}}},
        {"relay", {{"--stage", "--classes", "--relay"}, {"--leg-controls"}}},
    };
    return rules;
}

const ArgumentRules kArguments = {.options = {"--kind", "--stage", "--stages", "--classes", "--relay",
                                              "--leg-controls", "--penalty", "--lang"},
                                  .flags = {"--complete", "--keep-order", "--tempo-style", "--iof"}};

// A clear line for what the kind lacks or does not take; empty when the arguments fit.
std::string argumentProblem(const Arguments& parsed, const std::string& kind) {
    const auto found = kindRules().find(kind);
    if (found == kindRules().end()) return "--kind takes preo, tempo, startlist, overall or relay";
    const KindRules& rules = found->second;
    for (const std::string& option : rules.required)
        if (parsed.value(option).empty()) return "--kind " + kind + " needs " + option;
    const bool scores = kind == "overall" || kind == "relay";
    for (const auto& names : {kArguments.options, kArguments.flags})
        for (const std::string& name : names) {
            if (!parsed.has(name) || name == "--kind" || name == "--lang") continue;
            if (!rules.required.count(name) && !rules.optional.count(name) &&
                !(scores && kScoring.count(name)))
                return name + " does not go with --kind " + kind;
        }
    const std::string relay = parsed.value("--relay");
    if (kind == "relay" && relay != "farsta" && relay != "motala" && relay != "teams")
        return "--relay takes farsta, motala or teams";
    const std::string language = parsed.value("--lang", "CZE");
    if (language != "CZE" && language != "GBR") return "--lang takes CZE or GBR";
    return {};
}

ScoringOptions scoringOf(const Arguments& parsed) {
    ScoringOptions scoring;
    scoring.keepOrder = parsed.has("--keep-order");
    scoring.tempoStyle = parsed.has("--tempo-style");
    scoring.wrongAnswerPenalty = parsed.value("--penalty", "60");
    scoring.unansweredIsWrong = parsed.has("--iof");
    return scoring;
}

// The path on `out`; a refusal and files left out on `err`.
int report(const std::optional<std::string>& path, const std::vector<std::string>& skippedFiles,
           const ConsolePrompt& messages, std::ostream& out, std::ostream& err) {
    if (!path) {
        for (const auto& message : messages.shown)
            err << "ravik-cli: " << message << "\n";
        return 1;
    }
    out << *path << "\n";
    for (const std::string& message : skippedFiles)
        err << "ravik-cli: " << message << "\n";
    return skippedFiles.empty() ? 0 : 1;
}

int exportOverall(Session& session, const Arguments& parsed, std::ostream& out, std::ostream& err) {
    const std::string& racePath = session.race.racePath();
    OverallOptions options;
    for (const std::string& stage : splitAtCommas(parsed.value("--stages"))) {
        const int number = stageOfRace(racePath, stage);
        if (number == 0) {
            err << "ravik-cli: the race has no stage " << stage << "\n";
            return 1;
        }
        options.stages[number - 1] = true;
    }
    for (const std::string& name : splitAtCommas(parsed.value("--classes")))
        options.classes.push_back(utf8ToCp1250(name));
    options.completeOnly = parsed.has("--complete");
    ConsolePrompt messages;
    const auto outcome = exportOverallXml(session, options, scoringOf(parsed), messages);
    return report(outcome ? std::optional(outcome->path) : std::nullopt,
                  outcome ? outcome->skippedFiles : std::vector<std::string>{}, messages, out, err);
}

int exportRelay(Session& session, const Arguments& parsed, std::ostream& out, std::ostream& err) {
    RelayXmlOptions options;
    options.scoring = scoringOf(parsed);
    options.scoring.stage = session.race.currentStage();
    const RaceRecord record = readStage(session.race.racePath(), options.scoring.stage);
    if (!selectClasses(record, parsed.value("--classes"), options.scoring.selectedClasses, err)) return 1;
    const std::string relay = parsed.value("--relay");
    options.form = relay == "farsta"   ? RelayForm::Farsta
                   : relay == "motala" ? RelayForm::Motala
                                       : RelayForm::Teams;
    options.legControls = parsed.value("--leg-controls");
    ConsolePrompt messages;
    const auto outcome = exportRelayXml(session, options, messages);
    return report(outcome ? std::optional(outcome->path) : std::nullopt,
                  outcome ? outcome->skippedFiles : std::vector<std::string>{}, messages, out, err);
}

} // namespace

int exportXmlCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, kArguments);
    if (!parsed) {
        err << kUsage;
        return 2;
    }
    const std::string kind = parsed->value("--kind");
    if (const std::string problem = argumentProblem(*parsed, kind); !problem.empty()) {
        err << "ravik-cli: " << problem << "\n" << kUsage;
        return 2;
    }
    // The stage lists tell a stage beyond the race themselves, in the language asked for.
    const bool stageList = kind == "preo" || kind == "tempo" || kind == "startlist";
    std::optional<std::string> stage;
    if (parsed->has("--stage")) stage = parsed->value("--stage");
    auto session = openRace({.racePath = parsed->racePath(),
                             .stage = stage,
                             .language = languageFromCode(parsed->value("--lang", "CZE")),
                             .stageWithinRace = !stageList,
                             .changesFiles = true,
                             .readsWhenHeld = true},
                            err);
    if (!session) return 1;
    if (kind == "overall") return exportOverall(*session, *parsed, out, err);
    if (kind == "relay") return exportRelay(*session, *parsed, out, err);
    ConsolePrompt messages;
    const int number = session->race.currentStage();
    const auto path =
        kind == "startlist"
            ? exportStartListXml(*session, number, messages)
            : exportResultList(
                  *session,
                  {.stage = number, .kind = kind == "preo" ? ResultListKind::PreO : ResultListKind::TempO},
                  messages);
    return report(path, {}, messages, out, err);
}

} // namespace ravik::cli
