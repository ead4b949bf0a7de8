#pragma once
// Messages of the result printouts and of the automatic regeneration, in both languages (UTF-8).
#include "core/language.h"

namespace ravik::texts {

// Pop-up menu item "Delete" of the print list.
inline constexpr Text kNotImplementedYet{"Not implemented yet.", "Not implemented yet."};
// Printing was asked for but no printer could be opened (logged in Memo1, the read-out goes on).
inline constexpr Text kPrinterUnavailable{"Výtisk nebyl vytištěn: tiskárna není dostupná.",
                                          "The printout was not printed: no printer is available."};

// The place line of a slip; %1 = place, %2 = competitors placed in the ranking, %3 = class.
inline constexpr Text kPlaceLine{"%1. místo z %2 v %3", "%1 place of %2 in %3"};
// A PreO Sprint slip shows the ranking time (course time x the class's factor) on this line.
inline constexpr Text kCourseTime{"Čas na trati: ", "Course time: "};

// "Zastavit" of the automatic regeneration (logged in Memo1).
inline constexpr Text kRegenerationStopped{"Opakování zastaveno!", "Process stopped!"};
// A 51st job: refused, CheckBox16 is unchecked.
inline constexpr Text kTooManyJobs{
    "Automatické generování výsledků už má 50 operací, další nelze přidat. Nejprve stiskni Zastavit.",
    "Automatic results generation already holds 50 jobs; no more can be added. Press Stop first."};

} // namespace ravik::texts
