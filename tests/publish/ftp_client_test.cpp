#include "ftp_test_server.h"
#include "publish/curl_ftp_client.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace ravik::test {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class CurlFtpClientTest : public ::testing::Test {
protected:
    FtpAccount account() const { return {"127.0.0.1", server.port(), "user1", "pass1"}; }
    TempFolder root;
    TempFolder local;
    FtpTestServer server{root.path(), "user1", "pass1"};
    CurlFtpClient ftp;
};

TEST_F(CurlFtpClientTest, StoresListsRetrievesAndKnowsWhereItIs) {
    std::filesystem::create_directories(root.file("www/a"));
    ftp.connect(account());
    EXPECT_EQ(ftp.currentDirectory(), "/");
    ftp.changeDirectory("www/");
    ftp.makeDirectory("new dir");
    ftp.changeDirectory("new dir");
    EXPECT_EQ(ftp.currentDirectory(), "/www/new dir");
    writeFile(local.file("page.htm"), "<html>\r\nž\r\n");
    ftp.store(local.file("page.htm"), "results_E1.htm");
    ftp.store(local.file("page.htm"), "17_1.TC2");
    EXPECT_EQ(readFile(root.file("www/new dir/results_E1.htm")), "<html>\r\nž\r\n");

    const auto lines = ftp.listDetails("*.tc2");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(nameOfListingLine(lines[0]), "17_1.TC2");

    writeFile(local.file("old.htm"), "old and longer content");
    ftp.retrieve("results_E1.htm", local.file("old.htm"));
    EXPECT_EQ(readFile(local.file("old.htm")), "<html>\r\nž\r\n");

    ftp.changeDirectory("/www/a");
    EXPECT_EQ(ftp.currentDirectory(), "/www/a");
    ftp.disconnect();
    EXPECT_FALSE(ftp.isConnected());
}

TEST_F(CurlFtpClientTest, FailuresAreErrorsAndLeaveTheClientUsable) {
    FtpAccount wrong = account();
    wrong.password = "nope";
    EXPECT_THROW(ftp.connect(wrong), FtpError);
    EXPECT_FALSE(ftp.isConnected());

    ftp.connect(account());
    EXPECT_THROW(ftp.changeDirectory("/missing/folder"), FtpError);
    EXPECT_EQ(ftp.currentDirectory(), "/");
    EXPECT_THROW(ftp.store(local.file("absent.htm"), "absent.htm"), FtpError);
    EXPECT_THROW(ftp.retrieve("absent.tc2", local.file("absent.tc2")), FtpError);
    EXPECT_FALSE(std::filesystem::exists(local.file("absent.tc2")));
    EXPECT_THROW(ftp.store(local.file("x"), "../x"), FtpError);
    EXPECT_THROW(ftp.changeDirectory("a\r\nDELE x"), FtpError);
    writeFile(local.file("ok.htm"), "ok");
    ftp.store(local.file("ok.htm"), "ok.htm");
    EXPECT_EQ(readFile(root.file("ok.htm")), "ok");

    const int closedPort = freePort();
    EXPECT_THROW(ftp.connect({"127.0.0.1", closedPort, "user1", "pass1"}), FtpError);
}

TEST(CurlFtpClientTimeOut, SilentServerFailsWithinTheTimeOutAndCancelEndsTheWaitEarlier) {
    SilentServer silent;
    CurlFtpClient ftp;
    auto start = Clock::now();
    EXPECT_THROW(ftp.connect({"127.0.0.1", silent.port(), "u", "p"}), FtpError);
    EXPECT_LT(secondsSince(start), 7.0);
    EXPECT_GE(secondsSince(start), 4.0);

    start = Clock::now();
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ftp.cancel();
    });
    EXPECT_THROW(ftp.connect({"127.0.0.1", silent.port(), "u", "p"}), FtpError);
    canceller.join();
    EXPECT_LT(secondsSince(start), 3.0);
}

TEST(FtpNames, MasksListingLinesAndPlainNames) {
    EXPECT_TRUE(matchesMask("17_3.tc2", "*.tc2"));
    EXPECT_TRUE(matchesMask("17_3.TC2", "*.tc2"));
    EXPECT_FALSE(matchesMask("17_3.tc2x", "*.tc2"));
    EXPECT_TRUE(matchesMask("a.htm", "*.HTM"));
    EXPECT_FALSE(matchesMask("a.html", "*.HTM"));
    EXPECT_TRUE(matchesMask("ab", "a?"));
    EXPECT_EQ(nameOfListingLine("-rw-r--r-- 1 owner group 9 Jan 01 00:00 17_3.tc2"), "17_3.tc2");
    EXPECT_TRUE(isPlainRemoteFileName("17_3.tc2"));
    for (const char* hostile : {"../evil.tc2", "..", "a/b.tc2", "a\\b.tc2", "C:evil.tc2", "", "x\r.tc2"})
        EXPECT_FALSE(isPlainRemoteFileName(hostile)) << hostile;
}

} // namespace
} // namespace ravik::test
