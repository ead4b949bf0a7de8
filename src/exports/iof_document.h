#pragma once
// The parts every IOF XML 3.0 document of the program shares, built with
// pugixml: the message element and its event, competitors as persons, statuses,
// and the bytes written (UTF-8, CR LF).
#include "scoring/stage_status.h"

#include <chrono>
#include <cstdint>
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace ravik {

class CompetitorTable;

// The document with its declaration and the message element (`ResultList` or
// `StartList`) carrying the namespaces, iofVersion, createTime and creator.
pugi::xml_node startIofDocument(pugi::xml_document& document, const char* message,
                                const std::string& createTime);

// A child element holding code page 1250 text as UTF-8 (control characters left out).
pugi::xml_node appendText(pugi::xml_node parent, const char* name, std::string_view cp1250);
pugi::xml_node appendNumber(pugi::xml_node parent, const char* name, std::int64_t value);

// <StartTime>/<EndTime> of an event or race: the date and, when given, HH:MM:SS.
void appendDateAndTime(pugi::xml_node parent, const char* name, std::string_view date,
                       std::string_view time = {});

// The competitor of a table row as the stage result list writes him: Person
// (registration as its Id, family and given name split at the first blank,
// nationality) and his nation as the organisation.
void appendPersonOf(pugi::xml_node parent, const CompetitorTable& table, int row);

// "OK", "Disqualified", "DidNotFinish", "DidNotStart".
const char* iofStatus(StageStatus status);

// <OverallResult> of a standing over several results (stages, legs): its time,
// position (when placed, i.e. above 0), status and score.
void appendOverallResult(pugi::xml_node result, std::int64_t time, int position, StageStatus status,
                         std::int64_t score);

// The document as written: UTF-8, one-space indents, CR LF line ends.
std::string iofDocumentBytes(const pugi::xml_document& document);

// The race path without its extension (".ravik") + the name's end, for example
// "C:\Races\Spring" + "_StartList_E2.xml"; `classes` (code page 1250, joined
// by "+") are made safe for a file name and fitted to the file system's length.
std::string iofFilePath(const std::string& racePath, const std::string& nameMiddle,
                        const std::string& classes = {});

} // namespace ravik
