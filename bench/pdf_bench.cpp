// A stage list of 2 000 competitors with 40 detailed controls: writing its HTML
// page beside laying the same page out for paper as a PDF (pages as a counter).
#include "core/file_io.h"
#include "drawing/page_pdf.h"
#include "scoring/result_page.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

constexpr int kCompetitors = 2000;

ravik::RaceRecord stageOfOneClass() {
    ravik::RaceRecord record;
    record.race_name = "Bench Cup";
    record.stage_date = "2026-05-01";
    record.stage_place = "Brno";
    record.classes[0].class_name = "H21";
    for (int k = 0; k < ravik::kControls; ++k) {
        record.classes[0].control_flags[k] = "A-F";
        record.classes[0].control_answer[k] = std::string(1, char('A' + k % 6));
    }
    return record;
}

std::vector<ravik::StageResult> rankedResults() {
    std::vector<ravik::StageResult> results;
    for (int i = 1; i <= kCompetitors; ++i) {
        ravik::StageResult result;
        result.row = result.id = i;
        result.name = "Nov\xE1k Jan " + std::to_string(i);
        result.className = "H21";
        result.nationality = "CZE";
        result.startCell = "0";
        result.eligible = true;
        result.place = i;
        result.points = ravik::kControls - i % 7;
        result.raceTime = 3600 + i;
        for (int k = 0; k < ravik::kControls; ++k) {
            result.answer[k] = std::string(1, char('A' + (k + i) % 6));
            result.wrong[k] = (k + i) % 6 != k % 6;
            result.split[k] = 60 + (k * i) % 300;
        }
        results.push_back(result);
    }
    return results;
}

// Argument 0: the plain list (place, name, country, points, times); 1: with the
// 40 controls and their splits.
ravik::PageOptions pageOptions(const benchmark::State& state) {
    ravik::PageOptions options;
    options.scoreColumns = true;
    options.details = options.splits = state.range(0) == 1;
    return options;
}

std::string folder() {
    const auto path = std::filesystem::temp_directory_path() / "ravik-bench-pdf";
    std::filesystem::create_directories(path);
    return path.string() + "/";
}

void WriteHtmlPage(benchmark::State& state) {
    const auto record = stageOfOneClass();
    const auto results = rankedResults();
    const std::string page = folder() + "results.htm";
    for (auto _ : state)
        ravik::writeFileAtomically(page, ravik::buildResultPage(results, record, {"H21"}, pageOptions(state),
                                                                ravik::Language::English, "")
                                             .html);
}
BENCHMARK(WriteHtmlPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void WritePdfOfThePage(benchmark::State& state) {
    const auto record = stageOfOneClass();
    const std::string page = folder() + "results.htm";
    ravik::writeFileAtomically(page, ravik::buildResultPage(rankedResults(), record, {"H21"},
                                                            pageOptions(state), ravik::Language::English, "")
                                         .html);
    int pages = 0;
    for (auto _ : state)
        pages = ravik::writePagePdf(page, folder() + "results.pdf", ravik::Language::English);
    state.counters["pages"] = pages;
}
BENCHMARK(WritePdfOfThePage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
