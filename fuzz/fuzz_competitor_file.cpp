// Feeds arbitrary bytes to the competitor file loader and saves the table again.
#include "core/competitor_file.h"
#include "core/log.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/ravik-fuzz-" + std::to_string(::getpid()) + ".zavodnici";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    ravik::CompetitorTable table;
    ravik::loadCompetitorTable(path, table);
    if (table.rowCount() < 2) __builtin_trap();
    ravik::LogLines log;
    ravik::saveCompetitorTable(path, table, log);
    return 0;
}
