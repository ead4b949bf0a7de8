// The warnings about class definitions, in both languages.
#include "setup/definition_checks.h"

#include <gtest/gtest.h>

namespace ravik {
namespace {

// Control 1 "A-B" answer A with codes A 31, B 32, Z 33.
ClassDefinition sound() {
    ClassDefinition definition;
    definition.class_name = "H21";
    definition.control_flags[0] = "A-B";
    definition.control_answer[0] = "A";
    definition.answer_codes[0] = {31, 32, 0, 0, 0, 0, 33};
    return definition;
}

// A sound sprint control: the flag A, codes A 31 and Z 33.
void sprintOfFlagA(ClassDefinition& definition) {
    definition.rules.format = ClassFormat::PreOSprint;
    definition.control_flags[0] = "A";
    definition.answer_codes[0] = {31, 0, 0, 0, 0, 0, 33};
}

TEST(DefinitionChecks, WarnEachMistakeInTheLanguage) {
    const struct {
        const char* mistake;
        void (*make)(ClassDefinition&);
        const char* english;
        const char* czech;
    } cases[] = {
        {"answer outside the flags", [](ClassDefinition& d) { d.control_answer[0] = "E"; },
         "Warning: class H21, control 1: the answer \"E\" is not among the flags \"A-B\".",
         "Varování: kategorie H21, kontrola 1: řešení \"E\" není mezi vlajkami \"A-B\"."},
        {"code for a missing flag", [](ClassDefinition& d) { d.answer_codes[0][2] = 34; },
         "Warning: class H21, control 1: a station code for the flag C, which the control does not have "
         "(\"A-B\").",
         "Varování: kategorie H21, kontrola 1: kód stanice pro vlajku C, kterou kontrola nemá (\"A-B\")."},
        {"flags without answer", [](ClassDefinition& d) { d.control_answer[0] = ""; },
         "Warning: class H21, control 1 has flags but no answer.",
         "Varování: kategorie H21, kontrola 1 má vlajky, ale žádné řešení."},
        {"one code on two answers", [](ClassDefinition& d) { d.answer_codes[0][1] = 31; },
         "Warning: class H21: the station code 31 stands at 1A and at 1B.",
         "Varování: kategorie H21: kód stanice 31 je u 1A i u 1B."},
        {"one code on two controls",
         [](ClassDefinition& d) {
             d.control_flags[1] = "A";
             d.control_answer[1] = "Z";
             d.answer_codes[1] = {40, 0, 0, 0, 0, 0, 33};
         },
         "Warning: class H21: the station code 33 stands at 1Z and at 2Z.",
         "Varování: kategorie H21: kód stanice 33 je u 1Z i u 2Z."},
        {"tasks without penalty", [](ClassDefinition& d) { d.cluster_answers[3][0] = "B"; },
         "Warning: class H21 has timed-control tasks, but the penalty per wrong answer is 0.",
         "Varování: kategorie H21 má úkoly časovek, ale trestné sekundy za časovku jsou 0."},
        {"sprint control with two flags",
         [](ClassDefinition& d) { d.rules.format = ClassFormat::PreOSprint; },
         "Warning: class H21 is a PreO Sprint, but control 1 has the flags A-B (a sprint has flag A only).",
         "Varování: kategorie H21 je PreO Sprint, ale kontrola 1 má vlajky A-B (sprint má jen vlajku A)."},
        {"sprint with a timed-control station",
         [](ClassDefinition& d) {
             sprintOfFlagA(d);
             d.cluster_answers[0][0] = "A";
             d.cluster_penalty = 60;
         },
         "Warning: class H21 is a PreO Sprint, but it has timed-control stations (a sprint does not count "
         "them).",
         "Varování: kategorie H21 je PreO Sprint, ale má stanoviště časovek (ve sprintu se nepočítají)."},
        {"sprint limit above 30 minutes",
         [](ClassDefinition& d) {
             sprintOfFlagA(d);
             d.time_limit = 31;
         },
         "Warning: class H21 is a PreO Sprint, but its limit is 31 minutes (more than 30).",
         "Varování: kategorie H21 je PreO Sprint, ale její limit je 31 minut (více než 30)."},
    };
    EXPECT_TRUE(definitionWarnings(sound(), Language::English).empty());
    ClassDefinition sprint = sound();
    sprintOfFlagA(sprint);
    sprint.time_limit = 30;
    EXPECT_TRUE(definitionWarnings(sprint, Language::English).empty());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mistake);
        ClassDefinition definition = sound();
        c.make(definition);
        EXPECT_EQ(definitionWarnings(definition, Language::English), std::vector<std::string>{c.english});
        EXPECT_EQ(definitionWarnings(definition, Language::Czech), std::vector<std::string>{c.czech});
    }
}

TEST(DefinitionChecks, AcceptZAndTheVoidingXAtEveryRangeAndTasksWithAPenalty) {
    ClassDefinition definition = sound();
    definition.control_flags[1] = "A-F";
    definition.control_answer[1] = "X";
    definition.control_answer[0] = "Z";
    definition.cluster_answers[0][0] = "X";
    definition.cluster_penalty = 60;
    EXPECT_TRUE(definitionWarnings(definition, Language::English).empty());
    RaceRecord record;
    record.classes[0] = sound();
    record.classes[0].control_answer[0] = "F";
    record.classes[2] = record.classes[0];
    record.classes[2].class_name = "D21";
    EXPECT_EQ(stageDefinitionWarnings(record, Language::English).size(), 2u);
}

} // namespace
} // namespace ravik
