#include "cli/export_xml_command.h"

#include "cli/arguments.h"
#include "cli/console_prompt.h"
#include "cli/open_race.h"
#include "exports/result_list_export.h"

namespace ravik::cli {
namespace {

constexpr const char* kUsage =
    "usage: ravik-cli export-xml RACE.ravik --stage N --kind preo|tempo [--lang CZE|GBR]\n";

} // namespace

int exportXmlCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, {.options = {"--stage", "--kind", "--lang"}});
    const std::string kind = parsed ? parsed->value("--kind") : "";
    const std::string language = parsed ? parsed->value("--lang", "CZE") : "";
    if (!parsed || parsed->value("--stage").empty() || (kind != "preo" && kind != "tempo") ||
        (language != "CZE" && language != "GBR")) {
        err << kUsage;
        return 2;
    }
    // A stage beyond the race is refused by the export, in the language asked for.
    auto session = openRace({.racePath = parsed->racePath(),
                             .stage = parsed->value("--stage"),
                             .language = languageFromCode(language),
                             .stageWithinRace = false,
                             .changesFiles = true},
                            err);
    if (!session) return 1;
    // The success is printed as the path alone, a refusal goes to err.
    ConsolePrompt messages;
    const auto path =
        exportResultList(*session,
                         {.stage = session->race.currentStage(),
                          .kind = kind == "preo" ? ResultListKind::PreO : ResultListKind::TempO},
                         messages);
    if (!path) {
        for (const auto& message : messages.shown)
            err << "ravik-cli: " << message << "\n";
        return 1;
    }
    out << *path << "\n";
    return 0;
}

} // namespace ravik::cli
