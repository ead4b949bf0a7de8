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
                           "FTP\r\n\r\n58\r\n"));
    EXPECT_EQ(readSettingsFile(folder.path())->ftpTls, false);

    settings.ftpTls = true;
    settings.ftpTlsFingerprint = "AB:CD";
    ASSERT_TRUE(saveSettings(session, settings, prompt));
    EXPECT_TRUE(test::readFile(folder.file("ravik.ini")).ends_with("\r\n17\r\nFTPS\r\nAB:CD\r\n58\r\n"));

    settings.ftpPassword = "p;a ss";
    EXPECT_EQ(readSettingsFile(folder.path()), settings);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST(SettingsFile, TheLayoutIsLineTenAndOlderFilesReadAsPlainFtpOnA4) {
    const std::string tail = "FTPS\r\nAB:CD\r\n";
    const std::string seven = "CZE\r\nlog\r\n_\r\nh\r\nu\r\np\r\n10\r\n";
    EXPECT_EQ(encodeSettings(decodeSettings(seven + tail + "80\r\n")), seven + tail + "80\r\n");
    EXPECT_EQ(decodeSettings(seven + tail + "80\r\n").printLayout, PrintLayout::Receipt80);
    EXPECT_EQ(decodeSettings(seven).printLayout, PrintLayout::A4) << "a file of an earlier version";
    EXPECT_EQ(decodeSettings(seven + tail + "72\r\n").printLayout, PrintLayout::A4);
    EXPECT_EQ(encodeSettings(decodeSettings(seven)), seven + "FTP\r\n\r\nA4\r\n");
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

TEST(SettingsFile, OlderFilesReadAsPlainFtpAndLaterLinesArePassedOver) {
    TempFolder folder;
    const struct {
        const char* tail; // after the seventh line
        bool tls;
        const char* fingerprint;
    } cases[] = {
        {"", false, ""},
        {"FTPS\r\n", true, ""},
        {"ftps\r\nAB\r\n", false, "AB"},
        {"FTPS\r\nAB:CD\r\nlayout\r\nmore\r\n", true, "AB:CD"},
    };
    for (const auto& c : cases) {
        test::writeFile(folder.file("ravik.ini"),
                        std::string("GBR\r\nlog\r\n_\r\nh\r\nu\r\np\r\n10\r\n") + c.tail);
        const auto settings = readSettingsFile(folder.path());
        ASSERT_TRUE(settings) << c.tail;
        EXPECT_EQ(settings->ftpTls, c.tls) << c.tail;
        EXPECT_EQ(settings->ftpTlsFingerprint, c.fingerprint) << c.tail;
        EXPECT_EQ(settings->ftpPassword, "p") << c.tail;
        EXPECT_EQ(settings->printZoom, 10) << c.tail;
    }
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
