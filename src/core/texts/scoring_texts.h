#pragma once
// Messages, log lines and page texts of the stage scoring and the result pages (UTF-8).
#include "core/language.h"

namespace ravik::texts {

// A cell that must hold a whole number does not; %1 = row, %2 = column, %3 = the cell's text.
inline constexpr Text kCellNotANumber{
    "Výsledky nelze spočítat: na řádku %1 ve sloupci %2 není číslo (\"%3\"). Nic nebylo zapsáno.",
    "Results cannot be computed: on row %1 the column %2 holds no number (\"%3\"). Nothing was written."};
// A number the page needs from an edit is not one; %1 = the edit's role, %2 = its text.
inline constexpr Text kEditNotANumber{"Pole \"%1\" musí obsahovat číslo, obsahuje \"%2\".",
                                      "The field \"%1\" must hold a number, it holds \"%2\"."};
inline constexpr Text kQualificationField{"Kvalifikační čára", "Qualification line"};
inline constexpr Text kLeadersField{"Držet nejlepších", "Hold the best"};

// Scoring a stage whose folder is missing (an unmounted share?) stops: "Složka etapy " + folder + ...
inline constexpr Text kStageFolderNotFoundBefore{"Složka etapy ", "The stage folder "};
inline constexpr Text kStageFolderNotFoundAfter{
    " neexistuje. Výsledky nebyly spočítány, nic nebylo změněno.",
    " does not exist. No results were computed, nothing was changed."};
// A punch or timed-control file that cannot be read is left out of the scoring:
// "Soubor " + path + " byl vynechán: " + reason.
inline constexpr Text kFileSkippedBefore{"Soubor ", "Skipped the file "};
inline constexpr Text kFileSkippedMiddle{" byl vynechán: ", ": "};
// A line of a punch file left out: "Left out a line of the file PATH: REASON".
inline constexpr Text kLineSkippedBefore{"V souboru ", "Left out a line of the file "};
inline constexpr Text kLineSkippedMiddle{" byl vynechán řádek: ", ": "};

// Log lines after a page is written (followed by the stage folder).
inline constexpr Text kNoClassSelected{"Není vybrána žádná kategorie, stránka výsledků nevznikla.",
                                       "No class is selected, so no results page was written."};
inline constexpr Text kPageWrittenLog{"HTM vysledky - ", "HTM results - "};
inline constexpr const char* kOrisWrittenLog = "CSV results - "; // Czech mode only

// Page file names: prefix + stage + class marker + classes + ".htm".
inline constexpr Text kPagePrefix{"vysledky_E", "results_E"};
inline constexpr Text kRelayPagePrefix{"vysledky_stafet_E", "relay_results_E"};
inline constexpr Text kClassMarker{"_kategorie_", "_class_"};

// The classes line of the pages.
inline constexpr Text kClassResultsHeading{"<h3>Výsledky kategorie ", "<h3>Class results "};
inline constexpr Text kRelayResultsHeading{"<h3>Výsledky štafet kategorie ", "<h3>Relay results - class "};

// Status words in the number cells of the pages, the slip's place line and the
// overall and relay time cells; international, so the same in both languages.
inline constexpr Text kStatusDisqualified{"DISK", "DISK"};
inline constexpr Text kStatusDidNotFinish{"DNF", "DNF"};
inline constexpr Text kStatusDidNotStart{"DNS", "DNS"};

// The ORIS text file's score, in both languages.
inline constexpr Text kOrisPoints{" bodů / ", " bodů / "};

} // namespace ravik::texts
