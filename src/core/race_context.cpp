#include "core/race_context.h"

namespace ravik {

std::string folderOf(const std::string& path) {
    const auto last = path.find_last_of(kPathSeparators);
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

int RaceContext::currentStage() const {
    int stage = 0;
    for (char c : currentStage_) {
        if (c < '0' || c > '9') return 0;
        stage = stage * 10 + (c - '0');
        if (stage > 1000) return 0;
    }
    return stage;
}

std::string RaceContext::raceFolder() const {
    return folderOf(racePath_);
}

std::string RaceContext::competitorFilePath() const {
    const std::size_t keep = racePath_.size() >= 5 ? racePath_.size() - 5 : 0;
    return racePath_.substr(0, keep) + "zavodnici";
}

std::string RaceContext::stageFolder(const std::string& stageText) const {
    return raceFolder() + "E" + stageText + kPathSeparator;
}

std::string RaceContext::baseName() const {
    const std::string name = racePath_.substr(raceFolder().size());
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace ravik
