#include "cli/publish_commands.h"

#include "cli/arguments.h"
#include "cli/console_prompt.h"
#include "cli/open_race.h"
#include "core/cp1250.h"
#include "publish/curl_ftp_client.h"
#include "publish/publisher.h"

#include <algorithm>
#include <cstdint>
#include <memory>

namespace ravik::cli {

namespace {

constexpr const char* kPublishUsage = "usage: ravik-cli publish RACE.ravik --stage N [--service-user U] "
                                      "[--host H [--port P] --user U --password W --dir D] "
                                      "[--ftps [--fingerprint SHA256]] FILE...\n";
constexpr const char* kDownloadUsage = "usage: ravik-cli tc-download RACE.ravik --stage N --service-user U "
                                       "[--all|--new] [--ftps [--fingerprint SHA256]]\n";
constexpr const char* kMergeUsage = "usage: ravik-cli tc-merge RACE.ravik --stage N\n";

// The publishing window's parts for one stage, without the window.
struct StagePublishing {
    StagePublishing(Session opened, std::ostream& err, ServiceConfig service)
        : session(std::move(opened)), prompt(err), publisher(session, prompt, ftp, std::move(service)) {
        publisher.loadStageRecord();
    }
    Session session;
    ConsolePrompt prompt;
    CurlFtpClient ftp;
    Publisher publisher;
};

// --ftps asks for FTPS (explicit TLS) where ravik-service.ini does not; --fingerprint
// names the certificate to accept, which only FTPS can check.
void applyTlsChoice(const Arguments& parsed, bool& tls, std::string& fingerprint) {
    if (parsed.has("--ftps") || parsed.has("--fingerprint")) tls = true;
    if (parsed.has("--fingerprint")) fingerprint = parsed.value("--fingerprint");
}

// The race opened at the stage (English messages), its log printed as it grows;
// the race web service's settings are read when `withService`.
std::unique_ptr<StagePublishing> openPublishing(const Arguments& parsed, bool withService, std::ostream& out,
                                                std::ostream& err) {
    auto session = openRace({.racePath = parsed.racePath(),
                             .stage = parsed.value("--stage"),
                             .language = Language::English,
                             .changesFiles = true},
                            err);
    if (!session) return nullptr;
    echoLog(*session, out);
    ServiceConfig service = withService ? loadServiceConfig(serviceConfigPath()) : ServiceConfig{};
    if (withService && !parsed.has("--host"))
        applyTlsChoice(parsed, service.account.tls, service.account.tlsFingerprint);
    return std::make_unique<StagePublishing>(std::move(*session), err, std::move(service));
}

// Exit status of a command whose work may have failed in part (each failure logged).
int statusOf(const PublishOutcome& outcome) {
    return outcome.failures > 0 || outcome.stoppedWithoutFolder ? 1 : 0;
}

} // namespace

int publishCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, {.options = {"--stage", "--service-user", "--host", "--port",
                                                            "--user", "--password", "--dir", "--fingerprint"},
                                                .flags = {"--ftps"},
                                                .required = {"--stage"},
                                                .positionalMin = 2,
                                                .positionalMax = SIZE_MAX});
    if (!parsed) {
        err << kPublishUsage;
        return 2;
    }
    const bool otherServer = parsed->has("--host");
    if (!otherServer && parsed->value("--service-user").empty()) {
        err << "ravik-cli: give --service-user for the race web service, or --host for another server\n";
        return 2;
    }
    const auto publishing = openPublishing(*parsed, true, out, err);
    if (!publishing) return 1;
    Publisher& publisher = publishing->publisher;

    const std::vector<std::string> files(parsed->positional().begin() + 1, parsed->positional().end());
    PublishControls controls;
    controls.serviceUser = utf8ToCp1250(parsed->value("--service-user"));
    controls.fileList = publisher.htmFileList();
    for (const std::string& file : files) {
        if (std::find(controls.fileList.begin(), controls.fileList.end(), file) == controls.fileList.end()) {
            err << "ravik-cli: " << file << " is not an HTM file of the stage folder or the race folder\n";
            return 1;
        }
    }
    controls.selectedFiles = selectionWith(controls.fileList, {}, files);
    if (otherServer) {
        std::string host = parsed->value("--host");
        if (!parsed->value("--port").empty()) host += ":" + parsed->value("--port");
        controls.otherServer = {.host = utf8ToCp1250(host),
                                .user = utf8ToCp1250(parsed->value("--user")),
                                .password = utf8ToCp1250(parsed->value("--password")),
                                .directory = utf8ToCp1250(parsed->value("--dir"))};
        applyTlsChoice(*parsed, controls.otherServer.tls, controls.otherServer.tlsFingerprint);
        return statusOf(publisher.uploadToOtherServer(controls));
    }
    return statusOf(publisher.uploadToService(controls));
}

int timedControlDownloadCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, {.options = {"--stage", "--service-user", "--fingerprint"},
                                                .flags = {"--all", "--new", "--ftps"},
                                                .required = {"--stage"}});
    if (!parsed || parsed->value("--service-user").empty() ||
        (parsed->has("--all") && parsed->has("--new"))) {
        err << kDownloadUsage;
        return 2;
    }
    const auto publishing = openPublishing(*parsed, true, out, err);
    if (!publishing) return 1;
    Publisher& publisher = publishing->publisher;
    PublishControls controls;
    controls.serviceUser = utf8ToCp1250(parsed->value("--service-user"));
    return statusOf(parsed->has("--new") ? publisher.downloadNewTimedControls(controls)
                                         : publisher.downloadAllTimedControls(controls));
}

int timedControlMergeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = Arguments::parse(args, {.options = {"--stage"}, .required = {"--stage"}});
    if (!parsed) {
        err << kMergeUsage;
        return 2;
    }
    const auto publishing = openPublishing(*parsed, false, out, err);
    if (!publishing) return 1;
    return statusOf(publishing->publisher.mergeTimedControls());
}

} // namespace ravik::cli
