#include "publish_fixture.h"

#include <gtest/gtest.h>

namespace ravik::test {
namespace {

using ConnectionTest = PublishingTest;

TEST_F(ConnectionTest, FindsTheRaceWebFolderAndShowsItsCommandsAndAddress) {
    makeRaceWebFolder();
    std::vector<bool> status;
    publisher.onConnectionStatus = [&](bool connected) { status.push_back(connected); };
    const ServiceControls controls = publisher.connectionTest(kServiceUser);
    EXPECT_TRUE(controls.serviceGroup);
    EXPECT_FALSE(controls.createFolder);
    EXPECT_TRUE(controls.update && controls.downloadAll && controls.upload && controls.downloadNew &&
                controls.merge);
    EXPECT_EQ(controls.address, "https://results.example.invalid/ravik/results/club/2023-05-13E1");
    EXPECT_EQ(log(), (std::vector<std::string>{"FTP Connect test - OK",
                                               "Current directory >> /www/ravik/results/club/2023-05-13E1",
                                               "Test succesful, disconected."}));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(status.front(), true);
    EXPECT_EQ(status.back(), false);
}

TEST_F(ConnectionTest, MissingStageFolderOffersToCreateIt) {
    makeUserFolder();
    session.language = Language::Czech;
    const ServiceControls controls = publisher.connectionTest(kServiceUser);
    EXPECT_TRUE(controls.createFolder);
    EXPECT_FALSE(controls.update || controls.downloadAll || controls.upload || controls.downloadNew ||
                 controls.merge);
    EXPECT_FALSE(controls.address);
    EXPECT_EQ(prompt.shown, (std::vector<std::string>{"Neni 2023-05-13E1"}));
    EXPECT_EQ(log(),
              (std::vector<std::string>{"FTP Connect test - OK", "Aktuálně jsi v >> /www/ravik/results/club",
                                        "Test succesful, disconected."}));
}

TEST_F(ConnectionTest, MissingUserFolderTellsWhomToWrite) {
    const ServiceControls controls = publisher.connectionTest("nobody");
    EXPECT_EQ(prompt.shown,
              (std::vector<std::string>{
                  "This user (nobody) has no access to server. Send mail to admin@example.invalid "
                  "to get it.",
                  "Missing 2023-05-13E1"}));
    EXPECT_TRUE(controls.createFolder);
    EXPECT_FALSE(controls.upload);
}

TEST_F(ConnectionTest, WrongPasswordAndServerDownHideTheServiceGroup) {
    makeRaceWebFolder();
    ServiceConfig wrong = serviceConfig(server.port());
    wrong.account.password = "wrong";
    publisher.setService(wrong);
    ServiceControls controls = publisher.connectionTest(kServiceUser);
    EXPECT_FALSE(controls.serviceGroup);
    ASSERT_EQ(log().size(), 3u);
    EXPECT_EQ(log()[0], "FTP connection error!");
    EXPECT_EQ(log()[2], "Test succesful, disconected.");

    publisher.setService(serviceConfig(freePort()));
    session.language = Language::Czech;
    controls = publisher.connectionTest(kServiceUser);
    EXPECT_FALSE(controls.serviceGroup);
    EXPECT_EQ(log()[3], "Chyba připojení FTP!");

    publisher.setService(ServiceConfig{});
    const size_t before = log().size();
    controls = publisher.connectionTest(kServiceUser);
    EXPECT_FALSE(controls.serviceGroup);
    EXPECT_EQ(std::vector<std::string>(log().begin() + before, log().end()),
              std::vector<std::string>{
                  "Webová služba závodů není nastavena (soubor ravik-service.ini vedle programu)."});
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ConnectionTest, SilentServerFailsWithinTheTimeOutAndTheNextCommandWorks) {
    makeRaceWebFolder();
    SilentServer silent;
    publisher.setService(serviceConfig(silent.port()));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(publisher.connectionTest(kServiceUser).serviceGroup);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(7));
    EXPECT_EQ(log()[0], "FTP connection error!");

    publisher.setService(serviceConfig(server.port()));
    EXPECT_TRUE(publisher.connectionTest(kServiceUser).upload);
}

} // namespace
} // namespace ravik::test
