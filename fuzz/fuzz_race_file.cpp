// Feeds arbitrary bytes to the race file reader: whole records only, strings cut
// to their capacity, never a crash.
#include "core/race_file.h"
#include "core/race_record.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/ravik-fuzz-race-" + std::to_string(::getpid()) + ".ravik";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    const int stages = ravik::stageCount(path);
    for (int stage = 1; stage <= stages && stage <= 8; ++stage) {
        const ravik::RaceRecord record = ravik::readStage(path, stage);
        if (record.stage_date.size() > ravik::capacity::kStageDate) __builtin_trap();
        for (const auto& c : record.classes)
            if (c.class_name.size() > ravik::capacity::kClassName) __builtin_trap();
    }
    return 0;
}
