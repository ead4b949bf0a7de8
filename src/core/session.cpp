#include "core/session.h"

#include "core/competitor_file.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/texts/core_texts.h"

#include <cstdio>

namespace ravik {

void Session::loadCompetitors() {
    table.clear();
    table.setHeadings(language);
    const std::string path = race.competitorFilePath();
    unreadableCompetitorFile_.clear();
    if (!race.isOpen()) {
        table.setRowCount(2);
        return;
    }
    const CompetitorFileLoad outcome = loadCompetitorTable(path, table);
    if (outcome.state == CompetitorFileState::NotRecognised) {
        unreadableCompetitorFile_ = path;
        log.append(text(texts::kCompetitorFileNotRecognised) + path);
    }
}

void Session::saveCompetitors() {
    if (!race.isOpen()) return;
    const std::string path = race.competitorFilePath();
    if (!unreadableCompetitorFile_.empty() && unreadableCompetitorFile_ == path && fileExists(path)) {
        std::string keptAs = path + ".unreadable";
        for (int n = 2; fileExists(keptAs); ++n) keptAs = path + ".unreadable" + std::to_string(n);
        if (std::rename(path.c_str(), keptAs.c_str()) != 0) throw IoError("Cannot rename file " + path);
        log.append(text(texts::kCompetitorFileKeptAs) + keptAs);
    }
    unreadableCompetitorFile_.clear();
    saveCompetitorTable(path, table, log);
    for (const auto& listener : competitorsSaved) listener();
}

} // namespace ravik
