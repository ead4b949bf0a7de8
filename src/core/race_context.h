#pragma once
// The open race: the race path and the current stage, and the folders that follow
// from them. Paths use the platform's separator; the rules are those of the race
// office: the race folder is the race path up to and including its last separator,
// the competitor file is the race path without its last five characters followed
// by "zavodnici", a stage folder is the race folder + "E" + stage + separator.
#include <string>
#include <string_view>

namespace ravik {

// The separator the program writes. Windows also takes '/' in paths, and its
// users and dialogs give '\\': there both end a folder's name.
inline constexpr char kPathSeparator = '/';
#ifdef _WIN32
inline constexpr const char* kPathSeparators = "/\\";
#else
inline constexpr const char* kPathSeparators = "/";
#endif
inline bool endsWithSeparator(const std::string& path) {
    return !path.empty() && std::string_view(kPathSeparators).find(path.back()) != std::string_view::npos;
}

class RaceContext {
public:
    // Race path as shown in the main window (empty = no race open).
    const std::string& racePath() const { return racePath_; }
    void setRacePath(std::string path) { racePath_ = std::move(path); }
    bool isOpen() const { return !racePath_.empty(); }

    // The text of the main window's stage box ("1" to "5", or empty).
    const std::string& currentStageText() const { return currentStage_; }
    void setCurrentStageText(std::string stage) { currentStage_ = std::move(stage); }
    // The current stage as a number; 0 when the stage box holds no number.
    int currentStage() const;

    std::string raceFolder() const;
    std::string competitorFilePath() const;
    // Race folder + "E" + stage text + separator.
    std::string stageFolder(const std::string& stageText) const;
    std::string stageFolder(int stage) const { return stageFolder(std::to_string(stage)); }
    std::string currentStageFolder() const { return stageFolder(currentStage_); }

    // The race file's name without its last extension ("Spring" for ".../Spring.ravik").
    std::string baseName() const;

private:
    std::string racePath_;
    std::string currentStage_;
};

// Up to and including the last separator; empty when the path has none.
std::string folderOf(const std::string& path);

} // namespace ravik
