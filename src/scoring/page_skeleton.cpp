#include "scoring/page_skeleton.h"
#include "core/platform/platform.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/file_names.h"
#include "core/numbers.h"
#include "core/texts/scoring_texts.h"
#include "scoring/text_format.h"

#include <ctime>

namespace ravik {
namespace {

// Edits that hold numbers keep their digits; an edit left empty falls back to its default.
std::string digitsOr(const std::string& text, const char* fallback) {
    const std::string digits = digitsOnly(text);
    return digits.empty() ? fallback : digits;
}

} // namespace

void writePageHead(PageLines& page, const PageOptions& options) {
    page.line(R"( <!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">)");
    page.line("<html>");
    page.line("<head>");
    page.line(R"(<meta http-equiv="Content-Type" content="text/html; charset=windows-1250">)");
    page.line(R"(<meta http-equiv="refresh" content=")" + digitsOr(options.refreshSeconds, "300") + R"(">)");
    page.line(R"(<meta http-equiv="Cache-Control" content="no-cache">)");
    page.line("<TITLE>Ravik</TITLE>");
    page.line("</head>");
    page.line(R"(<style type="text/css">)");
    page.line(
        R"( .normal { margin-top: 0px; margin-left: 0px; margin-right: 0px; font-family: "Verdana", "Arial"; font-size: 8pt; text-align: justify; color: #000000;})");
    page.line(
        R"( .normal2 { margin-top: 0px; margin-left: 0px; margin-right: 0px; font-family: "Verdana", "Arial"; font-size: 10pt; text-align: justify; color: #000000;})");
    page.line(" .highlight { position: fixed; top: 0px; left: 0px;");
    page.line("</style>");
    page.line(
        std::string(
            R"(<BODY text="#000000" link="#000000" vlink="#000000" alink="#000000" leftmargin=0 topmargin=0 bgcolor="#ffffff")") +
        (options.rolling ? R"( onload = "onloadFunctions();")" : "") + ">");
}

void writeTitleLines(PageLines& page, const std::string& title, const RaceRecord& record) {
    page.line("<h2>" + escapeHtml(title) + "</h2>");
    // The line holds at most 120 characters with its tags.
    const std::string dateAndPlace =
        (record.stage_date.substr(0, 10) + "," + record.stage_place).substr(0, 111);
    page.line("<h3>" + escapeHtml(dateAndPlace) + "</h3>");
}

void writeGeneratedLine(PageLines& page, const PageOptions& options) {
    page.line("</table></table><p><i>Generated: " +
              (options.generated.empty() ? generatedNow() : options.generated));
}

void writePageEnd(PageLines& page, const PageOptions& options) {
    page.line("</body>");
    for (const char* line : {"<script>", "function onloadFunctions()", "{", "countUp();"})
        page.line(line);
    page.line("setInterval(countUp, " + digitsOr(options.rollPeriod, "30") + ");");
    for (const char* line : {"}", "var count = -150;", "function countUp()", "{", "window.scrollTo(0,count);",
                             "count++;", "if(count == document.body.scrollHeight)", "{",
                             "clearInterval(this);", "location.reload(true);", "}}", "</script>"})
        page.line(line);
}

std::string selectedClassesText(const std::vector<std::string>& selectedClasses) {
    std::string text;
    for (std::size_t i = 0; i < selectedClasses.size(); ++i)
        text += (i ? "+" : "") + selectedClasses[i];
    return text;
}

std::string pageFilePath(const std::string& stageFolder, const std::string& prefix, int stage,
                         const std::string& classMarker, const std::vector<std::string>& selectedClasses) {
    return stageFolder + fittedFileName(prefix + std::to_string(stage) + classMarker,
                                        cp1250ToUtf8(fileNameSafe(selectedClassesText(selectedClasses))),
                                        ".htm");
}

long long editNumber(const std::string& text, const Text& field, Language language) {
    if (!isDigitsOnly(text) || text.size() > 9)
        throw ConversionError(
            fillIn(tr(language, texts::kEditNotANumber), {tr(language, field), cp1250ToUtf8(text)}));
    return std::stoll(text);
}

std::string generatedNow() {
    const std::tm local = platform::localNow();
    char text[32];
    std::strftime(text, sizeof text, "%H:%M:%S, %d.%m.%Y", &local);
    return text;
}

} // namespace ravik
