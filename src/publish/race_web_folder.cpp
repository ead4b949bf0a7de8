#include "publish/race_web_folder.h"

namespace ravik {

std::string stageFolderName(const std::string& stageDate, const std::string& stage) {
    return stageDate + "E" + stage;
}

std::string userFolder(const std::string& user) {
    return "www/ravik/results/" + user;
}

std::string raceWebFolder(const std::string& user, const std::string& stageDate, const std::string& stage) {
    return userFolder(user) + "/" + stageFolderName(stageDate, stage);
}

std::string publicRaceAddress(const std::string& baseAddress, const std::string& user,
                              const std::string& stageDate, const std::string& stage) {
    return baseAddress + "ravik/results/" + user + "/" + stageFolderName(stageDate, stage);
}

} // namespace ravik
