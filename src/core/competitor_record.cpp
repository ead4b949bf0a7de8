#include "core/competitor_record.h"

#include "core/byte_io.h"

namespace ravik {
namespace {

// Bytes 0 to 211, shared by both layouts.
CompetitorRecord decodeCommonPart(ByteReader& in) {
    CompetitorRecord r;
    r.competitor_id = in.int32();                             // 0
    r.registration = in.string(capacity::kRegistration);      // 4
    r.competitor_class = in.string(capacity::kCompetitorClass); // 12
    in.skip(3);                                               // 33
    r.si_card = in.int32();                                   // 36
    r.competitor_name = in.string(capacity::kCompetitorName); // 40
    r.nation = in.string(capacity::kNation);                  // 141
    in.skip(3);                                               // 145
    r.relay_number = in.int32();                              // 148
    for (float& offset : r.start_offset) offset = in.float32(); // 152
    for (int s = 0; s < kStages; ++s) {                       // 172
        r.stage_points[s] = in.int32();
        r.stage_tc_time[s] = in.int32();
    }
    return r;
}

} // namespace

void encode(const CompetitorRecord& r, ByteWriter& out) {
    out.int32(r.competitor_id);
    out.string(r.registration, capacity::kRegistration);
    out.string(r.competitor_class, capacity::kCompetitorClass);
    out.padding(3);
    out.int32(r.si_card);
    out.string(r.competitor_name, capacity::kCompetitorName);
    out.string(r.nation, capacity::kNation);
    out.padding(3);
    out.int32(r.relay_number);
    for (float offset : r.start_offset) out.float32(offset);
    for (int s = 0; s < kStages; ++s) {
        out.int32(r.stage_points[s]);
        out.int32(r.stage_tc_time[s]);
    }
    for (std::uint8_t flag : r.disqualified) out.uint8(flag); // 212
    out.padding(3);                                             // 217
}

CompetitorRecord decodeCompetitorRecord(ByteReader& in) {
    CompetitorRecord r = decodeCommonPart(in);
    for (std::uint8_t& flag : r.disqualified) flag = in.uint8();
    in.skip(3);
    return r;
}

CompetitorRecord decodeLegacyCompetitorRecord(ByteReader& in) { return decodeCommonPart(in); }

} // namespace ravik
