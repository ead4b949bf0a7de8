#include "cli/competitors_command.h"

#include "cli/arguments.h"
#include "cli/open_race.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/page_text.h"
#include "core/race_file.h"
#include "entries/table_commands.h"
#include "entries/table_sorts.h"

#include <algorithm>
#include <map>

namespace ravik::cli {
namespace {

constexpr const char* kUsage = "competitors RACE.ravik [--sort id|class|name|relay|country|startN] "
                               "[--set ID COLUMN VALUE] [--disqualify ID --stage N]";

// The window's pop-up sort items by the names the command takes.
std::optional<int> sortItemOf(const std::string& name) {
    static const std::map<std::string, int> items{{"id", 1},     {"start1", 2},  {"start2", 3}, {"start3", 4},
                                                  {"start4", 5}, {"start5", 6},  {"class", 7},  {"name", 8},
                                                  {"relay", 9},  {"country", 10}};
    const auto found = items.find(name);
    return found == items.end() ? std::nullopt : std::optional<int>(found->second);
}

// Heading, then one line per competitor: the window's columns, separated by ";".
void listTable(const CompetitorTable& table, std::ostream& out) {
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int col = 0; col < kTableColumns; ++col)
            out << (col > 0 ? ";" : "")
                << (row == 0 ? columnHeading(col, Language::English)
                             : cp1250ToUtf8(separatedField(table.cell(row, col))));
        out << "\n";
    }
}

// "--set ID COLUMN VALUE" takes three words; they are taken out before the other options are read.
std::optional<std::vector<std::string>> takeSetWords(std::vector<std::string>& args) {
    const auto at = std::find(args.begin(), args.end(), "--set");
    if (at == args.end()) return std::vector<std::string>{};
    if (args.end() - at < 4) return std::nullopt;
    std::vector<std::string> words(at + 1, at + 4);
    args.erase(at, at + 4);
    return words;
}

} // namespace

int competitorsCommand(const std::vector<std::string>& given, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = given;
    const auto set = takeSetWords(args);
    const auto parsed =
        set ? Arguments::parse(args, {.options = {"--sort", "--disqualify", "--stage"}}) : std::nullopt;
    const std::optional<int> sortItem =
        parsed && parsed->has("--sort") ? sortItemOf(parsed->value("--sort")) : std::optional<int>(0);
    if (!parsed || !sortItem || parsed->has("--disqualify") != parsed->has("--stage")) {
        err << "usage: ravik-cli " << kUsage << "\n";
        return 2;
    }
    const bool changes = *sortItem != 0 || !set->empty() || parsed->has("--disqualify");
    auto session =
        openRace({.racePath = parsed->racePath(),
                  .stage = parsed->has("--stage") ? std::optional(parsed->value("--stage")) : std::nullopt,
                  .language = Language::English,
                  .changesFiles = changes},
                 err);
    if (!session) return 1;
    CompetitorTable& table = session->table;
    if (!changes) {
        listTable(table, out);
        return 0;
    }
    if (*sortItem != 0) {
        // The class sort follows the class slots of the stage given, else of stage 1.
        ClassSlots slots{};
        const int stage = std::max(session->race.currentStage(), 1);
        if (stage <= stageCount(session->race.racePath())) {
            const RaceRecord record = readStage(session->race.racePath(), stage);
            for (int slot = 0; slot < kClassSlots; ++slot)
                slots[slot] = record.classes[slot].class_name;
        }
        sortByMenuItem(table, *sortItem, slots);
    }
    const auto rowOf = [&](const std::string& id) {
        const int row = competitorRowOfId(table, utf8ToCp1250(id));
        if (row == 0) err << "ravik-cli: no competitor with the ID " << id << "\n";
        return row;
    };
    if (!set->empty()) {
        const int row = rowOf((*set)[0]);
        if (row == 0) return 1;
        const int col = columnOfHeading((*set)[1]);
        if (col < 0) {
            err << "ravik-cli: no column " << (*set)[1] << "\n";
            return 1;
        }
        table.setCell(row, col, utf8ToCp1250((*set)[2]));
    }
    if (parsed->has("--disqualify")) {
        const int row = rowOf(parsed->value("--disqualify"));
        if (row == 0) return 1;
        table.setCell(row, column::disqualified(session->race.currentStage()), kDisqualifiedMark);
    }
    session->saveCompetitors();
    for (const std::string& line : session->log.lines())
        out << line << "\n";
    return 0;
}

} // namespace ravik::cli
