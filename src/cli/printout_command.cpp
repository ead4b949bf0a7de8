#include "cli/printout_command.h"

#include "app/printout_painter.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "readout/printout.h"

#include <QGuiApplication>
#include <QPrinter>
#include <optional>

namespace ravik::cli {
namespace {

constexpr const char* kUsage =
    "usage: ravik-cli printout RACE.ravik --stage N --id ID [--answers] [--pdf FILE] [--portrait] [--zoom Z]\n";

struct PrintoutArguments {
    std::string racePath, stage, id, pdf;
    bool answers = false, portrait = false;
    int zoom = 10;
};

std::optional<PrintoutArguments> parse(const std::vector<std::string>& args) {
    PrintoutArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--stage" && hasValue)
            parsed.stage = args[++i];
        else if (arg == "--id" && hasValue)
            parsed.id = args[++i];
        else if (arg == "--pdf" && hasValue)
            parsed.pdf = args[++i];
        else if (arg == "--zoom" && hasValue)
            parsed.zoom = std::clamp(std::atoi(args[++i].c_str()), 1, 50);
        else if (arg == "--answers")
            parsed.answers = true;
        else if (arg == "--portrait")
            parsed.portrait = true;
        else if (parsed.racePath.empty() && !arg.starts_with("--"))
            parsed.racePath = arg;
        else
            return std::nullopt;
    }
    if (parsed.racePath.empty() || parsed.stage.empty() || parsed.id.empty()) return std::nullopt;
    return parsed;
}

// Qt's PDF printer needs a GUI application; without a display it runs offscreen.
QGuiApplication& guiApplication() {
    static int argc = 1;
    static char name[] = "ravik-cli";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(argc, argv);
    return application;
}

} // namespace

int printoutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = parse(args);
    if (!parsed) {
        err << kUsage;
        return 2;
    }
    Session session;
    session.language = Language::English;
    session.race.setRacePath(parsed->racePath);
    session.race.setCurrentStageText(parsed->stage);
    const int stage = session.race.currentStage();
    if (!fileExists(parsed->racePath) || stage < 1 || stage > stageCount(parsed->racePath)) {
        err << "ravik-cli: the race " << parsed->racePath << " has no stage " << parsed->stage << "\n";
        return 1;
    }
    session.loadCompetitors();
    const RaceRecord record = readStage(parsed->racePath, stage);

    PrintoutRequest request;
    request.competitorId = utf8ToCp1250(parsed->id);
    for (const ClassDefinition& definition : record.classes)
        if (!definition.class_name.empty()) request.classNames.push_back(definition.class_name);
    request.selection.assign(request.classNames.size(), false);
    request.run.scoring.stage = stage;
    request.run.scoring.offsetStage = stage;
    const PrintoutOutcome outcome = makePrintouts(session, record, request);
    if (outcome.printouts.empty()) {
        err << "ravik-cli: no competitor with ID " << parsed->id << "\n";
        return 1;
    }

    guiApplication();
    const std::string base =
        parsed->pdf.empty() ? session.race.stageFolder(stage) + "printout_" + parsed->id + ".pdf" : parsed->pdf;
    for (std::size_t i = 0; i < outcome.printouts.size(); ++i) {
        const PrintoutData& data = outcome.printouts[i];
        // Two rows with one ID get a file each.
        const std::string path = i == 0 ? base : base + "." + std::to_string(i + 1) + ".pdf";
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(path));
        const DrawingList page = printerPrintout(data, {.markWrongAnswers = parsed->answers}, parsed->zoom);
        if (!printDrawingList(printer, page, QString::fromStdString(printJobTitle(data)), parsed->portrait)) {
            err << "ravik-cli: cannot write " << path << "\n";
            return 1;
        }
        out << path << "\n";
    }
    return 0;
}

} // namespace ravik::cli
