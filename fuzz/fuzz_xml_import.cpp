// Feeds arbitrary bytes to the IOF XML entry list reader and merges what it finds.
#include "entries/entry_merge.h"
#include "entries/xml_entry_import.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    ravik::CompetitorTable table;
    for (const auto& entry : ravik::parseEntryList(xml)) {
        if (entry.name.empty()) continue;
        ravik::mergeImportedCompetitor(table, entry, 1);
    }
    if (table.competitorRows() > ravik::kMaxCompetitors) __builtin_trap();
    return 0;
}
