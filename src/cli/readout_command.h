#pragma once
#include "core/session.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ravik {
struct ReadoutOptions;
} // namespace ravik

namespace ravik::cli {

class Arguments;

// The race of a read-out pass (--stage, the language code CZE or GBR), held for
// changing its files; nullopt after the error line.
std::optional<Session> openRaceOfPass(const Arguments& parsed, const std::string& languageCode,
                                      std::ostream& err);

// The pass's options from --log and --date, in the stage folder of the session's stage.
ReadoutOptions readoutOptionsOf(const Arguments& parsed, const Session& session);

// readout RACE.ravik --stage N --log FILE [--date YYYY-MM-DD] [--lang CZE|GBR]:
// one read-out pass with the competitor file as the table; prints the log lines
// and writes the new punch files into the stage folder.
int readoutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
