#include "cli/results_command.h"

#include "cli/arguments.h"
#include "cli/cli_drawing.h"
#include "cli/open_race.h"
#include "core/cp1250.h"
#include "core/errors.h"
#include "core/race_file.h"
#include "scoring/class_lookup.h"
#include "scoring/results_run.h"

#include <algorithm>

namespace ravik::cli {
namespace {

constexpr const char* kUsage =
    "usage: ravik-cli results RACE.ravik --stage N --classes A,B [--same-courses] [--columns] [--details] "
    "[--splits] [--keep-order] [--tempo-style] [--penalty S] [--iof] [--relay farsta|motala|teams] "
    "[--leg-controls "
    "N] "
    "[--caption TEXT] [--qualification N] [--oris] [--refresh S] [--roll MS] [--hold N] [--lang CZE|GBR] "
    "[--pdf FILE]\n";

const ArgumentRules kRules = {.options = {"--stage", "--classes", "--penalty", "--relay", "--leg-controls",
                                          "--caption", "--qualification", "--refresh", "--roll", "--hold",
                                          "--lang", "--pdf"},
                              .flags = {"--same-courses", "--columns", "--details", "--splits",
                                        "--keep-order", "--tempo-style", "--oris", "--iof"},
                              .required = {"--stage", "--classes"}};

} // namespace

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

int resultsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, kRules);
    if (!parsed) {
        err << kUsage;
        return 2;
    }
    auto value = [&](const char* option, const std::string& fallback = {}) {
        return parsed->value(option, fallback);
    };
    auto given = [&](const char* option) { return parsed->has(option); };
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
    if (given("--pdf") && !drawingInBuild()) return drawingNotInBuild(err, languageFromCode(language));
    auto session = openRace({.racePath = parsed->racePath(),
                             .stage = value("--stage"),
                             .language = languageFromCode(language),
                             .changesFiles = true},
                            err);
    if (!session) return 1;
    const int stage = session->race.currentStage();
    const RaceRecord record = readStage(parsed->racePath(), stage);
    ResultsRunOptions options;
    options.scoring.stage = stage;
    if (!selectClasses(record, value("--classes"), options.scoring.selectedClasses, err)) return 1;
    options.scoring.keepOrder = given("--keep-order");
    options.scoring.tempoStyle = given("--tempo-style");
    options.scoring.wrongAnswerPenalty = value("--penalty", "60");
    options.scoring.unansweredIsWrong = given("--iof");
    PageOptions& page = options.page;
    page.raceName = record.race_name;
    page.caption = given("--caption") ? utf8ToCp1250(value("--caption")) : record.race_name;
    page.sameCourses = given("--same-courses");
    page.scoreColumns = given("--columns");
    page.details = given("--details");
    page.splits = given("--splits");
    page.qualificationLine = given("--qualification");
    page.qualificationAfter = value("--qualification", "16");
    page.oris = given("--oris");
    page.refreshSeconds = value("--refresh", "300");
    page.rolling = given("--roll");
    page.rollPeriod = value("--roll", "30");
    page.holdLeaders = given("--hold");
    page.leaderPlaces = value("--hold", "6");
    options.relayRace = !relay.empty();
    options.relayForm = relay == "farsta"   ? RelayForm::Farsta
                        : relay == "motala" ? RelayForm::Motala
                        : relay == "teams"  ? RelayForm::Teams
                                            : RelayForm::None;
    options.legControls = value("--leg-controls");

    try {
        const ResultsRunOutcome outcome = runResults(*session, options);
        out << outcome.pagePath << "\n";
        for (const std::string& warning : outcome.definitionWarnings)
            err << "ravik-cli: " << warning << "\n";
        // The page stands, but without what the skipped files hold.
        for (const std::string& message : outcome.skippedFiles)
            err << "ravik-cli: " << message << "\n";
        if (!outcome.skippedFiles.empty()) return 1;
        if (given("--pdf")) {
            if (outcome.pagePath.empty()) {
                err << "ravik-cli: no page was written, so no PDF\n";
                return 1;
            }
            return writeRequestedPdf(outcome.pagePath, value("--pdf"), languageFromCode(language), out, err);
        }
    } catch (const ConversionError& error) {
        err << "ravik-cli: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace ravik::cli
