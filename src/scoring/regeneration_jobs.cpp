#include "scoring/regeneration_jobs.h"

#include "core/numbers.h"

#include <climits>

namespace ravik {
namespace {

struct OptionLine {
    bool ResultsControls::*flag;
    Text text;
};

const OptionLine kOptionLines[] = {
    {&ResultsControls::sameCourses, {" - Stejné tratě", " - The same courses"}},
    {&ResultsControls::columns, {" - Podrobné výsledky ", " - Detailed results "}},
    {&ResultsControls::details, {" - Detaily ", " - Very detailed results "}},
    {&ResultsControls::splits, {" - Mezičasy ", " - Splittimes "}},
    {&ResultsControls::keepOrder, {" - Poradi kontrol ", " - Control order check "}},
    {&ResultsControls::unansweredIsWrong, {" - Nezodpovězená = chybná (IOF) ", " - Unanswered = wrong (IOF) "}},
};

const OptionLine kOutputLines[] = {
    {&ResultsControls::relay, {" - Stafety ", " - Relays "}},
    {&ResultsControls::motala, {" - Motala ", " - Motala "}},
    {&ResultsControls::farsta, {" - Farsta ", " - Farsta "}},
    {&ResultsControls::oris, {" - ORIS ", " - ORIS "}},
    {&ResultsControls::showStagePage,
     {" - Okno pro nahled vysledku - jednodenni zavod", " - Show up the result window - one stage"}},
    {&ResultsControls::showOverallPage,
     {" - Okno pro nahled vysledku - celkove vysledky ", " - Show up the result window - total results "}},
};

std::string selectedClasses(const ResultsControls& c, const std::vector<bool>& selection) {
    std::string text;
    for (std::size_t i = 0; i < c.classNames.size() && i < selection.size(); ++i)
        if (selection[i]) text += c.classNames[i] + ", ";
    return text;
}

} // namespace

bool RegenerationJobs::record(JobKind kind, const ResultsControls& controls, const std::string& periodMinutes) {
    if (count() >= kMaxRegenerationJobs) return false;
    jobs_.push_back({kind, controls});
    // Edit3 holds digits only; an empty edit or 0 would spin the timer, so it counts as 1 minute.
    const long long minutes = std::min<long long>(leadingDigits(periodMinutes), INT_MAX / 60000);
    periodMs_ = static_cast<int>(std::max<long long>(minutes, 1) * 60000);
    return true;
}

std::vector<std::string> RegenerationJobs::tickLines() const {
    if (jobs_.empty()) return {};
    return {"Automatické generování výsledků", "Počet zadaných operací: " + std::to_string(count())};
}

std::vector<std::string> RegenerationJobs::infoLines(Language language) const {
    const std::string rule(50, '-');
    auto t = [language](const Text& text) { return std::string(tr(language, text)); };
    std::vector<std::string> lines;
    for (const RegenerationJob& job : jobs_) {
        const ResultsControls& c = job.controls;
        lines.push_back(rule);
        lines.push_back(t({"AUTOMATICKÉ GENEROVÁNÍ VÝSLEDKŮ - NASTAVENÍ", "AUTOMATIC RESULTS GENERATION - SETTINGS"}));
        lines.push_back(rule);
        lines.push_back(t({"Etapa:", "Stage:"}) + c.stage);
        lines.push_back(t({"Vybrané kategorie jedna etapa: ", "Selected classes for one stage: "}) +
                        selectedClasses(c, c.stageSelection));
        lines.push_back(t({"Vybrané kategorie celkove vysledky: ", "Selected classes for total results: "}) +
                        selectedClasses(c, c.overallSelection));
        for (const auto& option : kOptionLines)
            if (c.*option.flag) lines.push_back(t(option.text));
        if (c.tempoStyle)
            lines.push_back(t({" - TempOstyle, TempOstyle penalizace ", " - TempOstyle, TempOstyle penality "}) +
                            c.wrongAnswerPenalty);
        for (const auto& option : kOutputLines)
            if (c.*option.flag) lines.push_back(t(option.text));
        for (int stage = 1; stage <= 5; ++stage)
            if (c.overallStages[stage - 1]) lines.push_back(" + E" + std::to_string(stage) + " ");
        lines.push_back("refresh=" + c.refresh);
        if (c.roll) lines.push_back(t({"- rolování tabulky rychlostí ", "- roll the table with speed "}) + c.rollPeriod);
        if (c.hold)
            lines.push_back(language == Language::English ? "- keep " + c.holdCount + " first places"
                                                          : "- držet " + c.holdCount + " prvních míst");
        lines.push_back(rule);
    }
    return lines;
}

} // namespace ravik
