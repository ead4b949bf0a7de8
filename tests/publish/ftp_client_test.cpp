#include "ftp_test_server.h"
#include "publish/curl_ftp_client.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

namespace ravik::test {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class CurlFtpClientTest : public ::testing::Test {
protected:
    FtpAccount account() const {
        return {.host = "127.0.0.1", .port = server.port(), .user = "user1", .password = "pass1"};
    }
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
    writeFile(local.file("newer.htm"), "newer");
    ftp.store(local.file("newer.htm"), "17_1.TC2");
    EXPECT_EQ(readFile(root.file("www/new dir/17_1.TC2")), "newer");

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
    // Over-long names are refused before they are sent: the replies stay in step.
    EXPECT_THROW(ftp.retrieve(std::string(5000, 'x') + ".tc2", local.file("long.tc2")), FtpError);
    EXPECT_THROW(ftp.changeDirectory(std::string(5000, 'd')), FtpError);
    writeFile(local.file("ok.htm"), "ok");
    ftp.store(local.file("ok.htm"), "ok.htm");
    EXPECT_EQ(readFile(root.file("ok.htm")), "ok");

    const int closedPort = freePort();
    EXPECT_THROW(ftp.connect({.host = "127.0.0.1", .port = closedPort, .user = "user1", .password = "pass1"}),
                 FtpError);
}

TEST(CurlFtpClientTimeOut, SilentServerFailsWithinTheTimeOutAndCancelEndsTheWaitEarlier) {
    SilentServer silent;
    CurlFtpClient ftp;
    auto start = Clock::now();
    EXPECT_THROW(ftp.connect({.host = "127.0.0.1", .port = silent.port(), .user = "u", .password = "p"}),
                 FtpError);
    EXPECT_LT(secondsSince(start), 7.0);
    EXPECT_GE(secondsSince(start), 4.0);

    start = Clock::now();
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ftp.cancel();
    });
    try {
        ftp.connect({.host = "127.0.0.1", .port = silent.port(), .user = "u", .password = "p"});
        ADD_FAILURE() << "connected to a silent server";
    } catch (const FtpError& error) {
        EXPECT_EQ(error.failure(), FtpFailure::Cancelled) << error.what();
    }
    canceller.join();
    EXPECT_LT(secondsSince(start), 3.0);
    // A cancel holds for what the command would do next, until it is cleared.
    EXPECT_THROW(ftp.connect({.host = "127.0.0.1", .port = freePort(), .user = "u", .password = "p"}),
                 FtpError);
    ftp.clearCancel();
}

// Data connections that trickle: below 1 kB/s a transfer fails after 5 s; a server
// that keeps just above that still ends at the bound of the transfer.
TEST(CurlFtpClientLimits, TricklingTransfersFailWithinSeconds) {
    TempFolder root;
    TempFolder local;
    writeFile(root.file("17_1.tc2"), std::string(300000, 'A'));
    writeFile(local.file("big.htm"), std::string(16 << 20, 'x'));
    auto failsWithin = [](const std::function<void()>& transfer, const char* reason) {
        const auto start = Clock::now();
        try {
            transfer();
            ADD_FAILURE() << "a trickling transfer ended well";
        } catch (const FtpError& error) {
            EXPECT_NE(std::string(error.what()).find(reason), std::string::npos) << error.what();
        }
        EXPECT_LT(secondsSince(start), 15.0) << reason;
    };
    {
        FtpTestServer trickling(root.path(), "user1", "pass1", {.bytesPerSecond = 200});
        CurlFtpClient ftp;
        ftp.connect({.host = "127.0.0.1", .port = trickling.port(), .user = "user1", .password = "pass1"});
        failsWithin([&] { ftp.retrieve("17_1.tc2", local.file("17_1.tc2")); }, "too slow");
        failsWithin([&] { ftp.store(local.file("big.htm"), "big.htm"); }, "too slow");
    }
    FtpTestServer steady(root.path(), "user1", "pass1", {.bytesPerSecond = 4000});
    CurlFtpClient bounded({.transferBoundMs = 2000});
    bounded.connect({.host = "127.0.0.1", .port = steady.port(), .user = "user1", .password = "pass1"});
    failsWithin([&] { bounded.retrieve("17_1.tc2", local.file("17_1.tc2")); }, "timed out");
    EXPECT_FALSE(std::filesystem::exists(local.file("17_1.tc2")));
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

TEST(FtpNames, FingerprintsAreTakenAsUsersCopyThem) {
    const std::string digits(64, 'A');
    std::string colons;
    for (int i = 0; i < 32; ++i)
        colons += (i ? ":" : "") + std::string("aa");
    const struct {
        std::string text;
        std::optional<std::string> parsed;
    } cases[] = {
        {digits, digits},
        {colons, digits},
        {"sha256 Fingerprint=" + colons + "\n", digits},
        {"SHA256 Fingerprint=" + colons.substr(0, 30) + " " + colons.substr(30), digits},
        {digits.substr(1), std::nullopt},
        {digits + "A", std::nullopt},
        {digits.substr(1) + "G", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseTlsFingerprint(c.text), c.parsed) << c.text;
    const unsigned char bytes[] = {0x0f, 0xa0, 0xff};
    EXPECT_EQ(formatTlsFingerprint(bytes, 3), "0F:A0:FF");
}

} // namespace
} // namespace ravik::test
