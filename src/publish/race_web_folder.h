#pragma once
// Names of the race's folders on the race web service and its public address.
// User, stage date and stage are code page 1250 text as the controls and the race
// file hold them.
#include <string>

namespace ravik {

// "2023-05-13E1": stage date + "E" + stage.
std::string stageFolderName(const std::string& stageDate, const std::string& stage);
// "www/ravik/results/" + user, relative to the account's start directory.
std::string userFolder(const std::string& user);
// userFolder + "/" + stageFolderName.
std::string raceWebFolder(const std::string& user, const std::string& stageDate, const std::string& stage);
// The public base address + "ravik/results/" + user + "/" + stageFolderName.
std::string publicRaceAddress(const std::string& baseAddress, const std::string& user,
                              const std::string& stageDate, const std::string& stage);

} // namespace ravik
