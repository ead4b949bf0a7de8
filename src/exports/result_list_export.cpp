#include "exports/result_list_export.h"

#include "core/file_io.h"
#include "core/platform/platform.h"
#include "core/prompt.h"
#include "core/race_file.h"
#include "core/session.h"
#include "core/stage_folder.h"
#include "core/texts/exports_texts.h"
#include "exports/iof_times.h"

#include <algorithm>

namespace ravik {

std::string resultListPath(const std::string& racePath, int stage, ResultListKind kind) {
    const std::string base = racePath.substr(0, racePath.size() >= 6 ? racePath.size() - 6 : 0);
    return base + (kind == ResultListKind::TempO ? "_TempoResults_E" : "_PreoResults_E") +
           std::to_string(stage) + ".xml";
}

std::optional<Text> resultListRefusal(const RaceRecord& record) {
    if (!parseStageDate(record.stage_date)) return texts::kXmlNoStageDate;
    if (!parseZeroTime(record.stage_start)) return texts::kXmlNoZeroTime;
    return std::nullopt;
}

std::optional<std::string> exportResultList(const Session& session, const ResultListOptions& options,
                                            Prompt& prompt) {
    const std::string& racePath = session.race.racePath();
    if (options.stage < 1 || options.stage > std::min(stageCount(racePath), kMaxStages)) {
        prompt.information(session.text(texts::kXmlNoStage) + std::to_string(options.stage));
        return std::nullopt;
    }
    // Read as empty, the folder would list every competitor as not started.
    requireStageFolder(session, session.race.stageFolder(options.stage));
    const RaceRecord record = readStage(racePath, options.stage);
    if (const auto refusal = resultListRefusal(record)) {
        prompt.information(session.text(*refusal));
        return std::nullopt;
    }
    const ResultListSource source{record,
                                  session.table,
                                  session.race.stageFolder(options.stage),
                                  options.stage,
                                  options.kind,
                                  options.createTime.empty() ? iofCreationTime(platform::localNow())
                                                             : options.createTime};
    std::string bytes;
    for (const std::string& line : resultListLines(source))
        bytes += line + "\r\n";
    const std::string path = resultListPath(racePath, options.stage, options.kind);
    writeFileAtomically(path,
                        bytes); // the list's own file: written also while another program holds the race
    prompt.information(session.text(texts::kXmlFileCreatedBefore) + path +
                       session.text(texts::kXmlFileCreatedAfter));
    return path;
}

} // namespace ravik
