#include "scoring/statistics_page.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/race_file.h"
#include "core/session.h"
#include "core/texts/jury_texts.h"
#include "core/texts/scoring_texts.h"
#include "scoring/class_lookup.h"
#include "scoring/page_skeleton.h"
#include "scoring/text_format.h"

namespace ravik {
namespace {

constexpr int kBarWidth = 60; // pixels of a bar that every competitor chose
constexpr int kColumns = 3 + kStatisticsLetters + 3;
constexpr const char* kLetterNames[kStatisticsLetters] = {"A", "B", "C", "D", "E", "F", "Z"};

class StatisticsPageWriter {
public:
    StatisticsPageWriter(const RaceRecord& record, const StatisticsOptions& options, Language language)
        : record_(record), options_(options), language_(language) {}

    std::string build(const std::vector<ClassStatistics>& classes) {
        PageOptions skeleton;
        skeleton.generated = options_.generated;
        writePageHead(page_, skeleton);
        writeTitleLines(page_, options_.raceName, record_);
        page_.line(text(texts::kStatisticsHeading) +
                   escapeHtml(selectedClassesText(options_.selectedClasses)) + "</h3>");
        page_.line("<table border=0><tr>");
        page_.line(R"(<td><table border=1 cellspacing=0 cellpadding=3 class="normal">)");
        for (const ClassStatistics& statistics : classes)
            writeClass(statistics);
        writeGeneratedLine(page_, skeleton);
        page_.line("</body>");
        page_.line("</html>");
        return page_.take();
    }

private:
    std::string text(const Text& wording) const { return utf8ToCp1250(tr(language_, wording)); }
    std::string filled(const Text& wording, const std::vector<std::string>& values) const {
        return utf8ToCp1250(fillIn(tr(language_, wording), values));
    }

    void writeClass(const ClassStatistics& statistics) {
        page_.line("<tr><th colspan=" + std::to_string(kColumns) + " bgcolor=#DDDDDD align=left>" +
                   escapeHtml(filled(texts::kStatisticsClassLine, {cp1250ToUtf8(statistics.className),
                                                                   std::to_string(statistics.started)})));
        std::string header = "<tr><th>" + text(texts::kStatisticsControl) + "<th>" +
                             text(texts::kStatisticsFlags) + "<th>" + text(texts::kStatisticsCorrect);
        for (const char* letter : kLetterNames)
            header += std::string("<th>") + letter;
        header += "<th>" + text(texts::kStatisticsSeveral) + "<th>" + text(texts::kStatisticsNone) + "<th>" +
                  text(texts::kStatisticsShare);
        page_.line(header);
        for (const ControlStatistics& control : statistics.controls)
            writeCounts(std::to_string(control.number), escapeHtml(control.flags), control.correct,
                        control.voided, control.counts, statistics.started);
        for (const StationStatistics& station : statistics.stations) {
            const std::string number = std::to_string(station.number);
            page_.line("<tr><td colspan=" + std::to_string(kColumns) + " bgcolor=#DDFFDD>" +
                       (station.switchedOff ? filled(texts::kStatisticsStationOff, {number})
                                            : filled(texts::kStatisticsStationLine,
                                                     {number, halfSeconds(station.medianHalfSeconds),
                                                      halfSeconds(station.medianPenaltyHalfSeconds)})));
            for (const TaskStatistics& task : station.tasks)
                writeCounts("TC" + number + "/" + std::to_string(task.number), "&nbsp;", task.correct,
                            task.voided || station.switchedOff, task.counts, statistics.started);
        }
    }

    static std::string halfSeconds(int half) { return std::to_string(half / 2) + (half % 2 ? ".5" : ""); }

    // A count as a bar of its share of the field, with the number beside it.
    static std::string bar(int count, int started, bool correct) {
        const int width = started > 0 ? (count * kBarWidth + started - 1) / started : 0;
        std::string cell = "<td nowrap>";
        if (width > 0)
            cell += std::string(R"(<span style="display:inline-block;height:8px;width:)") +
                    std::to_string(width) + "px;background-color:" + (correct ? "#22AA22" : "#8899BB") +
                    R"(;"></span> )";
        return cell + std::to_string(count);
    }

    void writeCounts(const std::string& label, const std::string& flags, const std::string& correct,
                     bool voided, const AnswerCounts& counts, int started) {
        std::string row = "<tr><td>" + label + "<td>" + flags + "<td><center>" +
                          (voided ? std::string(kVoidCell) : "<b>" + escapeHtml(correct) + "</b>");
        const int correctColumn = voided ? -2 : answerColumn(correct);
        for (int letter = 0; letter < kStatisticsLetters; ++letter)
            row += bar(counts.letters[letter], started, letter == correctColumn);
        row += bar(counts.several, started, false) + bar(counts.none, started, false);
        if (voided)
            row += std::string("<td><center>") + kVoidCell;
        else
            row +=
                "<td align=right>" +
                (started > 0 ? std::to_string((counts.correct * 100 + started / 2) / started) + " %" : "-");
        page_.line(row);
    }

    const RaceRecord& record_;
    const StatisticsOptions& options_;
    Language language_;
    PageLines page_;
};

} // namespace

std::string buildStatisticsPage(const std::vector<ClassStatistics>& classes, const RaceRecord& record,
                                const StatisticsOptions& options, Language language) {
    return StatisticsPageWriter(record, options, language).build(classes);
}

std::string statisticsPagePath(const std::string& stageFolder, int stage,
                               const std::vector<std::string>& selectedClasses, Language language) {
    return pageFilePath(stageFolder, tr(language, texts::kStatisticsPagePrefix), stage,
                        tr(language, texts::kClassMarker), selectedClasses);
}

std::string writeStatisticsPage(Session& session, const StatisticsOptions& options,
                                std::vector<std::string>* skippedMessages) {
    const RaceRecord record = readStage(session.race.racePath(), options.stage);
    StatisticsOptions named = options;
    if (named.raceName.empty()) named.raceName = record.race_name;
    const std::string stageFolder = session.race.stageFolder(options.stage);
    if (!folderExists(stageFolder))
        throw IoError(session.text(texts::kStageFolderNotFoundBefore) + stageFolder +
                      session.text(texts::kStageFolderNotFoundAfter));
    std::vector<SkippedFile> skipped;
    const auto classes = answerStatistics(session.table, record, options.stage, stageFolder,
                                          options.selectedClasses, options.unansweredIsWrong, &skipped);
    for (const SkippedFile& file : skipped) {
        const std::string message = skippedMessage(file, session.language);
        session.log.append(message);
        if (skippedMessages) skippedMessages->push_back(message);
    }
    const std::string path =
        statisticsPagePath(stageFolder, options.stage, options.selectedClasses, session.language);
    writeFileAtomically(path, buildStatisticsPage(classes, record, named, session.language));
    session.log.append(session.text(texts::kStatisticsWrittenLog) + path);
    return path;
}

} // namespace ravik
