// Feeds arbitrary bytes as a competitor's punch file to the readers the scoring,
// the XML export and the manual entry use: the file is scored in both PreO modes
// and read back. Never a crash, and the results stay within their bounds.
#include "core/competitor_table.h"
#include "core/race_record.h"
#include "readout/punch_file.h"
#include "scoring/stage_scoring.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// A class whose stations answer codes 31 to 70 (A and Z), with two breaks.
ravik::RaceRecord fuzzStage() {
    ravik::RaceRecord record;
    record.stage_start = "10:00";
    ravik::ClassDefinition& definition = record.classes[0];
    definition.class_name = "A";
    for (int control = 0; control < 20; ++control) {
        definition.control_flags[control] = "A-B";
        definition.control_answer[control] = control % 2 ? "A" : "Z";
        definition.answer_codes[control][0] = 31 + control;
        definition.answer_codes[control][6] = 51 + control;
    }
    definition.time_limit = 90;
    definition.break1_from_code = 101;
    definition.break1_to_code = 102;
    definition.break2_from_code = 103;
    definition.break2_to_code = 104;
    return record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = [] {
        const std::string path = "/tmp/ravik-fuzz-punch-" + std::to_string(::getpid()) + "/";
        std::filesystem::create_directories(path);
        return path;
    }();
    static const ravik::RaceRecord record = fuzzStage();
    const std::string path = ravik::punchFilePath(folder, "1");
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }

    ravik::CompetitorTable table;
    ravik::TableRow row;
    row[ravik::column::kId] = "1";
    row[ravik::column::kClass] = "A";
    row[ravik::column::start(1)] = size % 2 ? "12.5" : "";
    table.appendRow(row);
    for (const bool keepOrder : {false, true}) {
        ravik::ScoringOptions options;
        options.keepOrder = keepOrder;
        options.tempoStyle = size % 3 == 0;
        std::vector<ravik::SkippedFile> skipped;
        const auto results = ravik::scoreCompetitors(table, record, folder, options, &skipped);
        if (results.size() != 1 || !skipped.empty()) __builtin_trap();
        const ravik::StageResult& result = results[0];
        if (result.points < 0 || result.points > ravik::kControls) __builtin_trap();
        if (result.start.size() > 10 || result.finish.size() > 10) __builtin_trap();
        for (const std::string& answer : result.answer)
            if (answer.size() > 3) __builtin_trap();
    }
    const auto punched = ravik::readCompetitorFiles(folder, "1", record.classes[0]);
    const auto lines = ravik::readPunchFile(path);
    if (lines.size() > size + 1) __builtin_trap();
    for (const ravik::PunchLine& line : lines)
        if (line.code.size() > size || line.time.size() > size) __builtin_trap();
    (void)punched;
    return 0;
}
