#include "scoring/stage_status.h"

#include "core/texts/scoring_texts.h"

namespace ravik {

const char* statusWord(StageStatus status, Language language) {
    switch (status) {
    case StageStatus::Disqualified:
        return tr(language, texts::kStatusDisqualified);
    case StageStatus::DidNotFinish:
        return tr(language, texts::kStatusDidNotFinish);
    case StageStatus::DidNotStart:
        return tr(language, texts::kStatusDidNotStart);
    case StageStatus::Ok:
        break;
    }
    return "";
}

} // namespace ravik
