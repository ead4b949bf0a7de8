// Feeds arbitrary bytes, read as a file is (UTF-8 or code page 1250), to the
// fixed-column text import, then sorts the table:
// no crash, the table stays within its capacity and no row is lost.
#include "core/log.h"
#include "entries/table_sorts.h"
#include "entries/text_import.h"

#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text =
        ravik::fixedColumnFileText(std::string_view(reinterpret_cast<const char*>(data), size));
    ravik::CompetitorTable table;
    ravik::LogLines log;
    ravik::importFixedColumnText(table, text, 1 + static_cast<int>(size % 5), ravik::Language::Czech, log);
    if (table.competitorRows() > ravik::kMaxCompetitors) __builtin_trap();
    const int rows = table.rowCount();
    ravik::sortText(table, ravik::column::kName);
    ravik::sortNumeric(table, ravik::column::kId);
    if (table.rowCount() != rows) __builtin_trap();
    return 0;
}
