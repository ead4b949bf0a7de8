#include "cli/printout_command.h"

#include "cli/arguments.h"
#include "cli/cli_drawing.h"
#include "cli/open_race.h"
#include "core/cp1250.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "slips/printout.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace ravik::cli {
namespace {

constexpr const char* kUsage = "usage: ravik-cli printout RACE.ravik --stage N --id ID [--answers] [--pdf "
                               "FILE] [--portrait] [--zoom Z] [--layout a4|80|58] [--lang GBR|CZE]\n";

// "a4" (the default), "80" or "58"; nullopt for anything else.
std::optional<PrintLayout> layoutOption(const std::string& text) {
    if (text == "a4" || text == "A4") return PrintLayout::A4;
    if (text == "80" || text == "58") return printLayoutFromCode(text);
    return std::nullopt;
}

} // namespace

int printoutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed =
        Arguments::parse(args, {.options = {"--stage", "--id", "--pdf", "--zoom", "--layout", "--lang"},
                                .flags = {"--answers", "--portrait"}});
    const auto layout = parsed ? layoutOption(parsed->value("--layout", "a4")) : std::nullopt;
    // The slip's words (its place line) in the language asked for, English by default.
    const std::string languageCode = parsed ? parsed->value("--lang", "GBR") : "";
    if (!parsed || !layout || parsed->value("--stage").empty() || parsed->value("--id").empty() ||
        (languageCode != "GBR" && languageCode != "CZE")) {
        err << kUsage;
        return 2;
    }
    if (!drawingInBuild()) return drawingNotInBuild(err, languageFromCode(languageCode));
    const std::string racePath = parsed->racePath(), stageText = parsed->value("--stage"),
                      id = parsed->value("--id"), pdf = parsed->value("--pdf");
    const int zoom = std::clamp(std::atoi(parsed->value("--zoom", "10").c_str()), 1, 50);
    const int stage = fileExists(racePath) ? stageOfRace(racePath, stageText) : 0;
    if (stage == 0) {
        err << "ravik-cli: the race " << racePath << " has no stage " << stageText << "\n";
        return 1;
    }
    auto session = openRace({.racePath = racePath,
                             .stage = stageText,
                             .language = Language::English,
                             .changesFiles = true,
                             .readsWhenHeld = true},
                            err);
    if (!session) return 1;
    PrintoutRequest request;
    request.competitorId = utf8ToCp1250(id);
    request.run.scoring.stage = stage;
    const PrintoutOutcome outcome = makePrintouts(*session, request);
    if (outcome.printouts.empty()) {
        err << "ravik-cli: no competitor with ID " << id << "\n";
        return 1;
    }

    const std::string base = pdf.empty() ? session->race.stageFolder(stage) + "printout_" + id + ".pdf" : pdf;
    for (std::size_t i = 0; i < outcome.printouts.size(); ++i) {
        const PrintoutData& data = outcome.printouts[i];
        // Two rows with one ID get a file each.
        const std::string path = i == 0 ? base : base + "." + std::to_string(i + 1) + ".pdf";
        const PrinterSlip slip = printerSlip(
            data, {.markWrongAnswers = parsed->has("--answers"), .language = languageFromCode(languageCode)},
            {.layout = *layout, .zoom = zoom, .portrait = parsed->has("--portrait")});
        try {
            writeSlipPdfFile(slip, printJobTitle(data), path);
        } catch (const IoError& error) {
            err << "ravik-cli: " << error.what() << "\n";
            return 1;
        }
        out << path << "\n";
    }
    return 0;
}

} // namespace ravik::cli
