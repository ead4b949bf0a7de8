// Uploads of the selected pages: to the race web service and to another FTP server.
#include "core/numbers.h"
#include "core/texts/publish_texts.h"
#include "publish/publisher.h"
#include "publish/scope_exit.h"

namespace ravik {

namespace {

// "host" or "host:port" as typed into whost.
FtpAccount otherServerAccount(const OtherFtpServer& server) {
    FtpAccount account{server.host, 21, server.user, server.password};
    const auto colon = server.host.rfind(':');
    if (colon != std::string::npos && isDigitsOnly(server.host.substr(colon + 1))) {
        account.host = server.host.substr(0, colon);
        account.port = leadingDigits(server.host.substr(colon + 1));
    }
    return account;
}

} // namespace

void Publisher::storeSelectedFiles(const std::vector<std::string>& files, bool logEachFile) {
    const std::string raceFolder = session_.race.raceFolder();
    const std::string stageFolder = currentStageFolder();
    for (const std::string& name : files) {
        // Both copies go under the name as the file system has it, which is UTF-8 here;
        // the stage folder's copy comes second and wins when both exist.
        try {
            ftp_.store(raceFolder + name, name);
        } catch (const FtpError&) {
        }
        bool stored = true;
        try {
            ftp_.store(stageFolder + name, name);
        } catch (const FtpError&) {
            stored = false;
        }
        if (!logEachFile) continue;
        session_.log.append(stored ? name + text(texts::kUploadedOnServer)
                                   : text(texts::kUploadUnsuccessful));
    }
}

PublishOutcome Publisher::uploadToService(const PublishControls& controls) {
    PublishOutcome outcome;
    {
        connectService();
        ScopeExit closing([this] { disconnect(); });
        if (!enterRaceWebFolder(controls, outcome)) return outcome;
        storeSelectedFiles(controls.selectedFiles, true);
    }
    if (controls.repeat)
        recordAction(controls, {controls.selectedFiles, false, RepeatAction::Target::RaceWebService},
                     outcome);
    return outcome;
}

PublishOutcome Publisher::uploadToOtherServer(const PublishControls& controls) {
    PublishOutcome outcome;
    {
        connectTo(otherServerAccount(controls.otherServer));
        ScopeExit closing([this] { disconnect(); });
        // An empty remote directory means the account's start directory.
        if (!controls.otherServer.directory.empty()) {
            try {
                ftp_.changeDirectory(controls.otherServer.directory);
            } catch (const FtpError&) {
                prompt_.information(text(texts::kRemoteDirectoryMissing));
            }
        }
        storeSelectedFiles(controls.selectedFiles, false);
    }
    if (controls.repeat)
        recordAction(controls, {controls.selectedFiles, false, RepeatAction::Target::OtherServer}, outcome);
    return outcome;
}

} // namespace ravik
