#include "entries/import_report.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/log.h"
#include "core/race_context.h"
#include "core/race_file.h"
#include "core/stage_classes.h"
#include "core/texts/entries_texts.h"

namespace ravik {

void logImportedClasses(const std::vector<std::string>& addedClasses, const RaceContext& race, int stage,
                        Language language, Log& log) {
    const std::vector<ClassCount> perClass = countPerClass(addedClasses);
    std::string line = tr(language, texts::kImportAddedPerClass);
    if (perClass.empty()) line += tr(language, texts::kImportAddedNone);
    for (std::size_t i = 0; i < perClass.size(); ++i) {
        if (i > 0) line += ", ";
        line += perClass[i].className.empty() ? std::string(tr(language, texts::kImportNoClass))
                                              : cp1250ToUtf8(perClass[i].className);
        line += " " + std::to_string(perClass[i].competitors);
    }
    log.append(line);

    const std::string& path = race.racePath();
    if (addedClasses.empty() || path.empty() || !fileExists(path) || stage > stageCount(path)) return;
    for (const ClassCount& outside : classesOutsideStage(addedClasses, readStage(path, stage)))
        log.append(classOutsideStageMessage(outside, stage, language));
}

} // namespace ravik
