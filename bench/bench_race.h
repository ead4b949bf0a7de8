#pragma once
// The race the benchmarks score: classes of 40 controls (answer codes 100 + 7 k +
// position) and 20 timed-control stations, and each competitor's punch lines and
// timed-control file, all reproducible from the competitor's number.
#include "core/competitor_table.h"
#include "core/cp1250.h"
#include "core/race_record.h"

#include <string>

namespace ravik::bench {

inline std::string twoDigit(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

inline std::string timeOfDay(int seconds) {
    return twoDigit(seconds / 3600 % 24) + ":" + twoDigit(seconds / 60 % 60) + ":" + twoDigit(seconds % 60);
}

inline ClassDefinition benchClass(int index) {
    ClassDefinition definition;
    definition.class_name = "K" + std::to_string(index);
    definition.time_limit = 150;
    definition.cluster_penalty = 60;
    for (int k = 0; k < kControls; ++k) {
        definition.control_flags[k] = "A-E";
        definition.control_answer[k] = std::string(1, static_cast<char>('A' + (k + index) % 5));
        for (int position = 0; position < kAnswersPerControl; ++position)
            definition.answer_codes[k][position] = 100 + k * 7 + position;
    }
    for (int s = 0; s < kClusters; ++s)
        for (int t = 0; t < 5; ++t)
            definition.cluster_answers[s][t] = std::string(1, static_cast<char>('A' + (s + t) % 6));
    return definition;
}

// The stage: classes K0, K1, ... up to `classes`.
inline RaceRecord benchStage(int classes) {
    RaceRecord record;
    record.stage_number = 1;
    record.race_name = "Bench Cup";
    record.stage_date = "2026-05-01";
    record.stage_place = "Brno";
    record.stage_start = "10:00";
    for (int c = 0; c < classes; ++c)
        record.classes[c] = benchClass(c);
    return record;
}

// Competitor i: ID i, class K(i mod classes), starting in stage 1.
inline TableRow benchCompetitor(int i, int classes) {
    TableRow row;
    row[column::kId] = std::to_string(i);
    row[column::kClass] = "K" + std::to_string(i % classes);
    row[column::kName] = utf8ToCp1250("Novák Jan " + std::to_string(i));
    row[column::kRegistration] = "ABC" + std::to_string(1000 + i);
    row[column::kFlag] = "CZE";
    row[column::start(1)] = std::to_string(i % 120);
    return row;
}

// The card of competitor i as the read-out log holds it: start, 40 controls (every
// ninth or so answered wrong), finish; each line begins with `prefix` and card.
inline std::string cardLines(int i, const ClassDefinition& definition, const std::string& card) {
    std::string lines =
        "MANUAL;" + card + ";1;STA;RDO;6;2026-05-01;" + timeOfDay(36000 + i * 30) + ";0;00;\r\n";
    for (int k = 0; k < kControls; ++k) {
        const int position = (k * 13 + i) % 9 == 0 ? (k + 1) % 5 : definition.control_answer[k][0] - 'A';
        lines += "1;" + card + ";" + std::to_string(definition.answer_codes[k][position]) +
                 "; CN;1;6;2026-05-01;" + timeOfDay(36000 + i * 30 + (k + 1) * 150 + i % 60) + ";5;12;\r\n";
    }
    lines += "MANUAL;" + card + ";2;FIN;RDO;6;2026-05-01;" + timeOfDay(36000 + i * 30 + 6300 + i % 900) +
             ";41;00;\r\n";
    return lines;
}

inline std::string timedControlText(int i, const ClassDefinition& definition) {
    std::string timed;
    for (int s = 0; s < kClusters; ++s) {
        for (int t = 0; t < 5; ++t)
            timed += (s + t + i) % 7 == 0 ? 'B' : definition.cluster_answers[s][t][0];
        timed += ";" + std::to_string(20 + (s * i) % 70) + ";*\r\n";
    }
    return timed;
}

} // namespace ravik::bench
