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

// A competitor file of a foreign size, with damaged records or of an undecidable
// layout is not loaded; an empty table is never saved over it, and before a save replaces it
// (or one of the earlier layout) its bytes are kept under another name.
inline constexpr Text kCompetitorFileNotRecognised{
    "Soubor závodníků nemá známý formát a nebyl načten: ",
    "The competitor file has an unknown format and was not loaded: "};
inline constexpr Text kCompetitorFileDamaged{"Soubor závodníků má poškozené záznamy a nebyl načten: ",
                                             "The competitor file has damaged records and was not loaded: "};
// 53 records of 220 bytes are as long as 55 of 212, and both readings look sound.
inline constexpr Text kCompetitorFileEitherLayout{
    "Soubor závodníků lze číst jako záznamy po 220 i po 212 bajtech a nebyl načten: ",
    "The competitor file reads as records of 220 bytes and of 212 bytes alike and was not loaded: "};
inline constexpr Text kCompetitorFileKeptAs{"Původní soubor závodníků byl uschován jako ",
                                            "The original competitor file was kept as "};

// One writer per race: "Závod je otevřen v jiném programu (PID 1234)..."
inline constexpr Text kRaceLockedBefore{"Závod je otevřen v jiném programu (PID ",
                                        "The race is open in another program (PID "};
inline constexpr Text kRaceLockedAfter{"), nic nebylo změněno. Zavřete ho tam a zkuste to znovu.",
                                       "); nothing was changed. Close it there and try again."};
inline constexpr Text kRaceLockFailedBefore{"Závod nelze zamknout pro zápis (",
                                            "The race cannot be locked for writing ("};
inline constexpr Text kRaceLockFailedAfter{"), nic nebylo změněno.", "); nothing was changed."};
// Logged when the window opens a race that another program holds.
inline constexpr Text kRaceOpenedReadOnly{"Závod je otevřen jen pro čtení, změny nelze uložit. ",
                                          "The race is opened read-only; changes cannot be saved. "};
inline constexpr Text kReadOnlyTitle{" - jen pro čtení", " - read-only"};

// Temporary files of a killed program, removed when the race is opened.
inline constexpr Text kStaleTemporaryFilesRemoved{"Odstraněny dočasné soubory ukončeného programu: ",
                                                  "Removed temporary files of a program that ended: "};

// Competitors of a class the stage does not have: "3 competitors of class "Men E" are in no class of stage
// 1".
inline constexpr Text kOneCompetitorOfClass{" závodník kategorie \"", " competitor of class \""};
inline constexpr Text kIsInNoClassOfStage{"\" není v žádné kategorii etapy ", "\" is in no class of stage "};
// Czech counts 2 to 4 take the nominative plural, 5 and more the genitive.
inline constexpr Text kFewCompetitorsOfClass{" závodníci kategorie \"", " competitors of class \""};
inline constexpr Text kFewAreInNoClassOfStage{"\" nejsou v žádné kategorii etapy ",
                                              "\" are in no class of stage "};
inline constexpr Text kCompetitorsOfClass{" závodníků kategorie \"", " competitors of class \""};
inline constexpr Text kAreInNoClassOfStage{"\" není v žádné kategorii etapy ",
                                           "\" are in no class of stage "};

// A stage folder that is not there (an unmounted share): "The stage folder PATH does not exist ...".
inline constexpr Text kStageFolderMissingBefore{"Složka etapy ", "The stage folder "};
inline constexpr Text kStageFolderMissingAfter{
    " neexistuje (je její disk připojen?). Nic nebylo změněno.",
    " does not exist (is its drive connected?). Nothing was changed."};

inline constexpr const char* kReadOutLogFilter = "SportIDENT Reader CSV|*.csv|any file|*.*";

// The race's own Ravik file could not be read: "Soubor " + path + " nelze přečíst (" + reason + ...
inline constexpr Text kClassRulesFileDamagedBefore{"Soubor ", "The file "};
inline constexpr Text kClassRulesFileDamagedMiddle{" nelze přečíst (", " cannot be read ("};
inline constexpr Text kClassRulesFileDamagedAfter{
    "): všechny kategorie se počítají jako PreO. Před dalším uložením se jeho obsah uschová jako ",
    "): every class is scored as PreO. Before the next save its content is kept as "};

} // namespace ravik::texts
