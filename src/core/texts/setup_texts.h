#pragma once
// Messages of race setup: opening and creating races, stages, the class editor,
// the settings file and the backups (UTF-8).
#include "core/language.h"

namespace ravik::texts {

inline constexpr const char* kRaceFileFilter =
    "Competition file Ravik 2.2|*.ravik|Older version Ravik|*.ravik";

inline constexpr Text kStageAdded{"Byla přidána jedna etapa.", "One stage has been added."};
inline constexpr Text kStageRemoved{"Byla odebrána jedna etapa.", "One stage has been deleted."};

inline constexpr Text kClassEditorTitle{"Závod", "Závod"};
inline constexpr Text kNoClassDefined{"Není definovaná žádná kategorie.", "No class has been defined."};
// "Byla aktivována kategorie H21" / "Class H21 has been activated."
inline constexpr Text kClassActivatedBefore{"Byla aktivována kategorie ", "Class "};
inline constexpr Text kClassActivatedAfter{"", " has been activated."};
inline constexpr Text kBadCodeCell{"V datech Kontrol byly chyby (písmena, kde se očekávaly číslice).",
                                   "There were errors in Controls data (expected numbers, found letters)."};
// "Kategorie Elite zkopirovana do Junior" / "Class Elite has been copied into Junior"
inline constexpr Text kClassCopiedBefore{"Kategorie ", "Class "};
inline constexpr Text kClassCopiedInto{" zkopirovana do ", " has been copied into "};

// Take-over input box: "Doplň SI (K7) podle kontrol hlavní kategorie".
inline constexpr Text kTakeOverTitleBefore{"Doplň SI (K", "Add SI (C"};
inline constexpr Text kTakeOverTitleAfter{") podle kontrol hlavní kategorie",
                                          ") according the main class controls"};
inline constexpr Text kTakeOverPrompt{"Zadej kontrolu:", "Enter control number:"};

// A number edit holding something that is not a number (pasted text): the save stops.
inline constexpr Text kBadNumberBefore{"V poli \"", "The field \""};
inline constexpr Text kBadNumberAfter{"\" není platné číslo. Nic nebylo uloženo.",
                                      "\" does not hold a valid number. Nothing has been saved."};
inline constexpr Text kFieldLimit{"Limit", "Limit"};
inline constexpr Text kFieldPenalty{"Trestné sekundy za časovku", "Time control penalty seconds"};
inline constexpr Text kFieldBreak1From{"Přerušení 1 - Od", "Break 1 - From"};
inline constexpr Text kFieldBreak1To{"Přerušení 1 - Do", "Break 1 - To"};
inline constexpr Text kFieldBreak2From{"Přerušení 2 - Od", "Break 2 - From"};
inline constexpr Text kFieldBreak2To{"Přerušení 2 - Do", "Break 2 - To"};
// The PreO Sprint values of a class (their labels in the class editor).
inline constexpr Text kFieldFormat{"Formát", "Format"};
inline constexpr Text kFieldTimeFactor{"Koeficient času", "Time factor"};
inline constexpr Text kFieldOvertimeSeconds{"Sekund překročení na bod", "Over-time seconds per point"};
inline constexpr Text kFieldFirstCode{"První SI", "First SI"};

// Settings file.
inline constexpr Text kSettingsLoaded{"Načten soubor INI", "INI file loaded"};
inline constexpr Text kSettingsNotSaved{"Poslední nastavení neuloženo...",
                                        "Last setting has not been saved..."};

// Backups (one wording in both languages).
inline constexpr const char* kBackupStarted = "Backup.....";
inline constexpr const char* kBackupRaceFailed = "Backup *.Ravik failed.";
inline constexpr const char* kBackupCompetitorsFailed = "Backup *.zavodnici failed.";

} // namespace ravik::texts
