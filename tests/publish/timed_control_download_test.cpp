#include "publish_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ravik::test {
namespace {

class TimedControlDownload : public PublishingTest {
protected:
    void serverPart(const std::string& name, const std::string& line) {
        writeFile(raceWebFolder() + name, line + "\r\n");
    }
    void SetUp() override {
        makeRaceWebFolder();
        serverPart("17_1.tc2", "ABC;31;");
        serverPart("17_3.tc2", "AB;12;");
        serverPart("18_1.tc2", "Z;5;");
        serverPart("19_1.tc2", "A-C;10;");
        serverPart("20.tc2", "SERVER;1;");
        writeFile(raceWebFolder() + "index.php", "<?php ?>");
        writeFile(stageFile("18.tc2"), "Q;1;*\r\n-;;*\r\n");
    }
};

TEST_F(TimedControlDownload, AllRetrievesThePartFilesAndMergesThemWithChecks) {
    publisher.downloadAllTimedControls(controls());
    EXPECT_EQ(log()[0], "Trying to start downloading...");
    EXPECT_EQ(log()[1], "If nothing happend, try to close Ravik (in Task Manager) and restart it.");
    for (const char* name : {"17_1.tc2", "17_3.tc2", "18_1.tc2", "19_1.tc2", "20.tc2"})
        EXPECT_TRUE(logged(std::string("TC - ") + name)) << name;
    EXPECT_TRUE(logged("All TC files (4) were downloaded."));
    EXPECT_EQ(readFile(stageFile("17_3.tc2")), "AB;12;\r\n");
    EXPECT_FALSE(fileExists(stageFile("20.tc2"))) << "a merged file on the server is not taken";

    EXPECT_EQ(readFile(stageFile("17.tc2")), "ABC;31;\r\n----;;\r\nAB;12;\r\n");
    EXPECT_EQ(readFile(stageFile("18.tc2")), "Q;1;*\r\n-;;*\r\n");
    EXPECT_TRUE(logged("ID18 TC already manually adjusted = NOT updated from FTP."));
    EXPECT_FALSE(fileExists(stageFile("19.tc2")));
    EXPECT_TRUE(logged("Invalid TC record at 19_1.tc2 !"));
}

TEST_F(TimedControlDownload, NewRetrievesOnlyCompetitorsWithoutMergedFileThenMerges) {
    writeFile(stageFile("17.tc2"), "OLD;1;\r\n");
    serverPart("21_2.tc2", "AB;9;");
    PublishControls values = controls();
    values.repeat = true;
    const PublishOutcome outcome = publisher.downloadNewTimedControls(values);
    EXPECT_FALSE(logged("TC - 17_1.tc2"));
    EXPECT_FALSE(logged("TC - 18_1.tc2"));
    EXPECT_TRUE(logged("TC - 19_1.tc2"));
    EXPECT_TRUE(logged("TC - 21_2.tc2"));
    EXPECT_TRUE(logged("All TC files (2) were downloaded."));
    EXPECT_FALSE(fileExists(stageFile("17_1.tc2")));
    // The merge after "New" takes part lines as they are but keeps hand corrections.
    EXPECT_EQ(readFile(stageFile("19.tc2")), "A-C;10;\r\n----;;\r\n---;;\r\n");
    EXPECT_EQ(readFile(stageFile("21.tc2")), ";;\r\nAB;9;\r\n;;\r\n");
    EXPECT_EQ(readFile(stageFile("18.tc2")), "Q;1;*\r\n-;;*\r\n");
    EXPECT_EQ(readFile(stageFile("17.tc2")), "OLD;1;\r\n") << "no part file of 17 here";
    EXPECT_EQ(log().back(), "All TC2 merged.");
    EXPECT_TRUE(outcome.repeatRecorded);
    ASSERT_EQ(publisher.actionCount(), 1);
    EXPECT_TRUE(publisher.actions()[0].downloadNewFirst);
    EXPECT_TRUE(publisher.actions()[0].files.empty());
}

TEST_F(TimedControlDownload, AFileTooLargeOrRefusedIsSkippedAndTheOthersAreMerged) {
    writeFile(raceWebFolder() + "19_2.tc2", std::string(16 * 1024 * 1024 + 1, 'A'));
    std::filesystem::create_directories(raceWebFolder() + "19_3.tc2"); // RETR refused
    const PublishOutcome outcome = publisher.downloadAllTimedControls(controls());
    EXPECT_TRUE(logged("TC file skipped: 19_2.tc2: RETR 19_2.tc2: larger than 16 MB"));
    const auto refused = std::find_if(log().begin(), log().end(), [](const std::string& line) {
        return line.rfind("TC file skipped: 19_3.tc2: 550 ", 0) == 0;
    });
    EXPECT_NE(refused, log().end());
    EXPECT_TRUE(logged("All TC files (4) were downloaded."));
    EXPECT_FALSE(fileExists(stageFile("19_2.tc2")));
    EXPECT_EQ(readFile(stageFile("17.tc2")), "ABC;31;\r\n----;;\r\nAB;12;\r\n");
    EXPECT_EQ(outcome.failures, 3) << "two files skipped, one invalid record";
}

TEST_F(TimedControlDownload, MissingRaceWebFolderIsAnError) {
    std::filesystem::remove_all(raceWebFolder());
    EXPECT_THROW(publisher.downloadAllTimedControls(controls()), FtpError);
    EXPECT_FALSE(ftp.isConnected());
}

class HostileListing : public PublishingTest {
protected:
    HostileListing() : PublishingTest({.extraListingName = "../evil.tc2"}) {}
};

TEST_F(HostileListing, NameOutsideTheStageFolderIsRefusedAndLogged) {
    makeRaceWebFolder();
    writeFile(raceWebFolder() + "17_1.tc2", "ABC;31;\r\n");
    writeFile(remote("www/ravik/results/club/evil.tc2"), "EVIL;1;\r\n");
    publisher.downloadAllTimedControls(controls());
    EXPECT_TRUE(logged("Refused file name from the server: ../evil.tc2"));
    EXPECT_FALSE(logged("TC - ../evil.tc2"));
    EXPECT_TRUE(logged("All TC files (1) were downloaded."));
    EXPECT_FALSE(fileExists(folder.file("evil.tc2")));
    EXPECT_FALSE(fileExists(stageFile("evil.tc2")));
    EXPECT_EQ(readFile(stageFile("17.tc2")), "ABC;31;\r\n----;;\r\n---;;\r\n");
}

class OverlongListingName : public PublishingTest {
protected:
    OverlongListingName() : PublishingTest({.extraListingName = "21_" + std::string(5000, '7') + ".tc2"}) {}
};

TEST_F(OverlongListingName, IsSkippedShortenedAndTheLaterFilesOfTheSessionStillCome) {
    makeRaceWebFolder();
    writeFile(raceWebFolder() + "17_1.tc2", "ABC;31;\r\n");
    writeFile(raceWebFolder() + "18_1.tc2", "Z;5;\r\n");
    const PublishOutcome outcome = publisher.downloadAllTimedControls(controls());
    EXPECT_TRUE(logged("TC file skipped: 21_" + std::string(37, '7') +
                       "...: the name is longer than 255 characters"));
    for (const std::string& line : log())
        EXPECT_LT(line.size(), 200u) << line.substr(0, 60);
    EXPECT_TRUE(logged("All TC files (2) were downloaded."));
    EXPECT_EQ(readFile(stageFile("17.tc2")), "ABC;31;\r\n----;;\r\n---;;\r\n");
    EXPECT_EQ(readFile(stageFile("18.tc2")), "Z;5;\r\n-;;\r\n;;\r\n");
    EXPECT_EQ(outcome.failures, 1);
}

} // namespace
} // namespace ravik::test
