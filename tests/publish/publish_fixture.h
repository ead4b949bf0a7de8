#pragma once
// A race of one stage (2023-05-13, classes "A" and "B" with timed controls), its
// competitor table, and the publishing commands pointed at a real FTP server.
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "ftp_test_server.h"
#include "publish/curl_ftp_client.h"
#include "publish/publisher.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace ravik::test {

inline constexpr const char* kFtpUser = "ravikftp";
inline constexpr const char* kFtpPassword = "s3cret12";
inline constexpr const char* kServiceUser = "club";
inline constexpr const char* kStageFolderName = "2023-05-13E1";

// Class "A": cluster 1 three tasks, cluster 2 four tasks, cluster 3 two tasks and
// "X" in slot 10. Class "B": clusters 1 and 2 of one task.
inline RaceRecord publishingStage() {
    RaceRecord stage;
    stage.stage_number = 1;
    stage.stage_date = "2023-05-13";
    stage.race_name = "Spring cup";
    stage.stage_start = "10:00";
    ClassDefinition& a = stage.classes[0];
    a.class_name = "A";
    a.cluster_answers[0][0] = "A", a.cluster_answers[0][1] = "B", a.cluster_answers[0][2] = "C";
    for (int slot = 0; slot < 4; ++slot)
        a.cluster_answers[1][slot] = std::string(1, static_cast<char>('A' + slot));
    a.cluster_answers[2][0] = "A", a.cluster_answers[2][1] = "B", a.cluster_answers[2][9] = "X";
    ClassDefinition& b = stage.classes[1];
    b.class_name = "B";
    b.cluster_answers[0][0] = "Z";
    b.cluster_answers[1][0] = "A";
    return stage;
}

inline void fillTable(CompetitorTable& table) {
    table.setRowCount(4);
    const char* rows[][3] = {
        {"17", "A", "Novák Jan"}, {"18", "B", "Svoboda Petr"}, {"19", "A", "Dvořák Ivo"}};
    for (int row = 1; row <= 3; ++row) {
        table.setCell(row, column::kId, rows[row - 1][0]);
        table.setCell(row, column::kClass, rows[row - 1][1]);
        table.setCell(row, column::kName, utf8ToCp1250(rows[row - 1][2]));
    }
}

class PublishRace {
public:
    PublishRace() {
        session.race.setRacePath(folder.file("cup.ravik"));
        session.race.setCurrentStageText("1");
        createRaceFile(session.race.racePath(), publishingStage());
        ensureFolder(session.race.currentStageFolder());
        fillTable(session.table);
        session.language = Language::English;
    }
    std::string stageFile(const std::string& name) const { return session.race.currentStageFolder() + name; }
    const std::vector<std::string>& log() const { return session.log.lines(); }
    bool logged(const std::string& line) const { return std::count(log().begin(), log().end(), line) > 0; }

    TempFolder folder;
    Session session;
    ScriptedPrompt prompt;
};

// The race with a running FTP server whose root holds the race web service's folders.
class PublishingTest : public ::testing::Test, public PublishRace {
protected:
    explicit PublishingTest(const FtpServerQuirks& quirks = {}, const FtpLimits& limits = {})
        : server(serverRoot.path(), kFtpUser, kFtpPassword, quirks), ftp(limits),
          publisher(session, prompt, ftp, serviceConfig(server.port())) {
        publisher.loadStageRecord();
    }

    static ServiceConfig serviceConfig(int port) {
        ServiceConfig config;
        config.account = {.host = "127.0.0.1", .port = port, .user = kFtpUser, .password = kFtpPassword};
        config.publicBaseAddress = "https://results.example.invalid/";
        config.adminAddress = "admin@example.invalid";
        return config;
    }
    std::string remote(const std::string& path) const { return serverRoot.path() + path; }
    std::string raceWebFolder() const {
        return remote(std::string("www/ravik/results/") + kServiceUser + "/" + kStageFolderName + "/");
    }
    void makeUserFolder() const {
        std::filesystem::create_directories(remote(std::string("www/ravik/results/") + kServiceUser));
    }
    void makeRaceWebFolder() const { std::filesystem::create_directories(raceWebFolder()); }
    PublishControls controls() const {
        PublishControls values;
        values.serviceUser = kServiceUser;
        values.racePassword = "heslo1";
        values.fileList = publisher.htmFileList();
        return values;
    }

    TempFolder serverRoot;
    FtpTestServer server;
    CurlFtpClient ftp;
    Publisher publisher;
};

} // namespace ravik::test
