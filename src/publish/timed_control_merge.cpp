#include "publish/timed_control_merge.h"

#include "core/errors.h"
#include "core/file_io.h"
#include "core/platform/files.h"
#include "core/texts/publish_texts.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

namespace ravik {

namespace {

constexpr const char* kExtension = ".tc2";
// A part line longer than this is not an answer line; only its start is read.
constexpr std::size_t kMaxFirstLineBytes = 4096;

bool hasTimedControlExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return tail == kExtension;
}

// The first line of a file without its line end; empty when the file is missing.
std::string firstLine(const std::string& path) {
    std::ifstream in(platform::pathOf(path), std::ios::binary);
    if (!in) return {};
    std::string bytes(kMaxFirstLineBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    const auto end = bytes.find_first_of("\r\n");
    return end == std::string::npos ? bytes : bytes.substr(0, end);
}

const ClassDefinition* classNamed(const RaceRecord& stage, const std::string& className) {
    for (const ClassDefinition& definition : stage.classes)
        if (definition.class_name == className) return &definition;
    return nullptr;
}

} // namespace

int clusterTaskCount(const ClassDefinition& definition, int cluster) {
    if (cluster < 1 || cluster > kClusters) return 0;
    const auto& slots = definition.cluster_answers[static_cast<std::size_t>(cluster - 1)];
    return static_cast<int>(
        std::count_if(slots.begin(), slots.end(), [](const std::string& s) { return !s.empty(); }));
}

int stationCount(const RaceRecord& stage) {
    int stations = 0;
    for (const ClassDefinition& definition : stage.classes) {
        const int clusters = static_cast<int>(
            std::count_if(definition.cluster_answers.begin(), definition.cluster_answers.end(),
                          [](const auto& cluster) { return !cluster[0].empty(); }));
        stations = std::max(stations, clusters);
    }
    return stations;
}

bool isValidPartLine(std::string_view line) {
    const auto separator = line.find(';');
    if (separator == std::string_view::npos) return false;
    for (char c : line.substr(0, separator))
        if (c < 'A' || c > 'Z') return false;
    const std::string_view rest = line.substr(separator + 1);
    for (std::size_t i = 0; i + 1 < rest.size(); ++i)
        if (rest[i] < '0' || rest[i] > '9') return false;
    return true;
}

std::string missingStationLine(const RaceRecord& stage, const CompetitorTable& table, const std::string& id,
                               int station) {
    int tasks = 0;
    for (int row = 1; row < table.rowCount(); ++row) {
        if (table.cell(row, column::kId) != id) continue;
        if (const ClassDefinition* definition = classNamed(stage, table.cell(row, column::kClass)))
            tasks = clusterTaskCount(*definition, station);
        break;
    }
    return std::string(static_cast<std::size_t>(tasks), '-') + ";;";
}

std::vector<std::string> competitorsWithPartFiles(const std::string& stageFolder) {
    std::set<std::string> ids;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(platform::pathOf(stageFolder), error)) {
        const std::string name = platform::utf8Of(entry.path().filename());
        const auto underscore = name.find('_');
        if (underscore == std::string::npos || underscore == 0 || !hasTimedControlExtension(name)) continue;
        if (!entry.is_regular_file(error)) continue;
        ids.insert(name.substr(0, underscore));
    }
    return {ids.begin(), ids.end()};
}

bool isCorrectedByHand(const std::string& timedControlPath) {
    if (!fileExists(timedControlPath)) return false;
    const std::string line = firstLine(timedControlPath);
    return !line.empty() && line.back() == '*';
}

int mergeTimedControlFiles(const std::string& stageFolder, const RaceRecord& stage,
                           const CompetitorTable& table, MergeMode mode, Language language, Log& log) {
    const int stations = stationCount(stage);
    int failures = 0;
    for (const std::string& id : competitorsWithPartFiles(stageFolder)) {
        const std::string mergedPath = stageFolder + id + kExtension;
        if (mode != MergeMode::Plain && isCorrectedByHand(mergedPath)) {
            log.append(std::string(tr(language, texts::kManuallyAdjustedBefore)) + id +
                       tr(language, texts::kManuallyAdjustedAfter));
            continue;
        }
        std::string merged;
        bool invalid = false;
        for (int station = 1; station <= stations; ++station) {
            const std::string partName = id + "_" + std::to_string(station) + kExtension;
            const std::string partPath = stageFolder + partName;
            if (!fileExists(partPath)) {
                merged += missingStationLine(stage, table, id, station) + "\r\n";
                continue;
            }
            const std::string line = firstLine(partPath);
            if (mode == MergeMode::CheckedKeepCorrected && !isValidPartLine(line)) {
                log.append(std::string(tr(language, texts::kInvalidTcRecordBefore)) + partName +
                           tr(language, texts::kInvalidTcRecordAfter));
                invalid = true;
                continue;
            }
            merged += line + "\r\n";
        }
        // A merge with a station left out would shift the later stations: the merged
        // file stays as it was (or is not made) until the part file is good.
        if (invalid) {
            log.append(std::string(tr(language, texts::kTcNotUpdatedBefore)) + id +
                       tr(language, texts::kTcNotUpdatedAfter));
            ++failures;
            continue;
        }
        try {
            writeFileAtomically(mergedPath, merged);
        } catch (const IoError& error) {
            log.append(tr(language, texts::kTcFileNotWritten) + std::string(error.what()));
            ++failures;
        }
    }
    return failures;
}

} // namespace ravik
