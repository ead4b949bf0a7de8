#include "publish_fixture.h"

#include <gtest/gtest.h>

namespace ravik::test {
namespace {

using Repetition = PublishingTest;

TEST(RepeatInterval, IsWholeMinutesOfAtLeastOne) {
    EXPECT_EQ(repeatIntervalMs("10"), 600000);
    EXPECT_EQ(repeatIntervalMs("0"), 60000);
    EXPECT_EQ(repeatIntervalMs(""), 60000);
    EXPECT_EQ(repeatIntervalMs("99999999999"), 24 * 60 * 60000);
    EXPECT_EQ(selectionWith({"a", "b", "c", "d"}, {"c"}, {"a", "x"}), (std::vector<std::string>{"a", "c"}));
}

TEST_F(Repetition, TickReplaysBothActionsTheFlaggedOneDownloadingFirst) {
    makeRaceWebFolder();
    writeFile(stageFile("results_E1.htm"), "version 1");
    writeFile(stageFile("startlist_E1.htm"), "start");
    PublishControls values = controls();
    values.selectedFiles = {"results_E1.htm"};
    values.repeat = true;
    values.repeatMinutes = "5";
    PublishOutcome outcome = publisher.uploadToService(values);
    EXPECT_TRUE(outcome.repeatRecorded);
    EXPECT_EQ(outcome.timerIntervalMs, 300000);
    values.selectedFiles.clear();
    outcome = publisher.downloadNewTimedControls(values);
    EXPECT_TRUE(outcome.repeatRecorded);
    ASSERT_EQ(publisher.actionCount(), 2);

    writeFile(stageFile("results_E1.htm"), "version 2");
    writeFile(raceWebFolder() + "17_1.tc2", "ABC;31;\r\n");
    const std::size_t before = log().size();
    values.repeat = false;
    values.selectedFiles = {"startlist_E1.htm"};
    outcome = publisher.timerTick(values);
    const std::vector<std::string> tick(log().begin() + static_cast<long>(before), log().end());
    ASSERT_GE(tick.size(), 6u);
    EXPECT_EQ(tick[0], "Automatic FTP");
    EXPECT_EQ(tick[1], "Actions: 2");
    EXPECT_EQ(tick[2], "results_E1.htm uploaded on server");
    EXPECT_EQ(tick[3], "startlist_E1.htm uploaded on server");
    EXPECT_EQ(tick[4], "Trying to start downloading...");
    EXPECT_EQ(tick.back(), "startlist_E1.htm uploaded on server");
    EXPECT_EQ(readFile(raceWebFolder() + "results_E1.htm"), "version 2");
    EXPECT_EQ(readFile(stageFile("17.tc2")), "ABC;31;\r\n----;;\r\n---;;\r\n");
    EXPECT_EQ(outcome.selection, (std::vector<std::string>{"results_E1.htm", "startlist_E1.htm"}));
    EXPECT_EQ(publisher.actionCount(), 2) << "replaying records nothing new";

    const std::size_t beforeInfo = log().size();
    outcome = publisher.showActions(values);
    const std::vector<std::string> info(log().begin() + static_cast<long>(beforeInfo), log().end());
    const std::string dashes(50, '-');
    EXPECT_EQ(info, (std::vector<std::string>{
                        dashes, "AUTOMATIC FTP Upload/Download - Settings", dashes,
                        "Upload dir: ", "Download dir: ", "Files to upload:", "results_E1.htm", dashes,
                        dashes, "AUTOMATIC FTP Upload/Download - Settings", dashes,
                        "Upload dir: ", "Download dir: ", "Files to upload:", dashes}));
    EXPECT_EQ(outcome.selection, std::vector<std::string>{});

    publisher.stopRepeating();
    EXPECT_EQ(log().back(), "Repeating stopped!");
    EXPECT_EQ(publisher.actionCount(), 0);
    const std::size_t afterStop = log().size();
    EXPECT_FALSE(publisher.timerTick(values).selection);
    EXPECT_EQ(log().size(), afterStop);
}

TEST_F(Repetition, FailingActionIsLoggedAndTheOthersStillRun) {
    makeRaceWebFolder();
    writeFile(stageFile("results_E1.htm"), "page");
    PublishControls values = controls();
    values.selectedFiles = {"results_E1.htm"};
    values.repeat = true;
    const std::string otherHost = "127.0.0.1:" + std::to_string(server.port());
    values.otherServer = {.host = otherHost, .user = kFtpUser, .password = kFtpPassword};
    publisher.uploadToOtherServer(values);
    publisher.uploadToService(values);
    // The other server is down at the next tick.
    values.otherServer.host = "127.0.0.1:" + std::to_string(freePort());
    values.repeat = false;
    publisher.timerTick(values);
    EXPECT_EQ(log()[log().size() - 2].rfind("Automatic FTP failed: ", 0), 0u);
    EXPECT_EQ(log().back(), "results_E1.htm uploaded on server");
}

TEST_F(Repetition, FiftyActionsAtMost) {
    makeRaceWebFolder();
    PublishControls values = controls();
    values.repeat = true;
    for (int n = 0; n < kMaxRepeatActions; ++n)
        publisher.uploadToService(values);
    EXPECT_EQ(publisher.actionCount(), 50);
    const PublishOutcome outcome = publisher.uploadToService(values);
    EXPECT_FALSE(outcome.repeatRecorded);
    EXPECT_TRUE(outcome.repeatRequested);
    EXPECT_EQ(publisher.actionCount(), 50);
    EXPECT_EQ(log().back(), "More than 50 repeated actions cannot be recorded.");
}

} // namespace
} // namespace ravik::test
