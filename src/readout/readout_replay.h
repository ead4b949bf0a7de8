#pragma once
// `ravik-cli readout` runs as a new process each time, so it cannot keep the
// pass's memory. What it keeps instead, beside the race, is what a pass that
// changed nothing logged, with a description of everything that pass depended
// on: the log (file, length, time, first and last bytes), the stage folder's
// entries (its modification time), the ID and SI columns of the table, and the
// options and language. A later run whose inputs are described the same way
// would log the same lines and write nothing: it logs them without reading the
// log. Anything that differs, or stood still too briefly to be trusted, and the
// pass runs as always.
#include "core/competitor_table.h"
#include "core/language.h"
#include "readout/readout_pass.h"

#include <optional>
#include <string>
#include <vector>

namespace ravik {

// The inputs of a pass as one text, or nullopt when the log or the stage folder
// changed too recently (or cannot be examined) for their times to tell a change.
std::optional<std::string> readoutInputs(const ReadoutOptions& options, const CompetitorTable& table,
                                         Language language);

// The lines kept for these inputs, or nullopt when the file holds none for them.
std::optional<std::vector<std::string>> keptReadout(const std::string& replayPath, const std::string& inputs);

// Keeps the lines of a pass that wrote nothing and left no card being read
// (written only when they are not kept already).
void keepReadout(const std::string& replayPath, const std::string& inputs,
                 const std::vector<std::string>& lines);

// Beside the race file: its base name + ".readout".
std::string readoutReplayPath(const std::string& racePath);

} // namespace ravik
