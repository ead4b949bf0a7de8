// The rules every ravik-cli command shares: the shape of its arguments, the race
// file and the stage it opens.
#include "core/language.h"
#include "core/race_file.h"
#include "core/texts/exports_texts.h"
#include "program_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ravik;
using ravik::test::TempFolder;

namespace {

using Words = std::vector<std::string>;

struct CliRun {
    int status = -1;
    std::string out, err;
};

CliRun runCli(const std::vector<std::string>& arguments) {
    const test::ProgramRun run = test::runCli(arguments);
    return {run.exitCode, run.output, run.errors};
}

// A race file of `stages` empty stages, with a folder for each of the first five.
std::string raceOfStages(const TempFolder& folder, int stages) {
    const std::string racePath = folder.file("cup.ravik");
    RaceRecord stage;
    stage.stage_number = 1;
    createRaceFile(racePath, stage);
    for (int n = 2; n <= stages; ++n) {
        stage.stage_number = n;
        appendStage(racePath, stage);
    }
    for (int n = 1; n <= std::min(stages, 5); ++n)
        std::filesystem::create_directory(folder.file("E" + std::to_string(n)));
    return racePath;
}

} // namespace

TEST(CliArguments, AnUnknownOptionAMissingValueOrAStrayWordShowsTheCommandsUsage) {
    TempFolder folder;
    const std::string race = raceOfStages(folder, 2);
    const std::string readoutUsage =
        "usage: ravik-cli readout RACE.ravik --stage N --log FILE [--date YYYY-MM-DD] "
        "[--lang CZE|GBR]\n";
    for (const Words& arguments :
         std::vector<Words>{{"readout", race, "--stage", "1", "--log", "x", "--bogus"},
                            {"readout", race, "--stage", "1", "--log"},
                            {"readout", race, race, "--stage", "1", "--log", "x"},
                            {"readout", "--stage", "1", "--log", "x"},
                            {"readout", race, "--stage", "", "--log", "x"}}) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 2) << test::commandLine(arguments);
        EXPECT_EQ(run.err, readoutUsage) << test::commandLine(arguments);
        EXPECT_EQ(run.out, "") << test::commandLine(arguments);
    }
    EXPECT_EQ(runCli({"tc-merge", race, "--stage", "1", "extra"}).err,
              "usage: ravik-cli tc-merge RACE.ravik --stage N\n");
    EXPECT_EQ(
        runCli({"publish", race, "--stage", "1"}).err,
        "usage: ravik-cli publish RACE.ravik --stage N [--service-user U] [--host H [--port P] --user U "
        "--password W --dir D] [--ftps [--fingerprint SHA256]] FILE...\n")
        << "publish needs at least one file";
    EXPECT_EQ(runCli({"tc-download", race, "--stage", "1", "--service-user", "u", "--all", "--new"}).err,
              "usage: ravik-cli tc-download RACE.ravik --stage N --service-user U [--all|--new] "
              "[--ftps [--fingerprint SHA256]]\n");
    EXPECT_EQ(runCli({"ids", race, "--stage", "1"}).err, "usage: ravik-cli ids RACE.ravik\n");
    EXPECT_EQ(runCli({"info", race, race}).err, "usage: ravik-cli info RACE.ravik\n");
    EXPECT_EQ(runCli({"define", race}).err, "usage: ravik-cli define RACE.ravik FILE.json\n");
    const std::string competitorsUsage = "usage: ravik-cli competitors RACE.ravik [--sort "
                                         "id|class|name|relay|country|startN] [--set ID COLUMN VALUE] "
                                         "[--disqualify ID --stage N]\n";
    for (const Words& arguments : std::vector<Words>{
             {"--sort", "age"}, {"--set", "1", "Name"}, {"--disqualify", "1"}, {"--stage", "1", "x"}}) {
        Words words{"competitors", race};
        words.insert(words.end(), arguments.begin(), arguments.end());
        EXPECT_EQ(runCli(words).err, competitorsUsage) << test::commandLine(arguments);
    }
    EXPECT_NE(runCli({"--help"}).out.find("  " + competitorsUsage.substr(17)), std::string::npos);
    EXPECT_EQ(runCli({"new", folder.file("a"), folder.file("b")}).err,
              "usage: ravik-cli new RACE [--stages N]\n");
    // The stage count of a new race is checked before the missing name.
    const CliRun stages = runCli({"new", "--stages", "9"});
    EXPECT_EQ(stages.status, 2);
    EXPECT_EQ(stages.err, "ravik-cli: --stages takes a number from 1 to 5\n");
}

