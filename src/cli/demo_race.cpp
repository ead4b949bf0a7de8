#include "cli/demo_race.h"

#include "core/competitor_file.h"
#include "core/cp1250.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/log.h"
#include "core/numbers.h"
#include "core/race_context.h"
#include "core/race_file.h"

#include <random>
#include <sstream>

namespace ravik::cli {
namespace {

constexpr const char* kDates[] = {"2026-05-16", "2026-05-17"};
constexpr const char* kPlaces[] = {"Brno - Lužánky", "Vranov nad Dyjí"};
constexpr const char* kZeroTimes[] = {"10:00", "09:30"};

// Station codes skip the numbers that read the same upside down on a station.
int nextCode(int code) {
    ++code;
    while (code == 66 || code == 68 || code == 86 || code == 89 || code == 98 || code == 99)
        ++code;
    return code;
}

struct ClassPlan {
    const char* name;
    int controls;
    int clusters;
    int tasks;
    bool breaks;
};

// Two PreO classes with breaks, one PreO class with timed controls, one TempO-only class.
constexpr ClassPlan kClasses[] = {
    {"Elite", 26, 0, 0, true},
    {"Open", 22, 0, 0, true},
    {"Paralympic", 20, 3, 4, false},
    {"TempO", 0, 5, 5, false},
};

const char* const kFlagRanges[] = {"A", "A-B", "A-C", "A-D", "A-E", "A-F"};

ClassDefinition planClass(const ClassPlan& plan, int stage, int& code) {
    std::mt19937 random(1000 * stage + plan.controls + plan.clusters);
    ClassDefinition c;
    c.class_name = plan.name;
    c.time_limit = plan.controls > 0 ? 90 + 10 * stage : 30;
    c.cluster_penalty = plan.clusters > 0 ? 30 : 0;
    for (int k = 0; k < plan.controls; ++k) {
        const int flags = 2 + static_cast<int>(random() % 5); // A-B .. A-F
        c.control_flags[k] = kFlagRanges[flags - 1];
        // About one control in six has none of its flags right: answer Z.
        const int answer = random() % 6 == 0 ? -1 : static_cast<int>(random() % flags);
        c.control_answer[k] = answer < 0 ? "Z" : std::string(1, static_cast<char>('A' + answer));
        for (int j = 0; j < flags; ++j) {
            c.answer_codes[k][j] = code;
            code = nextCode(code);
        }
        c.answer_codes[k][6] = code;
        code = nextCode(code);
    }
    for (int s = 0; s < plan.clusters; ++s)
        for (int t = 0; t < plan.tasks; ++t)
            c.cluster_answers[s][t] = std::string(1, static_cast<char>('A' + random() % 5));
    if (plan.breaks) {
        // Break stations stand apart from the answer stations' numbers.
        c.break1_from_code = 901;
        c.break1_to_code = 902;
        c.break2_from_code = 903;
        c.break2_to_code = 904;
    }
    return c;
}

RaceRecord planStage(int stage) {
    RaceRecord r;
    r.stage_number = stage;
    r.stage_date = kDates[stage - 1];
    r.race_name = utf8ToCp1250("Ravik Sample Cup");
    r.stage_place = utf8ToCp1250(kPlaces[stage - 1]);
    r.stage_start = kZeroTimes[stage - 1];
    int code = 31;
    for (std::size_t slot = 0; slot < std::size(kClasses); ++slot)
        r.classes[slot] = planClass(kClasses[slot], stage, code);
    return r;
}

constexpr const char* kSurnames[] = {"Novák",    "Svoboda", "Dvořák",   "Černý",   "Procházka",
                                     "Kučera",   "Veselý",  "Horák",    "Němec",   "Marek",
                                     "Pospíšil", "Hájek",   "Jelínek",  "Král",    "Růžička",
                                     "Beneš",    "Fiala",   "Sedláček", "Doležal", "Zeman"};
constexpr const char* kGiven[] = {"Jan",    "Petr", "Jana",  "Eva",      "Tomáš", "Lucie",
                                  "Martin", "Hana", "Pavel", "Kateřina", "Jiří",  "Zuzana"};
constexpr const char* kNations[] = {"CZE", "CZE", "CZE", "SVK", "POL", "GBR", "SWE", "FIN", "NOR", "ITA"};
constexpr const char* kClubs[] = {"BRN", "PHA", "OLO", "ZLI", "OST"};
constexpr int kPerClass[] = {18, 18, 12, 12};

std::string timeOfDay(int seconds) {
    seconds %= 86400;
    return twoDigits(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" + twoDigits(seconds % 60);
}

struct Competitor {
    int id;
    int classSlot;
    int card;
    double startOffset; // minutes, stage 1
};

CompetitorTable planCompetitors(std::vector<Competitor>& competitors) {
    std::mt19937 random(2026);
    CompetitorTable table;
    int id = 1;
    for (int slot = 0; slot < 4; ++slot) {
        // Starts of a class are drawn over the class's own slots, two minutes apart.
        std::vector<int> order(kPerClass[slot]);
        for (int i = 0; i < kPerClass[slot]; ++i)
            order[i] = i;
        std::shuffle(order.begin(), order.end(), random);
        for (int i = 0; i < kPerClass[slot]; ++i, ++id) {
            TableRow row;
            const std::string name = std::string(kSurnames[(id * 7) % 20]) + " " + kGiven[(id * 5) % 12];
            row[column::kId] = std::to_string(id);
            row[column::kRegistration] = std::string(kClubs[id % 5]) + std::to_string(5000 + id * 37 % 4000);
            row[column::kClass] = kClasses[slot].name;
            row[column::kSi] = std::to_string(2045100 + id);
            row[column::kName] = utf8ToCp1250(name);
            row[column::kFlag] = kNations[id % 10];
            if (slot == 1) row[column::kRelay] = std::to_string(1 + i / 3); // Open runs a relay of threes
            const double offset1 = order[i] * 2.0 + slot * 0.5;
            row[column::start(1)] = formatGeneral15(offset1);
            row[column::start(2)] = formatGeneral15(order[(i + 3) % kPerClass[slot]] * 2.5);
            table.appendRow(row);
            competitors.push_back({id, slot, 2045100 + id, offset1});
        }
    }
    // One competitor starts late enough that his punches are logged on a twelve-hour clock.
    table.setCell(5, column::start(1), "178");
    competitors[4].startOffset = 178;
    return table;
}

void punch(std::ostringstream& log, int card, int code, const char* mode, int seconds, int& line) {
    const std::string time = timeOfDay(seconds);
    // The station's twelve-hour clock: afternoon hours are logged as 01, 02, ...
    const int hour = std::stoi(time.substr(0, 2));
    const std::string logged = hour > 12 ? twoDigits(hour - 12) + time.substr(2) : time;
    ++line;
    log << line << ";" << card << ";" << (code > 0 ? std::to_string(code) : "") << ";" << mode << ";1;6;"
        << kDates[0] << ";" << logged << ";" << line % 50 << ";" << line << ";\r\n";
}

std::string readoutLog(const RaceRecord& stage, const std::vector<Competitor>& competitors) {
    std::mt19937 random(7);
    std::ostringstream log;
    log << "EventId;SI-Card;CN;Mode;Source;DayOfWeek;PunchDate;PunchTime;No;Cnt\r\n";
    int line = 0;
    const int zero = 10 * 3600;
    auto readCard = [&](const Competitor& c) {
        const ClassDefinition& definition = stage.classes[c.classSlot];
        int t = zero + static_cast<int>(c.startOffset * 60);
        punch(log, c.card, 0, "STA", t, line);
        for (int k = 0; k < kControls; ++k) {
            if (definition.control_flags[k].empty()) continue;
            t += 60 + static_cast<int>(random() % 240);
            if ((k == 8 || k == 16) && definition.break1_from_code > 0) { // breaks before controls 9 and 17
                const bool first = k == 8;
                punch(log, c.card, first ? definition.break1_from_code : definition.break2_from_code, " CN",
                      t, line);
                t += 300;
                punch(log, c.card, first ? definition.break1_to_code : definition.break2_to_code, " CN", t,
                      line);
            }
            const std::string& right = definition.control_answer[k];
            int answer = right == "Z" ? 6 : right[0] - 'A';
            if (random() % 5 == 0)
                answer = static_cast<int>(random() % 2) == 0 ? 6 : 0; // a mistake now and then
            const int code = definition.answer_codes[k][answer];
            if (code > 0) punch(log, c.card, code, " CN", t, line);
        }
        punch(log, c.card, 0, "FIN", t + 120, line);
    };
    for (const Competitor& c : competitors) {
        if (kClasses[c.classSlot].controls == 0 || c.id % 9 == 0)
            continue; // TempO-only and a few not yet back
        readCard(c);
        if (c.id == 3) readCard(c); // a card read twice
    }
    // A rented card that belongs to nobody.
    readCard({999, 0, 7001234, 30});
    return log.str();
}

std::string timedControlPath(const RaceContext& race, const Competitor& c) {
    return race.stageFolder(1) + std::to_string(c.id) + ".tc2";
}

// The competitors of stage 1 whose class has timed-control stations: each gets a ".tc2" file.
bool hasTimedControlFile(const Competitor& c) {
    return kClasses[c.classSlot].clusters > 0;
}

// Timed-control answers of the classes that have stations, for stage 1.
void writeTimedControlFiles(const RaceContext& race, const RaceRecord& stage,
                            const std::vector<Competitor>& all) {
    std::mt19937 random(11);
    for (const Competitor& c : all) {
        const ClassDefinition& definition = stage.classes[c.classSlot];
        const int clusters = kClasses[c.classSlot].clusters;
        if (!hasTimedControlFile(c)) continue;
        std::string text;
        for (int s = 0; s < clusters; ++s) {
            for (int t = 0; t < kClasses[c.classSlot].tasks; ++t) {
                const std::string& right = definition.cluster_answers[s][t];
                const int roll = static_cast<int>(random() % 10);
                text += roll == 0 ? "-" : roll == 1 ? std::string(1, right[0] == 'A' ? 'B' : 'A') : right;
            }
            text += ";" + std::to_string(20 + random() % 60) + ";*\r\n";
        }
        writeFileAtomically(timedControlPath(race, c), text);
    }
}

RaceContext demoRaceContext(const std::string& folder) {
    RaceContext race;
    race.setRacePath(folder + (folder.empty() || endsWithSeparator(folder) ? "" : "/") + "Sample.ravik");
    return race;
}

std::string readoutLogPath(const RaceContext& race) {
    return race.raceFolder() + "SIlog_E1.csv";
}

} // namespace

std::vector<std::string> demoFilesPresent(const std::string& folder) {
    const RaceContext race = demoRaceContext(folder);
    std::vector<Competitor> competitors;
    planCompetitors(competitors);
    std::vector<std::string> files = {race.racePath(), race.competitorFilePath(), readoutLogPath(race)};
    for (const Competitor& c : competitors)
        if (hasTimedControlFile(c)) files.push_back(timedControlPath(race, c));
    std::vector<std::string> present;
    for (const std::string& file : files)
        if (fileExists(file)) present.push_back(file);
    return present;
}

DemoRace writeDemoRace(const std::string& folder) {
    const std::vector<std::string> present = demoFilesPresent(folder);
    if (!present.empty()) throw IoError("The folder holds a race already: " + present.front());
    ensureFolder(folder);
    const RaceContext race = demoRaceContext(folder);
    createRaceFile(race.racePath(), planStage(1));
    appendStage(race.racePath(), planStage(2));
    ensureFolder(race.stageFolder(1));
    ensureFolder(race.stageFolder(2));

    std::vector<Competitor> competitors;
    CompetitorTable table = planCompetitors(competitors);
    LogLines log;
    saveCompetitorTable(race.competitorFilePath(), table, log);

    DemoRace demo;
    demo.racePath = race.racePath();
    demo.readoutLogPath = readoutLogPath(race);
    demo.competitors = static_cast<int>(competitors.size());
    writeFileAtomically(demo.readoutLogPath, readoutLog(planStage(1), competitors));
    writeTimedControlFiles(race, planStage(1), competitors);
    return demo;
}

} // namespace ravik::cli
