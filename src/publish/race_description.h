#pragma once
// The two files the race web folder is created with: the race description
// "temp.info" (what the service's timed-control entry needs) and the folder index
// page "index.php". Both are code page 1250 text with CR LF line ends.
#include "core/competitor_table.h"
#include "core/race_record.h"

#include <string>

namespace ravik {

inline constexpr const char* kRaceDescriptionFileName = "temp.info";
inline constexpr const char* kFolderIndexFileName = "index.php";

// Line 1 the race password; per class slot its name and one line per cluster
// ("*;" for a filled slot, ";" for an empty one, so the answers stay secret);
// then "ID;class;name;" for every competitor row of the table.
std::string raceDescription(const std::string& racePassword, const RaceRecord& stage,
                            const CompetitorTable& table);

// The PHP page that lists the folder's "htm" files as links.
std::string folderIndexPage();

// Both written whole into the stage folder (through a temporary file).
void writeRaceDescription(const std::string& stageFolder, const std::string& racePassword,
                          const RaceRecord& stage, const CompetitorTable& table);
void writeFolderIndexPage(const std::string& stageFolder);

} // namespace ravik
