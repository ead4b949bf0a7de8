#include "cli/printout_command.h"

#include "app/printout_painter.h"
#include "cli/arguments.h"
#include "cli/open_race.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "readout/printout.h"

#include <QGuiApplication>
#include <QPrinter>
#include <algorithm>
#include <cstdlib>

namespace ravik::cli {
namespace {

constexpr const char* kUsage = "usage: ravik-cli printout RACE.ravik --stage N --id ID [--answers] [--pdf "
                               "FILE] [--portrait] [--zoom Z]\n";

// Qt's PDF printer needs a GUI application; without a display it runs offscreen.
QGuiApplication& guiApplication() {
    static int argc = 1;
    static char name[] = "ravik-cli";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: torn down among the exit handlers it may run after Qt's own
    // thread storage is gone, and the command would crash after its PDF was written.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    return *application;
}

} // namespace

int printoutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(
        args, {.options = {"--stage", "--id", "--pdf", "--zoom"}, .flags = {"--answers", "--portrait"}});
    if (!parsed || parsed->value("--stage").empty() || parsed->value("--id").empty()) {
        err << kUsage;
        return 2;
    }
    const std::string racePath = parsed->racePath(), stageText = parsed->value("--stage"),
                      id = parsed->value("--id"), pdf = parsed->value("--pdf");
    const int zoom = std::clamp(std::atoi(parsed->value("--zoom", "10").c_str()), 1, 50);
    const int stage = fileExists(racePath) ? stageOfRace(racePath, stageText) : 0;
    if (stage == 0) {
        err << "ravik-cli: the race " << racePath << " has no stage " << stageText << "\n";
        return 1;
    }
    auto session = openRace({.racePath = racePath, .stage = stageText, .language = Language::English}, err);
    if (!session) return 1;
    const RaceRecord record = readStage(racePath, stage);

    PrintoutRequest request;
    request.competitorId = utf8ToCp1250(id);
    for (const ClassDefinition& definition : record.classes)
        if (!definition.class_name.empty()) request.classNames.push_back(definition.class_name);
    request.selection.assign(request.classNames.size(), false);
    request.run.scoring.stage = stage;
    request.run.scoring.offsetStage = stage;
    const PrintoutOutcome outcome = makePrintouts(*session, record, request);
    if (outcome.printouts.empty()) {
        err << "ravik-cli: no competitor with ID " << id << "\n";
        return 1;
    }

    guiApplication();
    const std::string base = pdf.empty() ? session->race.stageFolder(stage) + "printout_" + id + ".pdf" : pdf;
    for (std::size_t i = 0; i < outcome.printouts.size(); ++i) {
        const PrintoutData& data = outcome.printouts[i];
        // Two rows with one ID get a file each.
        const std::string path = i == 0 ? base : base + "." + std::to_string(i + 1) + ".pdf";
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(path));
        const DrawingList page = printerPrintout(data, {.markWrongAnswers = parsed->has("--answers")}, zoom);
        if (!printDrawingList(printer, page, QString::fromStdString(printJobTitle(data)),
                              parsed->has("--portrait"))) {
            err << "ravik-cli: cannot write " << path << "\n";
            return 1;
        }
        out << path << "\n";
    }
    return 0;
}

} // namespace ravik::cli
