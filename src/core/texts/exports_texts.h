#pragma once
// Messages of the overall results and the XML result lists, in both languages (UTF-8).
#include "core/language.h"

namespace ravik::texts {

// "File " + file name + " created." in both languages.
inline constexpr Text kXmlFileCreatedBefore{"File ", "File "};
inline constexpr Text kXmlFileCreatedAfter{" created.", " created."};

// An export whose times would not be valid is refused.
inline constexpr Text kXmlNoStageDate{
    "Etapa nemá platné datum (RRRR-MM-DD), výsledky do XML nelze exportovat.",
    "The stage has no valid date (YYYY-MM-DD); the results cannot be exported to XML."};
inline constexpr Text kXmlNoZeroTime{
    "Etapa nemá platný čas startu (HH:MM), výsledky do XML nelze exportovat.",
    "The stage has no valid start time (HH:MM); the results cannot be exported to XML."};
inline constexpr Text kXmlNoStage{"Etapa v závodě neexistuje: ", "The race has no such stage: "};
inline constexpr Text kXmlNoStagesChosen{
    "Není vybrána žádná etapa, celkové výsledky do XML nelze exportovat.",
    "No stage is chosen; the overall results cannot be exported to XML."};
inline constexpr Text kXmlNoRelayForm{
    "Není vybrán druh štafety (Farsta, Motala, Družstva), výsledky štafet do XML nelze exportovat.",
    "No relay form is chosen (Farsta, Motala, Teams); the relay results cannot be exported to XML."};

} // namespace ravik::texts
