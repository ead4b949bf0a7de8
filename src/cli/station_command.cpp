#include "cli/station_command.h"

#include "cli/arguments.h"
#include "cli/open_race.h"
#include "core/file_io.h"
#include "core/platform/platform.h"
#include "readout/readout_pass.h"
#include "readout/station/serial_link.h"
#include "readout/station/serial_ports.h"
#include "readout/station/station_readout.h"

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

namespace ravik::cli {

namespace {

constexpr const char* kUsage =
    "usage: ravik-cli station --port PORT --log FILE [--race RACE.ravik --stage N] "
    "[--lang CZE|GBR]\n       ravik-cli station --list\n";

constexpr std::size_t kStationLogLines = 64;

std::atomic<bool> interrupted{false};

int listPorts(std::ostream& out) {
    for (const station::SerialPort& port : station::listSerialPorts()) {
        out << port.path;
        if (!port.description.empty()) out << "\t" << port.description;
        if (port.sportIdent) out << "\tSportIdent station";
        out << "\n";
    }
    return 0;
}

} // namespace

int stationCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, {.options = {"--port", "--log", "--race", "--stage", "--lang"},
                                                .flags = {"--list"},
                                                .positionalMin = 0,
                                                .positionalMax = 0});
    if (parsed && parsed->has("--list")) return listPorts(out);
    const bool withRace = parsed && (parsed->has("--race") || parsed->has("--stage"));
    if (!parsed || parsed->value("--port").empty() || parsed->value("--log").empty() ||
        (withRace && (parsed->value("--race").empty() || parsed->value("--stage").empty()))) {
        err << kUsage;
        return 2;
    }
    const std::string code = parsed->value("--lang", "CZE");
    if (code != "CZE" && code != "GBR") {
        err << "ravik-cli: --lang takes CZE or GBR\n";
        return 2;
    }
    const Language language = languageFromCode(code);
    std::optional<Session> session;
    if (withRace) {
        session = openRace({.racePath = parsed->value("--race"),
                            .stage = parsed->value("--stage"),
                            .language = language,
                            .changesFiles = true},
                           err);
        if (!session) return 1;
        echoLog(*session, out);
        // Every line is echoed as it comes; a station that runs all day keeps only the last few.
        session->log.keepLast(kStationLogLines);
    }
    ReadoutOptions pass;
    pass.logPath = parsed->value("--log");
    if (session) pass.stageFolder = session->race.currentStageFolder();
    const auto memory = makeReadoutMemory();

    const std::string port = parsed->value("--port");
    station::SerialLink link(port);
    station::StationReadout readout(link);
    station::Connection connection = readout.connect();
    if (!connection.connected()) {
        err << "ravik-cli: " << station::connectionText(connection, port, language) << "\n";
        return 1;
    }
    out << station::connectionText(connection, port, language) << std::endl;
    // From here on Ctrl+C ends the run between two passes, the first one included.
    // Ctrl+C and a plain kill end the read-out between two cards.
    interrupted = false;
    const platform::InterruptCatcher catcher(interrupted);
    // A card acknowledged just before the last run ended gets its punch file now, not at the next card.
    if (session && fileExists(pass.logPath)) runReadoutPass(pass, *session, {}, memory.get());
    std::optional<std::chrono::steady_clock::time_point> settlePassAt;
    while (!interrupted) {
        const station::StationReport report =
            readout.poll(std::chrono::milliseconds(200), pass.logPath, language);
        for (const std::string& message : report.messages)
            out << message << std::endl;
        // A card without a finish punch is complete once the log has stood still:
        // one more pass after that writes its punch file.
        const bool settled = settlePassAt && std::chrono::steady_clock::now() >= *settlePassAt;
        if (session && (report.kind == station::StationReportKind::CardLogged || settled)) {
            runReadoutPass(pass, *session, {}, memory.get());
            out.flush();
            settlePassAt.reset();
            if (report.kind == station::StationReportKind::CardLogged)
                settlePassAt = std::chrono::steady_clock::now() + kSettlePassDelay;
        }
        if (report.kind != station::StationReportKind::Lost) continue;
        // Unplugged: the same port is tried again every second.
        link.close();
        while (!interrupted) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            connection = readout.connect();
            if (connection.connected()) {
                out << station::connectionText(connection, port, language) << std::endl;
                if (session && fileExists(pass.logPath)) runReadoutPass(pass, *session, {}, memory.get());
                break;
            }
            link.close();
        }
    }
    return 0;
}

} // namespace ravik::cli
