// Feeds arbitrary bytes to the race file reader: whole records only, strings cut
// to their capacity, never a crash; a file cut short inside a stage is never
// written over. A race record is 16 496 bytes, more than the
// fuzzer's inputs usually are, so the input is repeated to fill one or two whole
// records and a trailing part.
#include "core/errors.h"
#include "core/race_file.h"
#include "core/race_record.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/ravik-fuzz-race-" + std::to_string(::getpid()) + ".ravik";
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!bytes.empty()) {
        const std::size_t target = ravik::kRaceRecordSize * (1 + bytes[0] % 2) + bytes.size() % 100;
        while (bytes.size() < target)
            bytes.append(bytes, 0, std::min(bytes.size(), target - bytes.size()));
    }
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    const bool cutShort = ravik::raceFileCutShort(path).has_value();
    const int stages = ravik::stageCount(path);
    for (int stage = 1; stage <= stages && stage <= 8; ++stage) {
        const ravik::RaceRecord record = ravik::readStage(path, stage);
        if (record.stage_date.size() > ravik::capacity::kStageDate) __builtin_trap();
        for (const auto& c : record.classes)
            if (c.class_name.size() > ravik::capacity::kClassName) __builtin_trap();
        if (cutShort) {
            try {
                ravik::writeStage(path, stage, record);
                __builtin_trap();
            } catch (const ravik::IoError&) {
            }
            continue;
        }
        // What is read is written back the same way.
        ravik::writeStage(path, stage, record);
        if (!(ravik::readStage(path, stage) == record)) __builtin_trap();
    }
    std::remove((path + ".cut-short").c_str());
    return 0;
}
