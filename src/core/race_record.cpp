#include "core/race_record.h"

#include "core/byte_io.h"

namespace ravik {

void encode(const ClassDefinition& c, ByteWriter& out) {
    out.string(c.class_name, capacity::kClassName); // 0
    for (const auto& cluster : c.cluster_answers)   // 21
        for (const auto& answer : cluster) out.string(answer, capacity::kOneLetter);
    out.padding(3);                                          // 421
    out.int32(c.cluster_penalty);                            // 424
    for (const auto& flags : c.control_flags) out.string(flags, capacity::kControlFlags); // 428
    for (const auto& answer : c.control_answer) out.string(answer, capacity::kOneLetter); // 588
    for (const auto& codes : c.answer_codes)                                            // 668
        for (std::int32_t code : codes) out.int32(code);
    out.int32(c.time_limit); // 1788
    out.int32(c.break1_from_code);
    out.int32(c.break1_to_code);
    out.int32(c.break2_from_code);
    out.int32(c.break2_to_code); // 1804
}

ClassDefinition decodeClassDefinition(ByteReader& in) {
    ClassDefinition c;
    c.class_name = in.string(capacity::kClassName);
    for (auto& cluster : c.cluster_answers)
        for (auto& answer : cluster) answer = in.string(capacity::kOneLetter);
    in.skip(3);
    c.cluster_penalty = in.int32();
    for (auto& flags : c.control_flags) flags = in.string(capacity::kControlFlags);
    for (auto& answer : c.control_answer) answer = in.string(capacity::kOneLetter);
    for (auto& codes : c.answer_codes)
        for (std::int32_t& code : codes) code = in.int32();
    c.time_limit = in.int32();
    c.break1_from_code = in.int32();
    c.break1_to_code = in.int32();
    c.break2_from_code = in.int32();
    c.break2_to_code = in.int32();
    return c;
}

void encode(const RaceRecord& r, ByteWriter& out) {
    out.int32(r.stage_number);                         // 0
    out.string(r.stage_date, capacity::kStageDate);    // 4
    out.string(r.race_name, capacity::kRaceName);      // 15
    out.string(r.stage_place, capacity::kStagePlace);  // 116
    out.string(r.stage_start, capacity::kStageStart);  // 217
    out.padding(1);                                    // 223
    for (const auto& c : r.classes) encode(c, out);    // 224
}

RaceRecord decodeRaceRecord(ByteReader& in) {
    RaceRecord r;
    r.stage_number = in.int32();
    r.stage_date = in.string(capacity::kStageDate);
    r.race_name = in.string(capacity::kRaceName);
    r.stage_place = in.string(capacity::kStagePlace);
    r.stage_start = in.string(capacity::kStageStart);
    in.skip(1);
    for (auto& c : r.classes) c = decodeClassDefinition(in);
    return r;
}

} // namespace ravik
