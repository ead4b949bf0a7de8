#pragma once
// The IOF XML 3.0 start list of one stage: every class of the stage with the
// competitors who start in it, in table order.
#include "core/competitor_table.h"
#include "core/race_record.h"

#include <string>

namespace ravik {

struct StartListXmlSource {
    const RaceRecord& record; // the stage: date, zero time, race name, class slots
    const CompetitorTable& table;
    int stage = 1;
    std::string createTime; // "RRRR-MM-DDTHH:MM:SS+HH:MM"
};

// The document's bytes (UTF-8, CR LF). The record's date and zero time must be
// valid (resultListRefusal). Per class slot in slot order, each row of that class
// whose start cell is not empty: person and organisation as in the result list,
// then the start with the ID as bib, the zero time plus the start offset (cut to
// whole seconds, with the local offset of that day) and the SI card. A start cell
// that is not a number lists the competitor without a start time.
std::string startListXml(const StartListXmlSource& source);

} // namespace ravik
