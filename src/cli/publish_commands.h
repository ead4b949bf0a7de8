#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace ravik::cli {

// publish RACE.ravik --stage N [--service-user U] [--host H [--port P] --user U --password W --dir D]
//         [--ftps [--fingerprint SHA256]] FILE...
// Uploads the named pages of the publishing window's list to the race web service
// (or, with --host, to that server) and prints the log lines. Exits 1 when any
// page was not uploaded.
int publishCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// tc-download RACE.ravik --stage N --service-user U [--all|--new] [--ftps [--fingerprint F]]:
// downloads the timed-control part files from the race web folder and merges them;
// exits 1 when a file was skipped or a merge failed.
int timedControlDownloadCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// tc-merge RACE.ravik --stage N: merges the part files of the stage folder.
int timedControlMergeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace ravik::cli
