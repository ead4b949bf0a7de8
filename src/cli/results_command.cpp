#include "cli/results_command.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "scoring/class_lookup.h"
#include "scoring/results_run.h"

#include <map>
#include <set>

namespace ravik::cli {
namespace {

constexpr const char* kUsage =
    "usage: ravik-cli results RACE.ravik --stage N --classes A,B [--same-courses] [--columns] [--details] "
    "[--splits] [--keep-order] [--tempo-style] [--penalty S] [--relay farsta|motala|teams] [--leg-controls "
    "N] "
    "[--caption TEXT] [--qualification N] [--oris] [--refresh S] [--roll MS] [--hold N] [--lang CZE|GBR]\n";

struct ResultsArguments {
    std::string racePath, stage, classes, language = "CZE";
    std::map<std::string, std::string> values; // options with a value
    std::set<std::string> flags;               // options without one
};

const std::set<std::string> kValueOptions = {"--stage",        "--classes", "--penalty",       "--relay",
                                             "--leg-controls", "--caption", "--qualification", "--refresh",
                                             "--roll",         "--hold",    "--lang"};
const std::set<std::string> kFlagOptions = {"--same-courses", "--columns",     "--details", "--splits",
                                            "--keep-order",   "--tempo-style", "--oris"};

bool parseArguments(const std::vector<std::string>& args, ResultsArguments& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (kValueOptions.count(arg) && i + 1 < args.size())
            parsed.values[arg] = args[++i];
        else if (kFlagOptions.count(arg))
            parsed.flags.insert(arg);
        else if (parsed.racePath.empty() && !arg.starts_with("--"))
            parsed.racePath = arg;
        else
            return false;
    }
    return !parsed.racePath.empty() && parsed.values.count("--stage") && parsed.values.count("--classes");
}

std::vector<std::string> splitAtCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t comma = std::min(text.find(',', begin), text.size());
        if (comma > begin) parts.push_back(text.substr(begin, comma - begin));
        begin = comma + 1;
    }
    return parts;
}

// The named classes in the order of the stage's class list, as ListBox1 selects them.
bool selectClasses(const RaceRecord& record, const std::string& namesUtf8, std::vector<std::string>& selected,
                   std::ostream& err) {
    const std::vector<std::string> names = splitAtCommas(utf8ToCp1250(namesUtf8));
    for (const std::string& name : names)
        if (classSlotOf(record, name) < 0) {
            err << "ravik-cli: the stage has no class " << cp1250ToUtf8(name) << "\n";
            return false;
        }
    for (const ClassDefinition& definition : record.classes)
        if (!definition.class_name.empty() && isSelected(names, definition.class_name) &&
            !isSelected(selected, definition.class_name))
            selected.push_back(definition.class_name);
    return true;
}

} // namespace

int resultsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ResultsArguments parsed;
    if (!parseArguments(args, parsed)) {
        err << kUsage;
        return 2;
    }
    auto value = [&](const char* option, const std::string& fallback = {}) {
        const auto found = parsed.values.find(option);
        return found == parsed.values.end() ? fallback : found->second;
    };
    auto flag = [&](const char* option) { return parsed.flags.count(option) > 0; };
    const std::string language = value("--lang", "CZE");
    if (language != "CZE" && language != "GBR") {
        err << "ravik-cli: --lang takes CZE or GBR\n";
        return 2;
    }
    const std::string relay = value("--relay");
    if (!relay.empty() && relay != "farsta" && relay != "motala" && relay != "teams") {
        err << "ravik-cli: --relay takes farsta, motala or teams\n";
        return 2;
    }
    Session session;
    session.language = languageFromCode(language);
    session.race.setRacePath(parsed.racePath);
    const std::string stageText = value("--stage");
    session.race.setCurrentStageText(stageText);
    if (!fileExists(parsed.racePath)) {
        err << "ravik-cli: no race file " << parsed.racePath << "\n";
        return 1;
    }
    const int stage = session.race.currentStage();
    if (stage < 1 || stage > kMaxStages || stage > stageCount(parsed.racePath) ||
        stageText != std::to_string(stage)) {
        err << "ravik-cli: the race has no stage " << stageText << "\n";
        return 1;
    }
    const RaceRecord record = readStage(parsed.racePath, stage);
    ResultsRunOptions options;
    options.scoring.stage = stage;
    options.scoring.offsetStage = stage;
    if (!selectClasses(record, value("--classes"), options.scoring.selectedClasses, err)) return 1;
    options.scoring.keepOrder = flag("--keep-order");
    options.scoring.tempoStyle = flag("--tempo-style");
    options.scoring.wrongAnswerPenalty = value("--penalty", "60");
    PageOptions& page = options.page;
    page.raceName = record.race_name;
    page.caption = parsed.values.count("--caption") ? utf8ToCp1250(value("--caption")) : record.race_name;
    page.sameCourses = flag("--same-courses");
    page.scoreColumns = flag("--columns");
    page.details = flag("--details");
    page.splits = flag("--splits");
    page.qualificationLine = parsed.values.count("--qualification") > 0;
    page.qualificationAfter = value("--qualification", "16");
    page.oris = flag("--oris");
    page.refreshSeconds = value("--refresh", "300");
    page.rolling = parsed.values.count("--roll") > 0;
    page.rollPeriod = value("--roll", "30");
    page.holdLeaders = parsed.values.count("--hold") > 0;
    page.leaderPlaces = value("--hold", "6");
    options.relayRace = !relay.empty();
    options.relayForm = relay == "farsta"   ? RelayForm::Farsta
                        : relay == "motala" ? RelayForm::Motala
                        : relay == "teams"  ? RelayForm::Teams
                                            : RelayForm::None;
    options.legControls = value("--leg-controls");

    session.loadCompetitors();
    try {
        const ResultsRunOutcome outcome = runResults(session, record, options);
        out << outcome.pagePath << "\n";
    } catch (const ConversionError& error) {
        err << "ravik-cli: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace ravik::cli
