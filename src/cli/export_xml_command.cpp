#include "cli/export_xml_command.h"

#include "core/file_io.h"
#include "core/prompt.h"
#include "core/session.h"
#include "exports/result_list_export.h"

namespace ravik::cli {
namespace {

constexpr const char* kUsage =
    "usage: ravik-cli export-xml RACE.ravik --stage N --kind preo|tempo [--lang CZE|GBR]\n";

struct ExportArguments {
    std::string racePath, stage, kind, language = "CZE";
};

bool parseArguments(const std::vector<std::string>& args, ExportArguments& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--stage" && hasValue)
            parsed.stage = args[++i];
        else if (arg == "--kind" && hasValue)
            parsed.kind = args[++i];
        else if (arg == "--lang" && hasValue)
            parsed.language = args[++i];
        else if (parsed.racePath.empty() && !arg.starts_with("--"))
            parsed.racePath = arg;
        else
            return false;
    }
    return !parsed.racePath.empty() && !parsed.stage.empty() &&
           (parsed.kind == "preo" || parsed.kind == "tempo") &&
           (parsed.language == "CZE" || parsed.language == "GBR");
}

// The export's messages: the success is printed as the path alone, a refusal goes to err.
class MessagesKept : public Prompt {
public:
    std::vector<std::string> shown;
    void information(const std::string& text) override { shown.push_back(text); }
    bool question(const std::string&) override { return false; }
    std::optional<std::string> input(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> openFileName(const std::string&) override { return std::nullopt; }
    std::optional<std::string> saveFileName(const std::string&) override { return std::nullopt; }
};

} // namespace

int exportXmlCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ExportArguments parsed;
    if (!parseArguments(args, parsed)) {
        err << kUsage;
        return 2;
    }
    if (!fileExists(parsed.racePath)) {
        err << "ravik-cli: no race file " << parsed.racePath << "\n";
        return 1;
    }
    Session session;
    session.language = languageFromCode(parsed.language);
    session.race.setRacePath(parsed.racePath);
    session.race.setCurrentStageText(parsed.stage);
    const int stage = session.race.currentStage();
    if (parsed.stage != std::to_string(stage)) {
        err << "ravik-cli: the race has no stage " << parsed.stage << "\n";
        return 1;
    }
    session.loadCompetitors();
    MessagesKept messages;
    const auto path = exportResultList(
        session,
        {.stage = stage, .kind = parsed.kind == "preo" ? ResultListKind::PreO : ResultListKind::TempO},
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
