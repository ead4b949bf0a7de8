#include "publish/race_description.h"
#include "publish_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ravik::test {
namespace {

using RaceWebFolder = PublishingTest;
using WebUpload = PublishingTest;

TEST_F(RaceWebFolder, CreateMakesTheFolderWithIndexAndDescriptionThenTests) {
    makeUserFolder();
    const PublishOutcome outcome = publisher.createRaceWebFolder(controls());
    EXPECT_EQ(readFile(raceWebFolder() + "index.php"), folderIndexPage());
    EXPECT_EQ(readFile(stageFile("index.php")), folderIndexPage());
    EXPECT_EQ(readFile(raceWebFolder() + "temp.info"),
              raceDescription("heslo1", publishingStage(), session.table));
    ASSERT_TRUE(outcome.serviceControls);
    EXPECT_TRUE(outcome.serviceControls->upload);
    EXPECT_FALSE(outcome.serviceControls->createFolder);
    EXPECT_EQ(log().back(), "Test succesful, disconected.");
}

TEST_F(RaceWebFolder, UpdateUploadsTheDescriptionAndCreatesAMissingFolderOnYes) {
    makeRaceWebFolder();
    PublishControls values = controls();
    publisher.updateRaceDescription(values);
    EXPECT_EQ(readFile(raceWebFolder() + "temp.info"), readFile(stageFile("temp.info")));
    EXPECT_EQ(log().back(), "Race data updated.");

    std::filesystem::remove_all(raceWebFolder());
    prompt.answers = {false};
    publisher.updateRaceDescription(values);
    EXPECT_EQ(prompt.shown.back(), "Race web folder does not exists. Create?");
    EXPECT_FALSE(std::filesystem::exists(raceWebFolder()));
    EXPECT_FALSE(std::filesystem::exists(remote("temp.info")));
    EXPECT_EQ(log().back(), "The race web folder is missing; nothing was uploaded.");

    prompt.answers = {true};
    values.racePassword = "new";
    const PublishOutcome outcome = publisher.updateRaceDescription(values);
    EXPECT_EQ(readFile(raceWebFolder() + "index.php"), folderIndexPage());
    EXPECT_EQ(readFile(raceWebFolder() + "temp.info").substr(0, 5), "new\r\n");
    EXPECT_TRUE(outcome.serviceControls && outcome.serviceControls->upload);
    EXPECT_EQ(log().back(), "Race data updated.");
}

TEST_F(WebUpload, StoresEachSelectedFileFromBothFoldersAndLogsIt) {
    makeRaceWebFolder();
    writeFile(stageFile("results_E1.htm"), "stage page");
    writeFile(stageFile("startlist_E1.htm"), "start page");
    writeFile(folder.file("overall.htm"), "overall page");
    writeFile(folder.file("notes.txt"), "not listed");
    PublishControls values = controls();
    EXPECT_EQ(values.fileList,
              (std::vector<std::string>{"results_E1.htm", "startlist_E1.htm", "overall.htm"}));
    values.selectedFiles = {"results_E1.htm", "overall.htm"};
    const PublishOutcome outcome = publisher.uploadToService(values);
    EXPECT_EQ(readFile(raceWebFolder() + "results_E1.htm"), "stage page");
    EXPECT_EQ(readFile(raceWebFolder() + "overall.htm"), "overall page");
    EXPECT_FALSE(std::filesystem::exists(raceWebFolder() + "startlist_E1.htm"));
    EXPECT_EQ(
        std::vector<std::string>(log().end() - 2, log().end()),
        (std::vector<std::string>{"results_E1.htm uploaded on server", "overall.htm uploaded on server"}));
    EXPECT_EQ(outcome.failures, 0);
    EXPECT_FALSE(outcome.repeatRecorded);
    EXPECT_EQ(publisher.actionCount(), 0);
}

TEST_F(WebUpload, EveryFailedUploadNamesTheFileAndTheServersReply) {
    makeRaceWebFolder();
    writeFile(stageFile("results_E1.htm"), "stage page");
    writeFile(stageFile("startlist_E1.htm"), "start page");
    writeFile(folder.file("overall.htm"), "overall page");
    // The server refuses to store over a folder of that name.
    std::filesystem::create_directories(raceWebFolder() + "startlist_E1.htm");
    PublishControls values = controls();
    values.selectedFiles = {"results_E1.htm", "startlist_E1.htm", "overall.htm"};
    std::filesystem::remove(folder.file("overall.htm")); // gone since the list was filled
    const PublishOutcome outcome = publisher.uploadToService(values);
    EXPECT_EQ(outcome.failures, 2);
    ASSERT_GE(log().size(), 3u);
    EXPECT_EQ(log()[log().size() - 3], "results_E1.htm uploaded on server");
    EXPECT_EQ(log()[log().size() - 2].rfind("Upload unsuccessful... startlist_E1.htm: 550 ", 0), 0u)
        << log()[log().size() - 2];
    EXPECT_EQ(
        log().back(),
        "Upload unsuccessful... overall.htm: the file is in neither the stage folder nor the race folder");
}

TEST_F(WebUpload, NamesWithAccentsArriveUnderTheirUtf8NameAndTheStageCopyWins) {
    makeRaceWebFolder();
    writeFile(stageFile("výsledky.htm"), "stage");
    writeFile(folder.file("výsledky.htm"), "race");
    PublishControls values = controls();
    values.selectedFiles = {"výsledky.htm"};
    publisher.uploadToService(values);
    EXPECT_EQ(readFile(raceWebFolder() + "výsledky.htm"), "stage");
    EXPECT_TRUE(logged("výsledky.htm uploaded on server"));
}

TEST_F(WebUpload, UploadWithoutServerIsAnErrorForTheUser) {
    publisher.setService(serviceConfig(freePort()));
    EXPECT_THROW(publisher.uploadToService(controls()), FtpError);
}

TEST_F(WebUpload, OtherServerWithMissingDirectoryUploadsNothing) {
    writeFile(stageFile("results_E1.htm"), "stage page");
    PublishControls values = controls();
    values.selectedFiles = {"results_E1.htm"};
    values.otherServer = {.host = "127.0.0.1:" + std::to_string(server.port()),
                          .user = kFtpUser,
                          .password = kFtpPassword,
                          .directory = "/pages"};
    values.repeat = true;
    values.repeatMinutes = "3";
    PublishOutcome outcome = publisher.uploadToOtherServer(values);
    EXPECT_EQ(prompt.shown, (std::vector<std::string>{"This remote directory is missing on FTP server."}));
    EXPECT_EQ(log().back(), "This remote directory is missing on FTP server. Nothing was uploaded.");
    EXPECT_FALSE(std::filesystem::exists(remote("results_E1.htm")));
    EXPECT_TRUE(outcome.stoppedWithoutFolder);
    EXPECT_FALSE(outcome.repeatRecorded);

    std::filesystem::create_directories(remote("pages"));
    outcome = publisher.uploadToOtherServer(values);
    EXPECT_EQ(readFile(remote("pages/results_E1.htm")), "stage page");
    EXPECT_EQ(log().back(), "results_E1.htm uploaded on server");
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(outcome.repeatRecorded);
    EXPECT_EQ(outcome.timerIntervalMs, 180000);
    ASSERT_EQ(publisher.actionCount(), 1);
    EXPECT_EQ(publisher.actions()[0].target, RepeatAction::Target::OtherServer);
}

// A server that takes the first 64 kB of an upload and then reads no more; the client
// waits two seconds for its reply.
class StallingServer : public PublishingTest {
protected:
    StallingServer() : PublishingTest({.stallAfterBytes = 65536}, {.timeoutMs = 2000}) {}
    std::vector<std::string> namesOnServer() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(raceWebFolder()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(StallingServer, BrokenUploadLeavesTheOldPageAndNoTemporaryName) {
    makeRaceWebFolder();
    writeFile(raceWebFolder() + "results_E1.htm", "old page");
    writeFile(stageFile("results_E1.htm"), std::string(2016027, 'x'));
    PublishControls values = controls();
    values.selectedFiles = {"results_E1.htm"};
    const PublishOutcome outcome = publisher.uploadToService(values);
    EXPECT_EQ(outcome.failures, 1);
    EXPECT_EQ(log().back().rfind("Upload unsuccessful... results_E1.htm: ", 0), 0u) << log().back();
    EXPECT_TRUE(readFile(raceWebFolder() + "results_E1.htm") == "old page") << "the page was replaced";
    EXPECT_EQ(namesOnServer(), std::vector<std::string>{"results_E1.htm"});

    // A page small enough to arrive whole replaces the old one.
    writeFile(stageFile("results_E1.htm"), "new page");
    EXPECT_EQ(publisher.uploadToService(values).failures, 0);
    EXPECT_EQ(readFile(raceWebFolder() + "results_E1.htm"), "new page");
    EXPECT_EQ(namesOnServer(), std::vector<std::string>{"results_E1.htm"});
}

} // namespace
} // namespace ravik::test
