#include "cli/assign_command.h"

#include "cli/arguments.h"
#include "cli/open_race.h"
#include "cli/readout_command.h"
#include "core/cp1250.h"
#include "readout/card_assignment.h"
#include "readout/readout_pass.h"

namespace ravik::cli {
namespace {

constexpr const char* kUsage = "usage: ravik-cli assign RACE.ravik --card N --id ID --stage N --log FILE "
                               "[--date YYYY-MM-DD] [--lang CZE|GBR]\n";

} // namespace

int assignCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed =
        Arguments::parse(args, {.options = {"--card", "--id", "--stage", "--log", "--date", "--lang"},
                                .required = {"--card", "--id", "--stage", "--log"}});
    const std::string language = parsed ? parsed->value("--lang", "CZE") : "";
    if (!parsed || (language != "CZE" && language != "GBR")) {
        err << kUsage;
        return 2;
    }
    auto session = openRaceOfPass(*parsed, language, err);
    if (!session) return 1;
    try {
        assignCard(*session, parsed->value("--card"), utf8ToCp1250(parsed->value("--id")));
    } catch (const AssignError& error) {
        echoLog(*session, out);
        err << "ravik-cli: " << error.what() << "\n";
        return 1;
    }
    const bool writeFailed = runReadoutPass(readoutOptionsOf(*parsed, *session), *session).writeFailed;
    echoLog(*session, out);
    return writeFailed ? 1 : 0;
}

} // namespace ravik::cli
