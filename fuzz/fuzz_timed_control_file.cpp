// Feeds arbitrary bytes as timed-control files to their readers: a competitor's
// merged file as the TempO scoring reads it, and a part file from the race web
// service as the merge reads and checks it. Never a crash; no more than 20
// stations, times never negative, the merged file one line per station.
#include "core/competitor_table.h"
#include "core/log.h"
#include "core/race_record.h"
#include "publish/timed_control_merge.h"
#include "readout/timed_control_file.h"
#include "scoring/stage_scoring.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// A class of 20 stations of up to 9 tasks, the last switched off, 60 s a wrong task.
ravik::RaceRecord fuzzStage() {
    ravik::RaceRecord record;
    ravik::ClassDefinition& definition = record.classes[0];
    definition.class_name = "A";
    definition.cluster_penalty = 60;
    for (int station = 0; station < ravik::kClusters; ++station)
        for (int task = 0; task < 1 + station % 9; ++task)
            definition.cluster_answers[station][task] = std::string(1, static_cast<char>('A' + task % 6));
    definition.cluster_answers[ravik::kClusters - 1][ravik::kClusterSlots - 1] = "X";
    return record;
}

void writeBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = [] {
        const std::string path = "/tmp/ravik-fuzz-tc-" + std::to_string(::getpid()) + "/";
        std::filesystem::create_directories(path);
        return path;
    }();
    static const ravik::RaceRecord record = fuzzStage();
    ravik::CompetitorTable table;
    ravik::TableRow row;
    row[ravik::column::kId] = "1";
    row[ravik::column::kClass] = "A";
    row[ravik::column::start(1)] = "0";
    table.appendRow(row);

    // The merged file, as the scoring and the manual entry read it.
    const std::string merged = ravik::timedControlFilePath(folder, "1");
    std::filesystem::remove(folder + "1_1.tc2");
    writeBytes(merged, data, size);
    const auto stations = ravik::readTimedControlFile(merged);
    if (stations.size() > ravik::kMaxTimedControlLines) __builtin_trap();
    for (const auto& station : stations)
        if (station.seconds && *station.seconds < 0) __builtin_trap();
    ravik::ScoringOptions options;
    options.tempoStyle = size % 2 == 0;
    const auto results = ravik::scoreCompetitors(table, record, folder, options);
    if (results.size() != 1 || results[0].tcSum < 0 || results[0].total < 0) __builtin_trap();

    // The same bytes as the part file of station 1 from the race web service.
    writeBytes(folder + "1_1.tc2", data, size);
    ravik::LogLines log;
    for (const auto mode : {ravik::MergeMode::Plain, ravik::MergeMode::CheckedKeepCorrected}) {
        std::filesystem::remove(merged);
        ravik::mergeTimedControlFiles(folder, record, table, mode, ravik::Language::English, log);
        if (!std::filesystem::exists(merged)) continue;
        std::string bytes(static_cast<std::size_t>(std::filesystem::file_size(merged)), '\0');
        if (std::FILE* f = std::fopen(merged.c_str(), "rb")) {
            if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) __builtin_trap();
            std::fclose(f);
        }
        if (std::count(bytes.begin(), bytes.end(), '\n') != ravik::stationCount(record)) __builtin_trap();
    }
    return 0;
}
