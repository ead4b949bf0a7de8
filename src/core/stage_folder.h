#pragma once
// A stage folder that is not there is never read as empty nor made anew: on an
// unmounted share that would give every competitor "did not start" and, once
// saved, clear his scores.
#include <string>

namespace ravik {

class Session;

// Throws IoError, in the session's language, naming the stage folder when it does
// not exist.
void requireStageFolder(const Session& session, const std::string& stageFolder);

} // namespace ravik
