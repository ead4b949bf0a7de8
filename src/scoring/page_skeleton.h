#pragma once
// The parts every stage and relay page shares: head, style block, body tag,
// title lines, the "Generated:" line and the rolling script.
#include "core/language.h"
#include "core/page_text.h"
#include "core/race_record.h"
#include "scoring/page_options.h"

#include <string>
#include <vector>

namespace ravik {

// Doctype, head with the refresh and the style block, and the body tag (with
// the onload call when the rolling display is on).
void writePageHead(PageLines& page, const PageOptions& options);
// "<h2>" + title and the stage's date and place.
void writeTitleLines(PageLines& page, const std::string& title, const RaceRecord& record);
// "</table></table><p><i>Generated: " + time + ", " + date.
void writeGeneratedLine(PageLines& page, const PageOptions& options);
// "</body>" and the rolling script (always written; started only by onload).
void writePageEnd(PageLines& page, const PageOptions& options);

// The selected classes joined by "+" (code page 1250).
std::string selectedClassesText(const std::vector<std::string>& selectedClasses);
// Page file: stage folder + prefix + stage + class marker + classes + ".htm"; the
// classes converted for the file system with separators and markup characters
// replaced by "_", and shortened with a hash when the name would be too long.
std::string pageFilePath(const std::string& stageFolder, const std::string& prefix, int stage,
                         const std::string& classMarker, const std::vector<std::string>& selectedClasses);

// A number an edit must hold (digits only); ConversionError naming the field otherwise.
long long editNumber(const std::string& text, const Text& field, Language language);

// Current local time and date as the Generated line shows them ("14:05:09, 08.12.2026").
std::string generatedNow();

} // namespace ravik
