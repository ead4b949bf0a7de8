#include "exports/punched_answers.h"

#include "readout/punch_file.h"
#include "readout/timed_control_file.h"
#include "scoring/number_cells.h"

namespace ravik {
namespace {

constexpr std::size_t kMaxAnswerLetters = 3;
constexpr std::size_t kMaxPunchedTime = 10;
constexpr char kAnswerLetters[kAnswersPerControl] = {'A', 'B', 'C', 'D', 'E', 'F', 'Z'};

void readPunches(StageResult& result, const std::string& path, const ClassDefinition& definition) {
    for (const PunchLine& punch : readPunchFile(path)) {
        if (punch.isStart()) {
            result.start = punch.time.substr(0, kMaxPunchedTime);
        } else if (punch.isFinish()) {
            result.finish = punch.time.substr(0, kMaxPunchedTime);
        } else if (punch.isControl()) {
            for (int slot = 0; slot < kControls; ++slot)
                for (int position = 0; position < kAnswersPerControl; ++position) {
                    const std::int32_t code = definition.answer_codes[slot][position];
                    if (code == 0 || std::to_string(code) != punch.code) continue;
                    if (result.answer[slot].size() < kMaxAnswerLetters)
                        result.answer[slot] += kAnswerLetters[position];
                }
        }
    }
}

void readTimedControls(StageResult& result, const std::string& path) {
    const auto lines = readTimedControlFile(path);
    for (std::size_t station = 0; station < lines.size() && station < kClusters; ++station) {
        const std::string& answers = lines[station].answers;
        for (std::size_t task = 0; task < answers.size() && task < kClusterSlots; ++task)
            if (answers[task] != '-') result.tcAnswer[station][task] = std::string(1, answers[task]);
        result.tcTime[station] = lines[station].seconds.value_or(0);
    }
}

} // namespace

StageResult readPunchedAnswers(const std::string& stageFolder, const std::string& idCell,
                               const ClassDefinition& definition) {
    StageResult result;
    if (idCell.empty() || !isNumberCell(idCell)) return result;
    const std::string name = std::to_string(numberCellValue(idCell));
    readTimedControls(result, timedControlFilePath(stageFolder, name));
    readPunches(result, punchFilePath(stageFolder, name), definition);
    return result;
}

} // namespace ravik
