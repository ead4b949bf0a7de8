// The printout of the command line goes through the same printer path as the
// window's print button and is read back from the PDF.
#include "program_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

// The standard output of the program.
std::string run(const std::vector<std::string>& command) {
    return ravik::test::runProgram(command).output;
}

std::string cli(const std::vector<std::string>& arguments) {
    return ravik::test::runCli(arguments).output;
}

} // namespace

TEST(PrintoutCommand, WritesTheSlipOfAReadCardAsAPdf) {
    if (!RAVIK_CLI_DRAWS) GTEST_SKIP() << "ravik-cli built without Qt";
    ravik::test::TempFolder folder;
    const std::string race = folder.path() + "Sample.ravik";
    ASSERT_EQ(cli({"demo", folder.path()}), race + "\n");
    cli({"readout", race, "--stage", "1", "--log", folder.path() + "SIlog_E1.csv"});

    const std::string pdf = folder.path() + "slip.pdf";
    EXPECT_EQ(cli({"printout", race, "--stage", "1", "--id", "3", "--answers", "--pdf", pdf}), pdf + "\n");
    const std::string text = run({"pdftotext", "-layout", pdf, "-"});
    EXPECT_NE(text.find("Svoboda Eva"), std::string::npos) << text;
    EXPECT_NE(text.find("Elite, 2045103, ID:3"), std::string::npos);
    EXPECT_NE(text.find("Score: "), std::string::npos);
    EXPECT_NE(text.find("Brk1: 5:00"), std::string::npos);
    const std::string info = run({"pdfinfo", pdf});
    EXPECT_NE(info.find("Ravik - Svoboda Eva"), std::string::npos);
    EXPECT_NE(info.find("842 x 595"), std::string::npos); // landscape A4

    EXPECT_EQ(cli({"printout", race, "--stage", "1", "--id", "3", "--portrait", "--pdf", pdf}), pdf + "\n");
    EXPECT_NE(run({"pdfinfo", pdf}).find("595 x 842"), std::string::npos);

    // A receipt roll of 58 mm.
    EXPECT_EQ(cli({"printout", race, "--stage", "1", "--id", "3", "--layout", "58", "--pdf", pdf}),
              pdf + "\n");
    EXPECT_NE(run({"pdfinfo", pdf}).find("164 x "), std::string::npos);
    const ravik::test::ProgramRun badLayout =
        ravik::test::runCli({"printout", race, "--stage", "1", "--id", "3", "--layout", "72", "--pdf", pdf});
    EXPECT_EQ(badLayout.output, "");
    EXPECT_EQ(badLayout.exitCode, 2);

    EXPECT_EQ(cli({"printout", race, "--stage", "1", "--id", "9999", "--pdf", pdf}), "");
}
