#pragma once
// The IOF XML entry list import: every PersonEntry of the file, read with a real
// XML parser, merged into the competitor table by name.
#include "core/competitor_table.h"
#include "core/language.h"
#include "entries/entry_merge.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ravik {

class Log;
class Prompt;

inline constexpr std::int64_t kMaxEntryListBytes = 10000000;

// One entry as found in the list, in code page 1250; an empty name when the
// person has neither family nor given name.
std::vector<ImportedCompetitor> parseEntryList(std::string_view xml);

// The file could not be parsed as XML.
struct EntryListError {
    std::string description;
    std::ptrdiff_t offset = 0;
};
// What the document is: its root element (without a namespace prefix) and
// whether that root holds team entries.
struct EntryListShape {
    std::string rootElement;
    bool teamEntries = false;
};

// As parseEntryList, but reports a parse error instead of returning entries; fills
// `shape` when it is given.
bool parseEntryList(std::string_view xml, std::vector<ImportedCompetitor>& entries, EntryListError& error,
                    EntryListShape* shape = nullptr);

// What a document without person entries is, for the message that nothing was
// imported (UTF-8): "team entry list (TeamEntry)", "result list (ResultList)", ...
std::string entryListKind(const EntryListShape& shape, Language language);

// The competitor window's progress bar Gauge1: shown from 0 to the number of
// entries, hidden at the end. Every member may be left empty.
struct ImportProgress {
    std::function<void(int total)> start;
    std::function<void(int done)> advance;
    std::function<void()> finish;
};

struct EntryListImport {
    // false: missing, too big, not XML or without person entries; the table is unchanged
    bool read = false;
    int entries = 0, matched = 0, added = 0, withoutName = 0, notAdded = 0;
    std::vector<std::string> addedClasses; // the class cells of the rows added, in order
};

// Reads the file and merges its entries into stage `stage` (1..5). A missing file
// does nothing; a file above kMaxEntryListBytes, one that is not XML and one
// without person entries get a message. The table is not saved here.
EntryListImport importEntryListFile(CompetitorTable& table, const std::string& path, int stage,
                                    Language language, Prompt& prompt, Log& log,
                                    const ImportProgress& progress = {});

} // namespace ravik
