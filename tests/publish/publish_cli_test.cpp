#include "program_run.h"
#include "publish_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace ravik::test {
namespace {

class PublishCli : public PublishingTest {
protected:
    PublishCli() {
        session.saveCompetitors();
        session.releaseRaceLock(); // the commands run in programs of their own
        writeFile(configFile.file("ravik-service.ini"),
                  "# test service\r\nhost = 127.0.0.1\r\nport=" + std::to_string(server.port()) +
                      "\r\nuser=" + kFtpUser + "\r\npassword=" + kFtpPassword +
                      "\r\npublic_address=https://"
                      "results.example.invalid\r\nadmin_email=admin@example.invalid\r\n");
        if (const char* before = std::getenv("RAVIK_SERVICE_CONFIG")) configBefore = before;
        // ravik-cli takes the test's service configuration from its environment.
        setEnvironment("RAVIK_SERVICE_CONFIG", configFile.file("ravik-service.ini"));
    }
    ~PublishCli() override { setEnvironment("RAVIK_SERVICE_CONFIG", configBefore); }
    // Runs ravik-cli with the race, the command first and these options after the race; the output of
    // both streams.
    int run(const std::string& command, const std::vector<std::string>& options, std::string& output) {
        const ProgramRun ran =
            runCli(followedBy({command, session.race.racePath()}, options), Streams::Together);
        output += ran.output;
        return ran.exitCode;
    }
    TempFolder configFile;
    std::optional<std::string> configBefore;
};

TEST_F(PublishCli, PublishUploadsNamedPagesToTheServiceOrAnotherServer) {
    makeRaceWebFolder();
    writeFile(stageFile("results_E1.htm"), "stage page");
    writeFile(folder.file("overall.htm"), "overall");
    std::string output;
    EXPECT_EQ(run("publish", words("--stage 1 --service-user club results_E1.htm overall.htm"), output), 0)
        << output;
    EXPECT_EQ(output, "results_E1.htm uploaded on server\noverall.htm uploaded on server\n");
    EXPECT_EQ(readFile(raceWebFolder() + "results_E1.htm"), "stage page");
    EXPECT_EQ(readFile(raceWebFolder() + "overall.htm"), "overall");

    std::filesystem::create_directories(remote("other"));
    output.clear();
    EXPECT_EQ(run("publish",
                  {"--stage", "1", "--host", "127.0.0.1", "--port", std::to_string(server.port()), "--user",
                   kFtpUser, "--password", kFtpPassword, "--dir", "/other", "results_E1.htm"},
                  output),
              0)
        << output;
    EXPECT_EQ(readFile(remote("other/results_E1.htm")), "stage page");

    // Work that failed in part: a refused store, a missing remote directory.
    const std::vector<std::string> otherServer = {
        "--stage", "1",      "--host",     "127.0.0.1", "--port", std::to_string(server.port()),
        "--user",  kFtpUser, "--password", kFtpPassword};
    std::filesystem::create_directories(remote("other/overall.htm"));
    output.clear();
    EXPECT_EQ(
        run("publish", followedBy(otherServer, words("--dir /other results_E1.htm overall.htm")), output), 1)
        << output;
    EXPECT_NE(output.find("results_E1.htm uploaded on server\nUpload unsuccessful... overall.htm: 550 "),
              std::string::npos)
        << output;
    output.clear();
    EXPECT_EQ(run("publish", followedBy(otherServer, words("--dir /nonexistent results_E1.htm")), output), 1)
        << output;
    EXPECT_NE(output.find("This remote directory is missing on FTP server. Nothing was uploaded."),
              std::string::npos)
        << output;
    EXPECT_FALSE(std::filesystem::exists(remote("results_E1.htm")));

    output.clear();
    EXPECT_EQ(run("publish", words("--stage 1 --service-user club notes.txt"), output), 1);
    output.clear();
    EXPECT_EQ(run("publish", words("--stage 1 --service-user nobody results_E1.htm"), output), 1);
    EXPECT_NE(output.find("Race web folder does not exists. Create? (no)"), std::string::npos) << output;
    output.clear();
    EXPECT_EQ(run("publish", words("--stage 1 results_E1.htm"), output), 2);
}

TEST_F(PublishCli, PublishGoesOverFtpsWhenAskedTo) {
    if (!FtpsTestServer::available()) GTEST_SKIP() << "pure-ftpd serves its virtual users only as root";
    TempFolder ftpsRoot;
    FtpsTestServer ftps(ftpsRoot.path(), kFtpUser, kFtpPassword);
    writeFile(stageFile("results_E1.htm"), "stage page");
    const std::vector<std::string> publish = {
        "--stage", "1",      "--host",     "127.0.0.1",  "--port", std::to_string(ftps.port()),
        "--user",  kFtpUser, "--password", kFtpPassword, "--ftps"};
    std::string output;
    EXPECT_EQ(
        run("publish", followedBy(publish, {"--fingerprint", ftps.fingerprint(), "results_E1.htm"}), output),
        0)
        << output;
    EXPECT_EQ(readFile(ftpsRoot.file("results_E1.htm")), "stage page");
    output.clear();
    EXPECT_EQ(run("publish", followedBy(publish, {"results_E1.htm"}), output), 1) << output;
    EXPECT_NE(output.find("The server's certificate could not be verified"), std::string::npos) << output;
}

TEST_F(PublishCli, DownloadsAndMergesTimedControls) {
    makeRaceWebFolder();
    writeFile(raceWebFolder() + "17_1.tc2", "ABC;31;\r\n");
    std::string output;
    EXPECT_EQ(run("tc-download", words("--stage 1 --service-user club --new"), output), 0) << output;
    EXPECT_NE(output.find("All TC files (1) were downloaded.\n"), std::string::npos) << output;
    EXPECT_EQ(readFile(stageFile("17.tc2")), "ABC;31;\r\n----;;\r\n---;;\r\n");

    writeFile(stageFile("17.tc2"), "ABC;30;*\r\n");
    output.clear();
    EXPECT_EQ(run("tc-download", words("--stage 1 --service-user club"), output), 0) << output;
    EXPECT_EQ(readFile(stageFile("17.tc2")), "ABC;30;*\r\n");
    output.clear();
    EXPECT_EQ(run("tc-merge", {"--stage", "1"}, output), 0) << output;
    EXPECT_EQ(output, "All TC2 merged.\n");
    EXPECT_EQ(readFile(stageFile("17.tc2")), "ABC;31;\r\n----;;\r\n---;;\r\n");

    output.clear();
    EXPECT_EQ(run("tc-merge", {"--stage", "4"}, output), 1);

    std::filesystem::create_directories(raceWebFolder() + "17_2.tc2"); // RETR refused
    output.clear();
    EXPECT_EQ(run("tc-download", words("--stage 1 --service-user club --all"), output), 1) << output;
    EXPECT_NE(output.find("TC file skipped: 17_2.tc2: 550 "), std::string::npos) << output;
    EXPECT_EQ(readFile(stageFile("17.tc2")), "ABC;31;\r\n----;;\r\n---;;\r\n");

    // A garbled part file: named, and the merged file the results read stays whole.
    std::filesystem::remove(raceWebFolder() + "17_2.tc2");
    writeFile(raceWebFolder() + "17_2.tc2", "\x1f\x8b garbled");
    output.clear();
    EXPECT_EQ(run("tc-download", words("--stage 1 --service-user club --all"), output), 1) << output;
    EXPECT_NE(output.find("Invalid TC record at 17_2.tc2 !\n"), std::string::npos) << output;
    EXPECT_EQ(readFile(stageFile("17.tc2")), "ABC;31;\r\n----;;\r\n---;;\r\n");
}

TEST(ServiceConfigFile, ReadsItsKeysAndFallsBackToNotConfigured) {
    const ServiceConfig config = parseServiceConfig(
        "host=ftp.example.invalid\nport=2121\nuser=u\npassword=p=q\npublic_address=https://x.invalid\n"
        "admin_email=a@x.invalid\ntls=yes\ntls_fingerprint=AB:CD\nnonsense\n");
    EXPECT_TRUE(config.configured());
    EXPECT_EQ(config.account.host, "ftp.example.invalid");
    EXPECT_EQ(config.account.port, 2121);
    EXPECT_EQ(config.account.password, "p=q");
    EXPECT_EQ(config.publicBaseAddress, "https://x.invalid/");
    EXPECT_EQ(config.adminAddress, "a@x.invalid");
    EXPECT_TRUE(config.account.tls);
    EXPECT_EQ(config.account.tlsFingerprint, "AB:CD");
    EXPECT_FALSE(parseServiceConfig("host=h\ntls=no\n").account.tls);
    EXPECT_FALSE(parseServiceConfig("host=h\n").account.tls);
    EXPECT_EQ(parseServiceConfig("port=99999\n").account.port, 21);
    EXPECT_FALSE(loadServiceConfig("/nonexistent/ravik-service.ini").configured());
}

} // namespace
} // namespace ravik::test
