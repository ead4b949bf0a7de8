#include "scoring/result_page.h"

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/log.h"
#include "core/texts/scoring_texts.h"
#include "core/time_of_day.h"
#include "scoring/page_skeleton.h"
#include "scoring/result_cells.h"
#include "scoring/stage_scoring.h"

#include <algorithm>

namespace ravik {
namespace {

// A value of the ORIS text file.
std::string orisValue(std::string value) {
    return separatedField(std::move(value));
}

class StagePageWriter {
public:
    StagePageWriter(const std::vector<StageResult>& results, const RaceRecord& record,
                    const std::vector<std::string>& selectedClasses, const PageOptions& options,
                    Language language, const std::string& raceFolder)
        : record_(record), selected_(selectedClasses), options_(options), language_(language),
          columns_(pageColumns(record, selectedClasses)), flags_(raceFolder) {
        for (const StageResult& result : results)
            if (result.place > 0) placed_.push_back(&result);
        std::stable_sort(placed_.begin(), placed_.end(),
                         [](const StageResult* a, const StageResult* b) { return a->place < b->place; });
        unplaced_ = unplacedResults(results);
        competitorRows_ = static_cast<long long>(results.size());
    }

    ResultPage build() {
        const long long leaders =
            options_.holdLeaders ? editNumber(options_.leaderPlaces, texts::kLeadersField, language_) : 0;
        const long long qualification =
            options_.qualificationLine
                ? editNumber(options_.qualificationAfter, texts::kQualificationField, language_)
                : -1;
        writePageHead(page_, options_);
        writeTitles();
        page_.line("<table width=3000 border=0><tr>");
        if (options_.holdLeaders)
            page_.line("<td height=" + std::to_string(leaders * 24 + 40) + ">&nbsp;<tr>");
        page_.line(R"(<td><table border=1 cellspacing=0 cellpadding=3 class="normal">)");
        writeHeader(page_, columns_, options_, record_, selected_);
        writeMainRows(qualification);
        writeGeneratedLine(page_, options_);
        if (options_.holdLeaders) writeLeaders(leaders);
        writePageEnd(page_, options_);
        return {page_.take(), oris_.take()};
    }

private:
    void writeTitles() {
        writeTitleLines(page_, options_.raceName, record_);
        page_.line(utf8ToCp1250(tr(language_, texts::kClassResultsHeading)) +
                   escapeHtml(selectedClassesText(selected_)) + "</h3>");
    }

    // The red line stands where place `after` + 1 is reached, whether or not anyone holds it.
    void writeMainRows(long long qualification) {
        bool lineWritten = qualification < 0;
        auto qualificationLine = [&] {
            page_.line("<tr><td bgcolor=#FF0000 colspan=" + std::to_string(columns_.width(options_)) +
                       " height=5>");
            lineWritten = true;
        };
        for (const StageResult* result : placed_) {
            if (!lineWritten && result->place >= qualification + 1) qualificationLine();
            writeOrisLine(*result);
            const std::string number =
                result->disqualified() ? statusText(*result) : std::to_string(result->place) + ".";
            writeRow(*result, number, StationCells::Main);
        }
        if (!lineWritten && qualification + 1 <= competitorRows_) qualificationLine();
        // No place, so no line in the ORIS text file either.
        for (const StageResult* result : unplaced_)
            writeRow(*result, statusText(*result), StationCells::Main);
    }

    std::string statusText(const StageResult& result) const {
        return utf8ToCp1250(statusWord(result.status, language_));
    }

    void writeOrisLine(const StageResult& result) {
        if (!options_.oris) return;
        oris_.line(orisValue(result.className) + ";" + std::to_string(result.place) + ".;" +
                   orisValue(result.name) + ";" + orisValue(result.registration) + ";" +
                   std::to_string(result.netScore()) + utf8ToCp1250(tr(language_, texts::kOrisPoints)) +
                   std::to_string(result.total) + "s;");
    }

    void writeRow(const StageResult& result, const std::string& number, StationCells stations) {
        page_.line("<tr><td bgcolor=#EEEEEE>" + number + "<TD bgcolor=#EEEEEE>");
        if (selected_.size() == 1)
            page_.line(escapeHtml(result.name));
        else
            page_.line(
                R"(<table class="normal" border=0 cellspacing=0 cellpadding=0 width=100%><tr bgcolor=#EEEEEE><td>)" +
                escapeHtml(result.name) + R"(<td align="right">()" + escapeHtml(result.className) +
                ")</table>");
        page_.line(flags_.cell(result.nationality));
        if (options_.scoreColumns) writeScoreCells(result);
        if (options_.details)
            writeDetailCells(page_, result, definitionOf(result), columns_, options_.splits, stations);
    }

