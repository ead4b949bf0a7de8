#pragma once
// Messages and captions of the competitor window, the start-time draw, the entry
// imports and the start lists, in both languages (UTF-8).
#include "core/language.h"

namespace ravik::texts {

// Competitor window.
inline constexpr Text kCompetitorsTitle{"Ravik / Závodníci", "Ravik / Competitors"};
inline constexpr Text kDeleteLine{"Smazat řádek", "Delete line"};
inline constexpr Text kSortById{"Srovnat podle ID", "Sort by ID"};
inline constexpr Text kSortByStagePrefix{"Srovnat podle E", "Sort by E"};
inline constexpr Text kSortByClass{"Srovnat podle kategorie", "Sort by class"};
inline constexpr Text kSortByName{"Srovnat podle jména", "Sort by name"};
inline constexpr Text kSortByRelay{"Srovnat podle štafety", "Sort by relay number"};
inline constexpr Text kSortByCountry{"Srovnat podle státu", "Sort by country"};
// The table takes at most 2000 competitors; rows beyond are not added.
inline constexpr Text kTableFull{"Tabulka je plná (2000 závodníků), řádek nebyl přidán.",
                                 "The table is full (2000 competitors), no row was added."};

// Start-time draw.
inline constexpr Text kIntervalReadAsZero{
    "Interval byl změněn na 0, protože číslo bylo zadáno špatně. Zkus změnit desetinnou tečku na čárku nebo "
    "opačně.",
    "Interval byl změněn na 0, protože číslo bylo zadáno špatně. Zkus změnit desetinnou tečku na čárku nebo "
    "opačně."};
inline constexpr Text kStartTimeNotFound{"One of the start times has not been found.",
                                         "One of the start times has not been found."};
// Results mode with an interval or first start that is not a number: nothing changes.
// "Startovní časy E2 podle výsledků E1: 12 závodníků" — stage, previous stage and count go between.
inline constexpr Text kStartsByResultsStage{"Startovní časy E", "Start times of E"};
inline constexpr Text kStartsByResultsPrevious{" podle výsledků E", " by the results of E"};
inline constexpr Text kStartsByResultsCount{", závodníků: ", ", competitors: "};
inline constexpr Text kDrawNumbersUnreadable{
    "Interval nebo první start není číslo, startovní časy nebyly změněny.",
    "The interval or the first start is not a number, the start times were not changed."};

// Entry imports.
inline constexpr Text kTextImportHeading{"Ravik / Závodníci / Import TXT",
                                         "Ravik / Competitors / Import TXT"};
inline constexpr Text kTextImportColumns{
    "XXX0000 KATEGORIE SI......... PRIJMENI.A.JMENO.........   NAT STARTNO STAF",
    "XXX0000 CLASS.... SI......... SURNAME.AND.NAME.........   NAT STARTNO RELAY"};
inline constexpr const char* kXmlEntryListFilter = "IOF XML Entry list|*.XML|other|*.*";
inline constexpr Text kXmlFileTooBig{"File is bigger then 10MB, unable to read. :(",
                                     "File is bigger then 10MB, unable to read. :("};
inline constexpr Text kXmlNotReadable{"Soubor není čitelné XML, nic nebylo importováno: ",
                                      "The file is not readable XML, nothing was imported: "};
// "... nothing was imported: FILE (team entry list (TeamEntry))"
inline constexpr Text kXmlNoPersonEntries{
    "Soubor neobsahuje žádnou přihlášku jednotlivce (PersonEntry), nic nebylo importováno: ",
    "The file holds no person entry (PersonEntry), nothing was imported: "};
inline constexpr Text kXmlKindTeamEntryList{"přihlášky týmů (TeamEntry)", "team entry list (TeamEntry)"};
inline constexpr Text kXmlKindEntryList{"prázdný seznam přihlášek (EntryList)",
                                        "empty entry list (EntryList)"};
inline constexpr Text kXmlKindResultList{"výsledková listina (ResultList)", "result list (ResultList)"};
inline constexpr Text kXmlKindStartList{"startovní listina (StartList)", "start list (StartList)"};
inline constexpr Text kXmlKindOther{"XML s kořenovým prvkem <", "XML with the root element <"};
// After every import: "Added competitors per class: H21 3, D21 1".
inline constexpr Text kImportAddedPerClass{"Přidaní závodníci podle kategorií: ",
                                           "Added competitors per class: "};
inline constexpr Text kImportAddedNone{"žádní", "none"};
inline constexpr Text kImportNoClass{"(bez kategorie)", "(no class)"};
inline constexpr Text kXmlEntriesWithoutName{"Přihlášky bez jména (přeskočeny): ",
                                             "Entries without a name (skipped): "};
inline constexpr Text kImportRowsNotAdded{"Tabulka je plná (2000 závodníků), nepřidaní závodníci: ",
                                          "The table is full (2000 competitors), competitors not added: "};

// Start lists.
inline constexpr Text kStartListTitle{"Startovka etapy číslo...", "Startlist for stage no..."};
inline constexpr Text kStartListPrompt{"Zadej etapu:", "Enter the stage:"};
inline constexpr Text kStageNotInRaceBefore{"Tato etapa (", "This stage ("};
inline constexpr Text kStageNotInRaceAfter{") v závodě není.", ") is not set in this competition."};
inline constexpr Text kStageStartNotSet{"Start time of the stage is not set!",
                                        "Start time of the stage is not set!"};
inline constexpr Text kStageStartUnreadable{"Čas startu etapy není ve tvaru HH:MM: ",
                                            "The stage start time is not written HH:MM: "};
// A start cell that is not a number: the row is left out of the start list.
inline constexpr Text kStartCellNotNumber{"Startovka: start není číslo, řádek vynechán: ",
                                          "Start list: the start is not a number, row left out: "};

} // namespace ravik::texts
