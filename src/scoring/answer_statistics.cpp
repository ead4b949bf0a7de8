#include "scoring/answer_statistics.h"

#include "core/errors.h"
#include "scoring/class_lookup.h"
#include "scoring/tempo_scoring.h"

#include <algorithm>

namespace ravik {
namespace {

constexpr const char kLetters[] = "ABCDEFZ";

void count(AnswerCounts& counts, const std::string& answer, const std::string& correct) {
    const int column = answerColumn(answer);
    if (column < 0)
        ++counts.none;
    else if (column == kStatisticsLetters)
        ++counts.several;
    else
        ++counts.letters[column];
    if (!answer.empty() && answer == correct) ++counts.correct;
}

int medianHalfSeconds(std::vector<std::int32_t> times) {
    if (times.empty()) return 0;
    std::sort(times.begin(), times.end());
    const std::size_t middle = times.size() / 2;
    const std::int64_t upper = times[middle];
    const std::int64_t lower = times.size() % 2 ? upper : times[middle - 1];
    return static_cast<int>(std::clamp<std::int64_t>(lower + upper, INT32_MIN, INT32_MAX));
}

ClassStatistics emptyStatistics(const ClassDefinition& definition) {
    ClassStatistics statistics;
    statistics.className = definition.class_name;
    for (int slot = 0; slot < kControls; ++slot) {
        if (definition.control_flags[slot].empty() && definition.control_answer[slot].empty()) continue;
        statistics.controls.push_back({slot + 1,
                                       definition.control_flags[slot],
                                       definition.control_answer[slot],
                                       isVoidedControl(definition, slot),
                                       {}});
    }
    for (int station = 0; station < kClusters; ++station) {
        if (definition.cluster_answers[station][0].empty()) continue;
        StationStatistics row{station + 1, isSwitchedOff(definition, station), 0, 0, {}};
        for (int task = 0; task < kClusterSlots - 1; ++task) {
            const std::string& correct = definition.cluster_answers[station][task];
            if (!correct.empty())
                row.tasks.push_back({task + 1, correct, isVoidedTask(definition, station, task), {}});
        }
        statistics.stations.push_back(std::move(row));
    }
    return statistics;
}

void addCompetitor(ClassStatistics& statistics, const StageResult& files) {
    ++statistics.started;
    for (ControlStatistics& control : statistics.controls)
        count(control.counts, files.answer[control.number - 1], control.correct);
    for (StationStatistics& station : statistics.stations)
        for (TaskStatistics& task : station.tasks)
            count(task.counts, files.tcAnswer[station.number - 1][task.number - 1], task.correct);
}

} // namespace

int answerColumn(const std::string& answer) {
    if (answer.empty()) return -1;
    if (std::any_of(answer.begin(), answer.end(), [&](char c) { return c != answer[0]; }))
        return kStatisticsLetters;
    const char* found = std::find(kLetters, kLetters + kStatisticsLetters, answer[0]);
    return found == kLetters + kStatisticsLetters ? kStatisticsLetters : static_cast<int>(found - kLetters);
}

std::vector<ClassStatistics> answerStatistics(const CompetitorTable& table, const RaceRecord& record,
                                              int stage, const std::string& stageFolder,
                                              const std::vector<std::string>& selectedClasses,
                                              bool unansweredIsWrong, std::vector<SkippedFile>* skipped) {
    std::vector<ClassStatistics> classes;
    std::vector<int> slots;
    for (const std::string& name : selectedClasses) {
        const int slot = classSlotOf(record, name);
        if (slot < 0) continue;
        classes.push_back(emptyStatistics(record.classes[slot]));
        slots.push_back(slot);
    }
    // Per class and station: the times and the penalties of the competitors timed there.
    std::vector<std::vector<std::vector<std::int32_t>>> stationTimes(classes.size()),
        penalties(classes.size());
    for (std::size_t c = 0; c < classes.size(); ++c) {
        stationTimes[c].resize(classes[c].stations.size());
        penalties[c].resize(classes[c].stations.size());
    }

    for (int row = 1; row < table.rowCount(); ++row) {
        const auto block =
            std::find(slots.begin(), slots.end(), classSlotOf(record, table.cell(row, column::kClass)));
        if (block == slots.end()) continue;
        const std::size_t c = static_cast<std::size_t>(block - slots.begin());
        const std::string& idCell = table.cell(row, column::kId);
        StageResult files;
        std::string unreadable;
        try {
            files = readCompetitorFiles(stageFolder, idCell, record.classes[*block], &unreadable);
        } catch (const IoError& error) {
            if (skipped)
                skipped->push_back({unreadable, error.reason().empty() ? error.what() : error.reason()});
            continue;
        }
        // A disqualified competitor started, even when his card was never read out.
        const bool disqualified = table.cell(row, column::disqualified(stage)) == "DISK";
        if (files.status == StageStatus::DidNotStart && !disqualified) continue;
        addCompetitor(classes[c], files);
        scoreTimedControls(files, record.classes[*block], unansweredIsWrong);
        for (std::size_t s = 0; s < classes[c].stations.size(); ++s) {
            const int station = classes[c].stations[s].number - 1;
            if (files.tcTime[station] <= 0 && files.tcAnswer[station][0].empty()) continue;
            stationTimes[c][s].push_back(files.tcTime[station]);
            penalties[c][s].push_back(files.tcPenalty[station]);
        }
    }
    for (std::size_t c = 0; c < classes.size(); ++c)
        for (std::size_t s = 0; s < classes[c].stations.size(); ++s) {
            classes[c].stations[s].timedCompetitors = static_cast<int>(stationTimes[c][s].size());
            classes[c].stations[s].medianHalfSeconds = medianHalfSeconds(stationTimes[c][s]);
            classes[c].stations[s].medianPenaltyHalfSeconds = medianHalfSeconds(penalties[c][s]);
        }
    return classes;
}

} // namespace ravik