TEST(CliArguments, EveryCommandThatOpensARaceNamesAMissingRaceFile) {
    TempFolder folder;
    const std::string missing = folder.file("none.ravik");
    for (const Words& arguments :
         std::vector<Words>{{"readout", missing, "--stage", "1", "--log", "x"},
                            {"export-xml", missing, "--stage", "1", "--kind", "preo"},
                            {"overall", missing, "--stages", "1", "--classes", "A"},
                            {"results", missing, "--stage", "1", "--classes", "A"},
                            {"publish", missing, "--stage", "1", "--service-user", "u", "page.htm"},
                            {"tc-merge", missing, "--stage", "1"},
                            {"ids", missing},
                            {"startlist", missing, "--stage", "1"},
                            {"info", missing},
                            {"competitors", missing},
                            {"define", missing, folder.file("race.json")}}) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 1) << test::commandLine(arguments);
        EXPECT_EQ(run.err, "ravik-cli: no race file " + missing + "\n") << test::commandLine(arguments);
    }
}

TEST(CliArguments, AStageIsAPlainNumberWithinTheRaceAndItsFiveStages) {
    TempFolder folder;
    // A damaged race file of six records: the sixth is still no stage.
    const std::string race = raceOfStages(folder, 6);
    for (const auto& [arguments, stage] : std::vector<std::pair<Words, std::string>>{
             {{"readout", race, "--stage", "6", "--log", "x"}, "6"},
             {{"tc-merge", race, "--stage", "6"}, "6"},
             {{"tc-merge", race, "--stage", "0"}, "0"},
             {{"results", race, "--stage", "02", "--classes", "A"}, "02"},
             {{"results", race, "--stage", "x", "--classes", "A"}, "x"},
             {{"overall", race, "--stages", "1,6", "--classes", "A"}, "6"},
             {{"overall", race, "--stages", "01", "--classes", "A"}, "01"}}) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 1) << test::commandLine(arguments);
        EXPECT_EQ(run.err, "ravik-cli: the race has no stage " + stage + "\n")
            << test::commandLine(arguments);
        EXPECT_EQ(run.out, "") << test::commandLine(arguments);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("overall_results__class_A.htm")));
}

TEST(CliArguments, TheXmlExportTellsAStageBeyondTheRaceInTheLanguageAskedFor) {
    TempFolder folder;
    const std::string race = raceOfStages(folder, 2);
    const CliRun czech = runCli({"export-xml", race, "--stage", "4", "--kind", "preo"});
    EXPECT_EQ(czech.status, 1);
    EXPECT_EQ(czech.err, std::string("ravik-cli: ") + tr(Language::Czech, texts::kXmlNoStage) + "4\n");
    const CliRun english = runCli({"export-xml", race, "--stage", "0", "--kind", "tempo", "--lang", "GBR"});
    EXPECT_EQ(english.err, std::string("ravik-cli: ") + tr(Language::English, texts::kXmlNoStage) + "0\n");
    const CliRun notANumber = runCli({"export-xml", race, "--stage", "02", "--kind", "preo"});
    EXPECT_EQ(notANumber.status, 1);
    EXPECT_EQ(notANumber.err, "ravik-cli: the race has no stage 02\n");
}
