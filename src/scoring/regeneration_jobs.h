#pragma once
// Automatic regeneration of result pages: result commands recorded as jobs with
// the values of the results window's controls, replayed on every timer tick.
#include "core/language.h"

#include <array>
#include <string>
#include <vector>

namespace ravik {

// The recorded controls of the results window.
struct ResultsControls {
    std::string stage;                     // ComboBox1
    std::vector<std::string> classNames;   // items of ListBox1, at most 9
    std::vector<bool> stageSelection;      // ListBox1
    std::vector<bool> overallSelection;    // ListBox2
    bool sameCourses = false;              // CheckBox1
    bool columns = false;                  // CheckBox2
    bool details = false;                  // CheckBox3
    bool splits = false;                   // CheckBox18
    bool keepOrder = false;                // CheckBox4
    bool tempoStyle = false;               // CheckBox5
    std::string wrongAnswerPenalty = "60"; // Edit1
    bool unansweredIsWrong = false;        // CheckBoxIOF "Nezodpovězená = chybná (IOF)"
    bool relay = false;                    // CheckBox6
    bool motala = false;                   // RadioButton2
    bool farsta = false;                   // RadioButton1
    bool oris = false;                     // oris
    bool showStagePage = false;            // CheckBox20
    bool showOverallPage = false;          // CheckBox21
    std::array<bool, 5> overallStages{};   // ee1 .. ee5
    std::string refresh = "300";           // Edit2
    bool roll = false;                     // CheckBox7
    std::string rollPeriod = "30";         // Edit5
    bool hold = false;                     // CheckBox8
    std::string holdCount = "6";           // Edit4
};

enum class JobKind { StageResults = 1, OverallResults = 2 };

struct RegenerationJob {
    JobKind kind = JobKind::StageResults;
    ResultsControls controls;
};

inline constexpr int kMaxRegenerationJobs = 50;

class RegenerationJobs {
public:
    // Records a job and sets the period from the text of Edit3 (minutes). Returns
    // false, recording nothing, when the list already holds 50 jobs.
    bool record(JobKind kind, const ResultsControls& controls, const std::string& periodMinutes);
    // "Zastavit": forget every job.
    void stop() { jobs_.clear(); }

    int count() const { return static_cast<int>(jobs_.size()); }
    const std::vector<RegenerationJob>& jobs() const { return jobs_; }
    // Timer period in milliseconds; the last recorded period applies to all jobs.
    int periodMilliseconds() const { return periodMs_; }

    // The two log lines of a timer tick (none when there are no jobs).
    std::vector<std::string> tickLines() const;
    // The lines of "Info" for every job, in the language.
    std::vector<std::string> infoLines(Language language) const;
    // "Info - " + count, the caption of Button5.
    std::string infoCaption() const { return "Info - " + std::to_string(count()); }

private:
    std::vector<RegenerationJob> jobs_;
    int periodMs_ = 10 * 60000;
};

} // namespace ravik
