// Publishing over FTPS (explicit TLS) against a real pure-ftpd on 127.0.0.1 with a
// self-signed certificate made for the test.
#include "publish_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <chrono>

namespace ravik::test {
namespace {

using Clock = std::chrono::steady_clock;

class Ftps : public ::testing::Test, public PublishRace {
protected:
    void SetUp() override {
        if (!FtpsTestServer::available()) GTEST_SKIP() << "pure-ftpd serves its virtual users only as root";
        server = std::make_unique<FtpsTestServer>(serverRoot.path(), kFtpUser, kFtpPassword);
        publisher.loadStageRecord();
    }
    OtherFtpServer otherServer(bool tls, const std::string& fingerprint, int port = 0) const {
        return {.host = "127.0.0.1:" + std::to_string(port ? port : server->port()),
                .user = kFtpUser,
                .password = kFtpPassword,
                .tls = tls,
                .tlsFingerprint = fingerprint};
    }
    PublishControls upload(const OtherFtpServer& target) {
        PublishControls values;
        values.fileList = publisher.htmFileList();
        values.selectedFiles = {"results_E1.htm"};
        values.otherServer = target;
        return values;
    }

    TempFolder serverRoot;
    std::unique_ptr<FtpsTestServer> server;
    CurlFtpClient ftp;
    Publisher publisher{session, prompt, ftp, ServiceConfig{}};
};

TEST_F(Ftps, UploadsByteExactWithTheEnteredFingerprint) {
    std::string page = "<html>\r\n";
    for (int c = 0; c < 256; ++c)
        page += static_cast<char>(c);
    writeFile(stageFile("results_E1.htm"), page);
    // As users paste it: openssl's whole line, in small letters.
    std::string fingerprint = "sha256 Fingerprint=" + server->fingerprint();
    for (char& c : fingerprint)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const PublishOutcome outcome = publisher.uploadToOtherServer(upload(otherServer(true, fingerprint)));
    EXPECT_EQ(outcome.failures, 0);
    EXPECT_EQ(readFile(serverRoot.file("results_E1.htm")), page);
    EXPECT_EQ(log().back(), "results_E1.htm uploaded on server");

    // pure-ftpd renames the new page over the old one.
    writeFile(stageFile("results_E1.htm"), "newer");
    EXPECT_EQ(publisher.uploadToOtherServer(upload(otherServer(true, fingerprint))).failures, 0);
    EXPECT_EQ(readFile(serverRoot.file("results_E1.htm")), "newer");
    EXPECT_FALSE(std::filesystem::exists(serverRoot.file("results_E1.htm.part")));
}

TEST_F(Ftps, DownloadsAndMergesTimedControlsOfTheRaceWebService) {
    const std::string webFolder =
        serverRoot.file(std::string("www/ravik/results/club/") + kStageFolderName + "/");
    std::filesystem::create_directories(webFolder);
    writeFile(webFolder + "17_1.tc2", "ABC;31;\r\n");
    writeFile(webFolder + "17_3.tc2", "AB;12;\r\n");
    server->handOverRoot();
    ServiceConfig service;
    service.account = {.host = "127.0.0.1",
                       .port = server->port(),
                       .user = kFtpUser,
                       .password = kFtpPassword,
                       .tls = true,
                       .tlsFingerprint = server->fingerprint()};
    publisher.setService(service);
    PublishControls values;
    values.serviceUser = kServiceUser;
    const PublishOutcome outcome = publisher.downloadAllTimedControls(values);
    EXPECT_EQ(outcome.failures, 0);
    EXPECT_TRUE(logged("All TC files (2) were downloaded."));
    EXPECT_EQ(readFile(stageFile("17.tc2")), "ABC;31;\r\n----;;\r\nAB;12;\r\n");
}

TEST_F(Ftps, UntrustedOrOtherCertificatesAndPlainServersAreRefusedWithinTheTimeOut) {
    writeFile(stageFile("results_E1.htm"), "page");
    FtpTestServer plain(serverRoot.path(), kFtpUser, kFtpPassword);
    const std::string wrong(64, 'A');
    const struct {
        OtherFtpServer target;
        std::string messageStart;
        bool namesTheServersFingerprint;
    } cases[] = {
        {otherServer(true, ""),
         "The server's certificate could not be verified; the password was not sent. (", true},
        {otherServer(true, wrong),
         "The server's certificate does not match the SHA-256 fingerprint entered; the password was not "
         "sent. (",
         true},
        {otherServer(true, "AB:CD"),
         "The SHA-256 fingerprint must have 64 hexadecimal digits (colons may stand between them).", false},
        {otherServer(true, "", plain.port()),
         "The server does not offer FTPS (explicit TLS); the password was not sent. (", false},
    };
    for (const auto& c : cases) {
        const auto start = Clock::now();
        try {
            publisher.uploadToOtherServer(upload(c.target));
            ADD_FAILURE() << "uploaded to " << c.target.host << " with " << c.target.tlsFingerprint;
        } catch (const FtpError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind(c.messageStart, 0), 0u) << message;
            EXPECT_EQ(message.find(server->fingerprint()) != std::string::npos, c.namesTheServersFingerprint)
                << message;
        }
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(5)) << c.messageStart;
        EXPECT_FALSE(ftp.isConnected());
    }
    EXPECT_FALSE(std::filesystem::exists(serverRoot.file("results_E1.htm")));
}

} // namespace
} // namespace ravik::test
