#pragma once
// Messages of the read-out and of the manual punch entry, in both languages (UTF-8).
#include "core/language.h"

namespace ravik::texts {

// The read-out pass (logged in Memo1).
inline constexpr Text kLogLocked{" je nedostupný. Pravděpodobně je soubor zamknutý - probíhá vyčítání čipu.",
                                 " unreachable. Probably the file is locked - SI is reading now."};
inline constexpr Text kHeaderLikeLine{
    "Zkontroluj log SI (CSV soubor)! Je tam jeden řádek, co tam nepatří (pravděpodobně ten první).",
    "Check out the SI-log (CSV file)! There is a line which shall be deleted manually (probably the first "
    "one)"};
inline constexpr Text kSiLogRead{"SIlog read", "SIlog read"};
// "Error in CSV file [SI" + card + "], missing control code or time."
inline constexpr Text kMissingModeOrTimeBefore{"Error in CSV file [SI", "Error in CSV file [SI"};
inline constexpr Text kMissingModeOrTimeAfter{"], missing control code or time.",
                                              "], missing control code or time."};
inline constexpr Text kMissingId{"V tabulce závodníků chybí ID závodníků!",
                                 "In competitor table some of the \"ID\"s are missing!"};
// "POZOR! Cip " + number + " neni přiřazený žádnému závodníkovi!!"
inline constexpr Text kCardNotAssignedBefore{"POZOR! Cip ", "CAUTION! SI card "};
inline constexpr Text kCardNotAssignedAfter{" neni přiřazený žádnému závodníkovi!!",
                                            " is not assigned to any competitor!!"};
// Automatic read-out started: before + interval text + after.
inline constexpr Text kTimerOnBefore{"Časovač spuštěn, jednou za ", "Timer is on, each "};
inline constexpr Text kTimerOnAfter{" s bude zkontrolován SI Log.", " s the SI Log will be checked."};

// Sound behaviour added to the read-out pass.
// "SI log line " + number + " ..." for lines outside the log format.
inline constexpr Text kMalformedLineBefore{"Řádek ", "Line "};
inline constexpr Text kMalformedLineAfter{" SI logu nemá správný formát a byl vynechán.",
                                          " of the SI log is not in the expected format and was skipped."};
inline constexpr Text kMoreMalformedLinesBefore{"Dalších chybných řádků SI logu: ",
                                                "Further malformed lines of the SI log: "};
inline constexpr Text kTooManyEmptyCodes{
    "V SI logu je víc než 10000 řádků bez kódu, další byly vynechány.",
    "The SI log has more than 10000 lines without a code; the rest were skipped."};
inline constexpr Text kStageFolderMissing{
    "Složka etapy neexistuje, vyčtené čipy nelze uložit: ",
    "The stage folder does not exist, the read cards cannot be saved: "};
inline constexpr Text kPunchFileNotWritten{"Soubor ražení nelze zapsat: ", "Cannot write the punch file: "};
// "SI card 2045117 is still being read; ..." for a card without its finish line in a log still written to.
inline constexpr Text kCardStillBeingReadBefore{"Čip ", "SI card "};
inline constexpr Text kCardStillBeingReadAfter{" se ještě vyčítá, soubor ražení bude zapsán později.",
                                               " is still being read; its punch file will be written later."};
inline constexpr Text kIdNotFileName{"ID závodníka nelze použít jako jméno souboru: ",
                                     "The competitor ID cannot be used as a file name: "};

// The grids of the manual punch entry.
// Giving an unassigned card to a competitor.
inline constexpr Text kAssignCardNotNumber{"Číslo čipu musí být číslo: ",
                                           "The card number must be a number: "};
inline constexpr Text kAssignNoSuchId{"Závodník s ID %1 není v tabulce závodníků.",
                                      "No competitor has the ID %1 in the competitor table."};
inline constexpr Text kAssignHasCard{"Závodník %1 už má čip %2.",
                                     "Competitor %1 already carries the card %2."};
inline constexpr Text kAssignCardTaken{"Čip %1 už má závodník %2.", "The card %1 is already carried by %2."};
inline constexpr Text kAssignDialogTitle{"Přiřadit čip", "Assign card"};
inline constexpr Text kAssignDialogCard{"Čip %1 dostane závodník:", "Card %1 goes to the competitor:"};
inline constexpr Text kAssignDialogSearch{"Hledat podle jména nebo ID", "Search by name or ID"};
inline constexpr Text kAssignDialogCardClass{" (kategorie podle ražení)", " (class of the punches)"};
inline constexpr Text kAssignNoCard{"Vyberte v seznamu nepřiřazených čipů čip, který chcete přiřadit.",
                                    "Choose the card to assign in the list of unassigned cards."};
inline constexpr Text kAssignCardDone{"Čip %1 přiřazen závodníkovi %2.",
                                      "Card %1 assigned to competitor %2."};

inline constexpr Text kAnswerRowTitle{"Odp.", "Answ."};
inline constexpr Text kTimeColumnTitle{"čas [s]", "time [s]"};

} // namespace ravik::texts
