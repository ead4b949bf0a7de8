#include "cli/publish_commands.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "publish/curl_ftp_client.h"
#include "publish/publisher.h"

#include <algorithm>
#include <map>
#include <set>

namespace ravik::cli {

namespace {

constexpr const char* kPublishUsage = "usage: ravik-cli publish RACE.ravik --stage N [--service-user U] "
                                      "[--host H [--port P] --user U --password W --dir D] FILE...\n";
constexpr const char* kDownloadUsage = "usage: ravik-cli tc-download RACE.ravik --stage N --service-user U "
                                       "[--all|--new]\n";
constexpr const char* kMergeUsage = "usage: ravik-cli tc-merge RACE.ravik --stage N\n";

// Without a person at hand: information goes to the error stream, questions are answered no.
class ConsolePrompt : public Prompt {
public:
    explicit ConsolePrompt(std::ostream& err) : err_(err) {}
    void information(const std::string& text) override { err_ << text << "\n"; }
    bool question(const std::string& text) override {
        err_ << text << " (no)\n";
        return false;
    }
    std::optional<std::string> input(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> openFileName(const std::string&) override { return std::nullopt; }
    std::optional<std::string> saveFileName(const std::string&) override { return std::nullopt; }

private:
    std::ostream& err_;
};

struct Arguments {
    std::string racePath;
    std::map<std::string, std::string> values; // "--stage" → "1"
    std::set<std::string> flags;               // "--new"
    std::vector<std::string> files;
};

// Options in `withValue` take the next argument; those in `flags` stand alone;
// the first other argument is the race, the rest are files when `files` allows.
bool parse(const std::vector<std::string>& args, const std::set<std::string>& withValue,
           const std::set<std::string>& flags, bool files, Arguments& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (withValue.count(arg) && i + 1 < args.size())
            parsed.values[arg] = args[++i];
        else if (flags.count(arg))
            parsed.flags.insert(arg);
        else if (arg.starts_with("--"))
            return false;
        else if (parsed.racePath.empty())
            parsed.racePath = arg;
        else if (files)
            parsed.files.push_back(arg);
        else
            return false;
    }
    return !parsed.racePath.empty() && parsed.values.count("--stage");
}

// The race opened at the stage, its competitors loaded, the log printed as it grows.
bool openRace(const Arguments& parsed, Session& session, std::ostream& out, std::ostream& err) {
    const std::string& stage = parsed.values.at("--stage");
    session.language = Language::English;
    session.race.setRacePath(parsed.racePath);
    session.race.setCurrentStageText(stage);
    if (!fileExists(parsed.racePath)) {
        err << "ravik-cli: no race file " << parsed.racePath << "\n";
        return false;
    }
    const int number = session.race.currentStage();
    if (number < 1 || number > stageCount(parsed.racePath) || stage != std::to_string(number)) {
        err << "ravik-cli: the race has no stage " << stage << "\n";
        return false;
    }
    session.loadCompetitors();
    for (const auto& line : session.log.lines())
        out << line << "\n";
    session.log.setListener([&out](const std::string& line) { out << line << "\n"; });
    return true;
}

std::string value(const Arguments& parsed, const std::string& option) {
    const auto found = parsed.values.find(option);
    return found == parsed.values.end() ? std::string() : found->second;
}

} // namespace

int publishCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments parsed;
    if (!parse(args, {"--stage", "--service-user", "--host", "--port", "--user", "--password", "--dir"}, {},
               true, parsed) ||
        parsed.files.empty()) {
        err << kPublishUsage;
        return 2;
    }
    const bool otherServer = parsed.values.count("--host") > 0;
    if (!otherServer && value(parsed, "--service-user").empty()) {
        err << "ravik-cli: give --service-user for the race web service, or --host for another server\n";
        return 2;
    }
    Session session;
    if (!openRace(parsed, session, out, err)) return 1;
    ConsolePrompt prompt(err);
    CurlFtpClient ftp;
    Publisher publisher(session, prompt, ftp, loadServiceConfig(serviceConfigPath()));
    publisher.loadStageRecord();

    PublishControls controls;
    controls.serviceUser = utf8ToCp1250(value(parsed, "--service-user"));
    controls.fileList = publisher.htmFileList();
    for (const std::string& file : parsed.files) {
        if (std::find(controls.fileList.begin(), controls.fileList.end(), file) == controls.fileList.end()) {
            err << "ravik-cli: " << file << " is not an HTM file of the stage folder or the race folder\n";
            return 1;
        }
    }
    controls.selectedFiles = selectionWith(controls.fileList, {}, parsed.files);
    if (otherServer) {
        std::string host = value(parsed, "--host");
        if (!value(parsed, "--port").empty()) host += ":" + value(parsed, "--port");
        controls.otherServer = {utf8ToCp1250(host), utf8ToCp1250(value(parsed, "--user")),
                                utf8ToCp1250(value(parsed, "--password")),
                                utf8ToCp1250(value(parsed, "--dir"))};
        publisher.uploadToOtherServer(controls);
        return 0;
    }
    return publisher.uploadToService(controls).stoppedWithoutFolder ? 1 : 0;
}

int timedControlDownloadCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments parsed;
    if (!parse(args, {"--stage", "--service-user"}, {"--all", "--new"}, false, parsed) ||
        value(parsed, "--service-user").empty() || parsed.flags.size() > 1) {
        err << kDownloadUsage;
        return 2;
    }
    Session session;
    if (!openRace(parsed, session, out, err)) return 1;
    ConsolePrompt prompt(err);
    CurlFtpClient ftp;
    Publisher publisher(session, prompt, ftp, loadServiceConfig(serviceConfigPath()));
    publisher.loadStageRecord();
    PublishControls controls;
    controls.serviceUser = utf8ToCp1250(value(parsed, "--service-user"));
    if (parsed.flags.count("--new"))
        publisher.downloadNewTimedControls(controls);
    else
        publisher.downloadAllTimedControls(controls);
    return 0;
}

int timedControlMergeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments parsed;
    if (!parse(args, {"--stage"}, {}, false, parsed)) {
        err << kMergeUsage;
        return 2;
    }
    Session session;
    if (!openRace(parsed, session, out, err)) return 1;
    ConsolePrompt prompt(err);
    CurlFtpClient ftp;
    Publisher publisher(session, prompt, ftp, ServiceConfig{});
    publisher.loadStageRecord();
    publisher.mergeTimedControls();
    return 0;
}

} // namespace ravik::cli
