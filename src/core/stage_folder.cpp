#include "core/stage_folder.h"

#include "core/errors.h"
#include "core/file_io.h"
#include "core/session.h"
#include "core/texts/core_texts.h"

namespace ravik {

void requireStageFolder(const Session& session, const std::string& folder) {
    if (!folderExists(folder))
        throw IoError(session.text(texts::kStageFolderMissingBefore) + folder +
                      session.text(texts::kStageFolderMissingAfter));
}

} // namespace ravik
