#pragma once
// Messages of the race data and the main window, in both languages (UTF-8).
#include "core/language.h"

namespace ravik::texts {

inline constexpr Text kNoRaceOpen{"není otevřen žádný závod", "no open race"};

inline constexpr Text kGuardRace{"Není otevřený žádný závod! Nelze otevřít editaci závodu.",
                                 "No open competition! Unable to access the competition table."};
inline constexpr Text kGuardCompetitors{"Není otevřený žádný závod! Nelze otevřít tabulku závodníků.",
                                        "No open competition! Unable to access the competitor table."};
inline constexpr Text kGuardResults{"Není otevřený žádný závod! Nelze otevřít výsledky.",
                                    "No open competition! Unable to access any results."};
inline constexpr Text kGuardFtp{"Není otevřený žádný závod, FTP není přístupné",
                                "No open competition! FTP is unaccessable."};

// A competitor file of a foreign size is not loaded; before the next save
// overwrites it, it is kept under another name.
inline constexpr Text kCompetitorFileNotRecognised{
    "Soubor závodníků nemá známý formát a nebyl načten: ",
    "The competitor file has an unknown format and was not loaded: "};
inline constexpr Text kCompetitorFileKeptAs{"Nečitelný soubor závodníků byl uschován jako ",
                                            "The unreadable competitor file was kept as "};

inline constexpr const char* kReadOutLogFilter = "SportIDENT Reader CSV|*.csv|any file|*.*";

} // namespace ravik::texts
