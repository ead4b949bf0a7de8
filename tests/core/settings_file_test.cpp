#include "core/settings_file.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/session.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ravik {
namespace {

using test::TempFolder;

Session sessionIn(const TempFolder& folder) {
    Session session;
    session.startDirectory = folder.path();
    return session;
}

TEST(SettingsFile, WritesTenCrLfLinesInCodePage1250AndReadsThemBack) {
    TempFolder folder;
    Session session = sessionIn(folder);
    test::ScriptedPrompt prompt;
    Settings settings;
    settings.languageCode = "GBR";
    settings.readoutLogPath = "/závody/si.csv";
    settings.ftpHost = "ftp.example.cz";
    settings.ftpUser = "pořadatel";
    settings.ftpPassword = "p;a s\rs";
    settings.printZoom = 17;
    settings.printLayout = PrintLayout::Receipt58;
    ASSERT_TRUE(saveSettings(session, settings, prompt));
    EXPECT_EQ(test::readFile(folder.file("ravik.ini")),
              utf8ToCp1250("GBR\r\n/závody/si.csv\r\n_\r\nftp.example.cz\r\npořadatel\r\np;a ss\r\n17\r\n"
                           "\r\n\r\n58\r\n"));

    settings.ftpPassword = "p;a ss";
    EXPECT_EQ(readSettingsFile(folder.path()), settings);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST(SettingsFile, LinesEightAndNineComeBackByteForByteAndTheLayoutDefaultsToA4) {
    // Lines 8 and 9 belong to the other FTP server; bytes no code page defines stay too.
    const std::string tail = "yes\r\nAB:\x98:CD\r\n";
    const std::string seven = "CZE\r\nlog\r\n_\r\nh\r\nu\r\np\r\n10\r\n";
    EXPECT_EQ(encodeSettings(decodeSettings(seven + tail + "80\r\n")), seven + tail + "80\r\n");
    EXPECT_EQ(decodeSettings(seven + tail + "80\r\n").printLayout, PrintLayout::Receipt80);
    EXPECT_EQ(decodeSettings(seven).printLayout, PrintLayout::A4) << "a file of an earlier version";
    EXPECT_EQ(decodeSettings(seven + tail + "72\r\n").printLayout, PrintLayout::A4);
    EXPECT_EQ(encodeSettings(decodeSettings(seven)), seven + "\r\n\r\nA4\r\n");
}

TEST(SettingsFile, StartsInEnglishWithGbrAndInCzechWithAnyOtherCode) {
    TempFolder folder;
    test::writeFile(folder.file("ravik.ini"), "GBRX\r\nlog.csv\r\n_\r\n");
    Session english = sessionIn(folder);
    const auto settings = loadSettings(english);
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(english.language, Language::English);
    EXPECT_EQ(english.log.lines(), (std::vector<std::string>{"INI file loaded"}));
    EXPECT_EQ(settings->readoutLogPath, "log.csv");
    EXPECT_EQ(settings->ftpHost, "") << "missing lines are empty";
    EXPECT_EQ(settings->printZoom, 0);

    test::writeFile(folder.file("ravik.ini"), "DEU\r\n\r\n_\r\nh\r\nu\r\np\r\n12abc\r\n");
    Session czech = sessionIn(folder);
    czech.language = Language::English;
    const auto other = loadSettings(czech);
    EXPECT_EQ(czech.language, Language::Czech);
    EXPECT_EQ(other->languageCode, "CZE");
    EXPECT_EQ(other->printZoom, 12);
    EXPECT_EQ(czech.log.lines(), (std::vector<std::string>{"Načten soubor INI"}));
}

TEST(SettingsFile, AMissingFileIsNoErrorAndKeepsCzech) {
    TempFolder folder;
    Session session = sessionIn(folder);
    EXPECT_FALSE(loadSettings(session).has_value());
    EXPECT_EQ(session.language, Language::Czech);
    EXPECT_TRUE(session.log.lines().empty());
}

TEST(SettingsFile, AFailedSaveIsReportedOnceInTheCurrentLanguage) {
    TempFolder folder;
    Session session = sessionIn(folder);
    session.startDirectory = folder.file("missing/folder/");
    session.language = Language::English;
    test::ScriptedPrompt prompt;
    EXPECT_FALSE(saveSettings(session, Settings{}, prompt));
    EXPECT_EQ(prompt.shown, (std::vector<std::string>{"Last setting has not been saved..."}));
}

} // namespace
} // namespace ravik
