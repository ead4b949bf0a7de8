#include "core/competitor_file.h"

#include "core/byte_io.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/log.h"
#include "core/numbers.h"

#include <algorithm>

namespace ravik {
namespace {

std::string numberCell(std::int32_t value) {
    return value == -1 ? std::string() : std::to_string(value);
}

std::string offsetCell(float offset) {
    return offset == -1.0f ? std::string() : formatGeneral15(static_cast<double>(offset));
}

// The check of the save: an empty cell passes; otherwise digits and points only.
bool passesCheck(const std::string& cell) {
    return cell.empty() || isDigitsAndPoints(cell);
}

void logFailedCell(Log& log, int row, const char* what) {
    log.append("!!! On row " + std::to_string(row) + " there is no " + what + "!");
}

// A record of the earlier layout holds text fields with a length within their
// capacity and no control characters; bytes that are not records fail this.
bool looksLikeLegacyRecord(std::string_view record) {
    constexpr std::pair<std::size_t, std::size_t> kTextFields[] = {{4, capacity::kRegistration},
                                                                   {12, capacity::kCompetitorClass},
                                                                   {40, capacity::kCompetitorName},
                                                                   {141, capacity::kNation}};
    for (const auto& [offset, capacity] : kTextFields) {
        const auto length = static_cast<unsigned char>(record[offset]);
        if (length > capacity) return false;
        for (std::size_t i = 1; i <= length; ++i)
            if (static_cast<unsigned char>(record[offset + i]) < 0x20) return false;
    }
    return true;
}

} // namespace

std::vector<CompetitorRecord> readCompetitorRecords(const std::string& path, CompetitorFileLoad* outcome) {
    CompetitorFileLoad result;
    std::vector<CompetitorRecord> records;
    const std::int64_t size = fileSize(path);
    if (!fileExists(path)) {
        if (outcome) *outcome = result;
        return records;
    }
    std::size_t recordSize = 0;
    if (size % kCompetitorRecordSize == 0) {
        recordSize = kCompetitorRecordSize;
    } else if (size % kLegacyCompetitorRecordSize == 0) {
        recordSize = kLegacyCompetitorRecordSize;
        result.legacyLayout = true;
    }
    if (recordSize == 0 || size / static_cast<std::int64_t>(recordSize) > kMaxCompetitorFileRecords) {
        result.state = CompetitorFileState::NotRecognised;
        if (outcome) *outcome = result;
        return records;
    }
    const std::string bytes = readWholeFile(path);
    const std::size_t count = bytes.size() / recordSize;
    if (result.legacyLayout)
        for (std::size_t i = 0; i < count; ++i)
            if (!looksLikeLegacyRecord(std::string_view(bytes).substr(i * recordSize, recordSize))) {
                result.state = CompetitorFileState::NotRecognised;
                if (outcome) *outcome = result;
                return records;
            }
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        ByteReader in(bytes.data() + i * recordSize, recordSize);
        records.push_back(result.legacyLayout ? decodeLegacyCompetitorRecord(in)
                                              : decodeCompetitorRecord(in));
    }
    result.state = CompetitorFileState::Loaded;
    result.records = static_cast<int>(count);
    if (outcome) *outcome = result;
    return records;
}

TableRow rowFromRecord(const CompetitorRecord& r) {
    TableRow row;
    row[column::kId] = numberCell(r.competitor_id);
    row[column::kRegistration] = r.registration;
    row[column::kClass] = r.competitor_class;
    row[column::kSi] = numberCell(r.si_card);
    row[column::kName] = r.competitor_name;
    row[column::kFlag] = r.nation;
    row[column::kRelay] = numberCell(r.relay_number);
    for (int s = 1; s <= kStages; ++s) {
        row[column::start(s)] = offsetCell(r.start_offset[s - 1]);
        row[column::points(s)] = numberCell(r.stage_points[s - 1]);
        row[column::tc(s)] = numberCell(r.stage_tc_time[s - 1]);
        row[column::disqualified(s)] = r.disqualified[s - 1] == 1 ? "DISK" : "";
    }
    return row;
}

CompetitorFileLoad loadCompetitorTable(const std::string& path, CompetitorTable& table) {
    CompetitorFileLoad outcome;
    const auto records = readCompetitorRecords(path, &outcome);
    table.setRowCount(1);
    for (const auto& record : records)
        table.appendRow(rowFromRecord(record));
    if (table.rowCount() < 2) table.setRowCount(2);
    return outcome;
}

CompetitorRecord recordFromRow(CompetitorTable& table, int row, Log& log) {
    CompetitorRecord r; // starts from the empty record
    auto wholeCell = [&](int col, std::int32_t& field) {
        const std::string& cell = table.cell(row, col);
        if (isDigitsAndPoints(cell))
            if (auto value = wholeNumberOf(cell)) field = *value;
    };
    wholeCell(column::kId, r.competitor_id);
    wholeCell(column::kSi, r.si_card);
    wholeCell(column::kRelay, r.relay_number);
    for (int s = 1; s <= kStages; ++s) {
        wholeCell(column::points(s), r.stage_points[s - 1]);
        wholeCell(column::tc(s), r.stage_tc_time[s - 1]);
    }
    r.registration = table.cell(row, column::kRegistration).substr(0, capacity::kRegistration);
    r.competitor_class = table.cell(row, column::kClass).substr(0, capacity::kCompetitorClass);
    r.competitor_name = table.cell(row, column::kName).substr(0, capacity::kCompetitorName);
    r.nation = table.cell(row, column::kFlag).substr(0, capacity::kNation);
    for (int s = 1; s <= kStages; ++s) {
        std::string cell = table.cell(row, column::start(s));
        if (cell.find(',') != std::string::npos) {
            std::replace(cell.begin(), cell.end(), ',', '.');
            table.setCell(row, column::start(s), cell);
        }
        if (isDigitsAndPoints(cell))
            if (auto value = leadingDecimal(cell)) r.start_offset[s - 1] = static_cast<float>(*value);
        r.disqualified[s - 1] = table.cell(row, column::disqualified(s)) == "DISK" ? 1 : 0;
    }
    if (!passesCheck(table.cell(row, column::kId))) logFailedCell(log, row, "ID number");
    if (!passesCheck(table.cell(row, column::kSi))) logFailedCell(log, row, "SI číslo");
    if (!passesCheck(table.cell(row, column::kRelay))) logFailedCell(log, row, "Relay number");
    for (int s = 1; s <= kStages; ++s)
        if (!passesCheck(table.cell(row, column::start(s)))) logFailedCell(log, row, "Start time");
    return r;
}

std::string competitorFileBytes(CompetitorTable& table, Log& log) {
    ByteWriter out;
    for (int row = 1; row < table.rowCount(); ++row)
        encode(recordFromRow(table, row, log), out);
    return std::string(out.bytes().data(), out.bytes().size());
}

void saveCompetitorTable(const std::string& path, CompetitorTable& table, Log& log) {
    writeFileAtomically(path, competitorFileBytes(table, log));
}

std::vector<IdAndName> readIdsAndNames(const std::string& path) {
    std::vector<IdAndName> list;
    for (const auto& record : readCompetitorRecords(path))
        list.push_back({record.competitor_id, record.competitor_name});
    return list;
}

} // namespace ravik