    // A DNF or DNS has no race time: the status stands in its cell. A DNS also has
    // no points, TC or penalty, as his cells in the table are empty.
    void writeScoreCells(const StageResult& result) {
        const bool started = result.status != StageStatus::DidNotStart;
        const bool timed = isPlacedStatus(result.status);
        page_.line("<TD bgcolor=#EEEEEE><b>" +
                   std::string(result.overtime > 0 ? "<font color=#0000FF>" : "") +
                   (started ? std::to_string(result.netScore()) : std::string()));
        page_.line("<TD bgcolor=#EEEEEE>" + (started ? std::to_string(result.total) : std::string()));
        page_.line(
            "<TD bgcolor=#EEEEEE>" +
            (timed ? minutesSeconds(result.sprint ? result.total : result.raceTime) : statusText(result)));
        page_.line("<TD bgcolor=#EEEEEE>" +
                   (started ? std::to_string(-static_cast<long long>(result.overtime)) : std::string()));
    }

    // Places 1 to N; within a place the selected classes in list order, each in table order.
    void writeLeaders(long long leaders) {
        page_.line(
            R"(<table border=0 cellspacing=0 cellpadding=3 class="highlight" bgcolor=#FFFFFF width=100%><tr><td>)");
        writeTitles();
        page_.line(R"(<table border=1 cellspacing=0 cellpadding=3 class="normal2">)");
        writeHeader(page_, columns_, options_, record_, selected_);
        int count = 0;
        for (auto group = placed_.begin(); group != placed_.end() && (*group)->place <= leaders;) {
            auto groupEnd = std::find_if(group, placed_.end(),
                                         [&](const StageResult* r) { return r->place != (*group)->place; });
            for (const std::string& className : selected_)
                for (auto it = group; it != groupEnd; ++it)
                    if ((*it)->className == className)
                        writeRow(**it, std::to_string(++count) + ".", StationCells::Leaders);
            group = groupEnd;
        }
        page_.line("</table></table>");
    }

    const ClassDefinition& definitionOf(const StageResult& result) const {
        static const ClassDefinition kNoClass;
        return result.classSlot >= 0 ? record_.classes[result.classSlot] : kNoClass;
    }

    const RaceRecord& record_;
    const std::vector<std::string>& selected_;
    const PageOptions& options_;
    Language language_;
    PageColumns columns_;
    FlagCells flags_;
    std::vector<const StageResult*> placed_;
    std::vector<const StageResult*> unplaced_; // DNF, then DNS
    long long competitorRows_ = 0;
    PageLines page_;
    PageLines oris_;
};

} // namespace

ResultPage buildResultPage(const std::vector<StageResult>& results, const RaceRecord& record,
                           const std::vector<std::string>& selectedClasses, const PageOptions& options,
                           Language language, const std::string& raceFolder) {
    return StagePageWriter(results, record, selectedClasses, options, language, raceFolder).build();
}

std::string resultPagePath(const std::string& stageFolder, int stage,
                           const std::vector<std::string>& selectedClasses, Language language) {
    return pageFilePath(stageFolder, tr(language, texts::kPagePrefix), stage,
                        tr(language, texts::kClassMarker), selectedClasses);
}

std::string writeResultPage(const std::vector<StageResult>& results, const RaceRecord& record, int stage,
                            const std::vector<std::string>& selectedClasses, const PageOptions& options,
                            Language language, const std::string& raceFolder, const std::string& stageFolder,
                            Log& log) {
    const ResultPage page = buildResultPage(results, record, selectedClasses, options, language, raceFolder);
    const std::string path = resultPagePath(stageFolder, stage, selectedClasses, language);
    writeFileAtomically(path, page.html);
    log.append(tr(language, texts::kPageWrittenLog) + stageFolder);
    if (options.oris) {
        writeFileAtomically(path.substr(0, path.size() - 4) + ".csv", page.oris);
        if (language == Language::Czech) log.append(texts::kOrisWrittenLog + stageFolder);
    }
    return path;
}

} // namespace ravik
