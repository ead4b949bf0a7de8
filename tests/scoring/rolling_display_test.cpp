// The rolling display of a result page, run in headless Chromium: the page's own
// script must scroll it when the rolling check box is on, and leave it still when off.
#include "core/file_io.h"
#include "program_run.h"
#include "scoring/result_page.h"
#include "scoring_race.h"

#include <gtest/gtest.h>

#include <regex>

namespace ravik::test {
namespace {

constexpr const char* kChromium = "/usr/bin/chromium";

// A page of 200 rows; a copy gets a probe that writes the scroll position into
// the DOM 2.5 s (virtual time) after loading.
std::string probedPage(ScoringRace& race, bool rolling) {
    race.record.classes[0] = makeClass("A", "AB");
    for (int i = 1; i <= 200; ++i)
        race.addCompetitor(std::to_string(i), "A", "Runner " + std::to_string(i));
    PageOptions options;
    options.raceName = "Spring Cup";
    options.rolling = rolling;
    options.rollPeriod = "1";
    const auto results = race.score({"A"});
    const std::string html =
        buildResultPage(results, race.record, {"A"}, options, Language::English, race.folder.path()).html;
    const std::string copy = race.folder.file("probed.htm");
    writeFile(
        copy,
        html + "<script>setTimeout(function(){var d=document.createElement('div');d.id='probe';"
               "d.textContent='scrollY='+window.scrollY;document.body.appendChild(d);},2500);</script>\r\n");
    return copy;
}

// The scroll position the probe reported; -1 when Chromium gave no answer.
int scrollPositionAfterLoading(const std::string& page, const std::string& profile) {
    const std::string dom =
        runProgram({"timeout", "120", kChromium, "--headless", "--no-sandbox", "--disable-gpu",
                    "--disable-quic", "--no-first-run", "--disable-background-networking",
                    "--disable-component-update", "--disable-sync", "--user-data-dir=" + profile,
                    "--window-size=800,600", "--virtual-time-budget=3000", "--dump-dom", "file://" + page})
            .output;
    std::smatch match;
    if (!std::regex_search(dom, match, std::regex("id=\"probe\">scrollY=([0-9]+)"))) return -1;
    return std::stoi(match[1]);
}

TEST(RollingDisplay, APageWithRollingOnScrollsItselfAndOneWithRollingOffStaysAtTheTop) {
    if (!fileExists(kChromium)) GTEST_SKIP() << "no " << kChromium;
    {
        ScoringRace race;
        const std::string page = probedPage(race, true);
        EXPECT_GT(scrollPositionAfterLoading(page, race.folder.file("profile")), 50);
    }
    {
        ScoringRace race;
        const std::string page = probedPage(race, false);
        EXPECT_EQ(scrollPositionAfterLoading(page, race.folder.file("profile")), 0);
    }
}

} // namespace
} // namespace ravik::test
