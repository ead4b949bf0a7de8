#pragma once
// Texts of the jury's tools: the answer statistics page and the warnings about
// class definitions (UTF-8).
#include "core/language.h"

namespace ravik::texts {

// The statistics page: file name and headings.
inline constexpr Text kStatisticsPagePrefix{"statistika_E", "statistics_E"};
inline constexpr Text kStatisticsHeading{"<h3>Statistika odpovědí kategorie ",
                                         "<h3>Answer statistics - class "};
inline constexpr Text kStatisticsWrittenLog{"HTM statistika - ", "HTM statistics - "};
inline constexpr Text kStatisticsControl{"Kontrola", "Control"};
inline constexpr Text kStatisticsFlags{"Vlajky", "Flags"};
inline constexpr Text kStatisticsCorrect{"Řešení", "Solution"};
inline constexpr Text kStatisticsSeveral{"Více", "Several"};
inline constexpr Text kStatisticsNone{"Nic", "None"};
inline constexpr Text kStatisticsShare{"Správně", "Correct"};
// "Kategorie H21 - odstartovalo 17" / "Class H21 - 17 started"; %1 = class, %2 = count.
inline constexpr Text kStatisticsClassLine{"Kategorie %1 - odstartovalo %2", "Class %1 - %2 started"};
// A timed-control station's row; %1 = station number, %2 = median time, %3 = median penalty.
inline constexpr Text kStatisticsStationLine{"Časovka TC%1 - medián času %2 s, medián trestu %3 s",
                                             "Timed control TC%1 - median time %2 s, median penalty %3 s"};
inline constexpr Text kStatisticsStationOff{"Časovka TC%1 - vypnuta", "Timed control TC%1 - switched off"};

// Definition checks: warnings in the log box, never a refusal. %1 = class, %2 = control or station.
inline constexpr Text kWarnAnswerOutsideFlags{
    "Varování: kategorie %1, kontrola %2: řešení \"%3\" není mezi vlajkami \"%4\".",
    "Warning: class %1, control %2: the answer \"%3\" is not among the flags \"%4\"."};
inline constexpr Text kWarnCodeOutsideFlags{
    "Varování: kategorie %1, kontrola %2: kód stanice pro vlajku %3, kterou kontrola nemá (\"%4\").",
    "Warning: class %1, control %2: a station code for the flag %3, which the control does not have "
    "(\"%4\")."};
inline constexpr Text kWarnFlagsWithoutAnswer{
    "Varování: kategorie %1, kontrola %2 má vlajky, ale žádné řešení.",
    "Warning: class %1, control %2 has flags but no answer."};
// %2 = the code, %3 = where it stands first, %4 = where again ("3A", "5C").
inline constexpr Text kWarnCodeTwice{"Varování: kategorie %1: kód stanice %2 je u %3 i u %4.",
                                     "Warning: class %1: the station code %2 stands at %3 and at %4."};
inline constexpr Text kWarnTasksWithoutPenalty{
    "Varování: kategorie %1 má úkoly časovek, ale trestné sekundy za časovku jsou 0.",
    "Warning: class %1 has timed-control tasks, but the penalty per wrong answer is 0."};
// A PreO Sprint has one flag per control, no timed controls and a short limit.
inline constexpr Text kWarnSprintFlags{
    "Varování: kategorie %1 je PreO Sprint, ale kontrola %2 má vlajky %3 (sprint má jen vlajku A).",
    "Warning: class %1 is a PreO Sprint, but control %2 has the flags %3 (a sprint has flag A only)."};
inline constexpr Text kWarnSprintTimedControls{
    "Varování: kategorie %1 je PreO Sprint, ale má stanoviště časovek (ve sprintu se nepočítají).",
    "Warning: class %1 is a PreO Sprint, but it has timed-control stations (a sprint does not count them)."};
inline constexpr Text kWarnSprintLimit{
    "Varování: kategorie %1 je PreO Sprint, ale její limit je %2 minut (více než 30).",
    "Warning: class %1 is a PreO Sprint, but its limit is %2 minutes (more than 30)."};

} // namespace ravik::texts
