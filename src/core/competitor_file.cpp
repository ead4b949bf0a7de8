#include "core/competitor_file.h"

#include "core/byte_io.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/log.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>

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

constexpr std::pair<std::size_t, std::size_t> kTextFields[] = {{4, capacity::kRegistration},
                                                               {12, capacity::kCompetitorClass},
                                                               {40, capacity::kCompetitorName},
                                                               {141, capacity::kNation}};

// A length byte above its field's capacity: the record was not written by the program.
bool textLengthsFit(std::string_view record) {
    for (const auto& [offset, capacity] : kTextFields)
        if (static_cast<unsigned char>(record[offset]) > capacity) return false;
    return true;
}

bool textHasNoControlCharacters(std::string_view record) {
    for (const auto& [offset, capacity] : kTextFields) {
        const auto length = static_cast<unsigned char>(record[offset]);
        for (std::size_t i = 1; i <= length; ++i)
            if (static_cast<unsigned char>(record[offset + i]) < 0x20) return false;
    }
    return true;
}

// What a record of the file's one layout must be to be loaded: bytes of the earlier
// layout that are no records at all fail on text as well.
bool isSoundRecord(std::string_view record) {
    if (record.size() == kLegacyCompetitorRecordSize)
        return textLengthsFit(record) && textHasNoControlCharacters(record);
    return textLengthsFit(record);
}

bool allRecords(std::string_view bytes, std::size_t recordSize, bool (*check)(std::string_view)) {
    for (std::size_t at = 0; at + recordSize <= bytes.size(); at += recordSize)
        if (!check(bytes.substr(at, recordSize))) return false;
    return true;
}

} // namespace

bool isPlausibleRecord(std::string_view record) {
    if (!textLengthsFit(record) || !textHasNoControlCharacters(record)) return false;
    ByteReader in(record);
    const CompetitorRecord r = record.size() == kLegacyCompetitorRecordSize ? decodeLegacyCompetitorRecord(in)
                                                                            : decodeCompetitorRecord(in);
    const auto wholeNumber = [](std::int32_t value) { return value >= -1 && value <= 99'999'999; };
    if (!wholeNumber(r.competitor_id) || !wholeNumber(r.si_card) || !wholeNumber(r.relay_number))
        return false;
    for (int s = 0; s < kStages; ++s) {
        const float offset = r.start_offset[s];
        const bool plausibleOffset = offset == -1.0f || offset == 0.0f ||
                                     (std::isnormal(offset) && offset > 0.0f && offset <= 1440.0f);
        if (!plausibleOffset || !wholeNumber(r.stage_points[s]) || !wholeNumber(r.stage_tc_time[s]) ||
            r.disqualified[s] > 1)
            return false;
    }
    return true;
}

std::vector<CompetitorRecord> readCompetitorRecords(const std::string& path, CompetitorFileLoad* outcome) {
    CompetitorFileLoad result;
    std::vector<CompetitorRecord> records;
    const auto finish = [&](CompetitorFileProblem problem) {
        result.problem = problem;
        if (problem != CompetitorFileProblem::None) {
            result.state = CompetitorFileState::NotRecognised;
            records.clear();
        }
        if (outcome) *outcome = result;
        return std::move(records);
    };
    if (!fileExists(path)) return finish(CompetitorFileProblem::None);
    const std::int64_t size = fileSize(path);
    const bool fitsCurrent = size % kCompetitorRecordSize == 0;
    const bool fitsLegacy = size % kLegacyCompetitorRecordSize == 0;
    if ((!fitsCurrent && !fitsLegacy) ||
        size / static_cast<std::int64_t>(fitsLegacy ? kLegacyCompetitorRecordSize : kCompetitorRecordSize) >
            kMaxCompetitorFileRecords)
        return finish(CompetitorFileProblem::UnknownSize);
    const std::string bytes = readWholeFile(path);
    if (fitsCurrent && fitsLegacy && !bytes.empty()) {
        // 53 records of 220 bytes are 55 of 212: the records themselves tell the layout.
        const bool asCurrent = allRecords(bytes, kCompetitorRecordSize, isPlausibleRecord);
        const bool asLegacy = allRecords(bytes, kLegacyCompetitorRecordSize, isPlausibleRecord);
        if (asCurrent == asLegacy)
            return finish(asCurrent ? CompetitorFileProblem::EitherLayout
                                    : CompetitorFileProblem::DamagedRecords);
        result.legacyLayout = asLegacy;
    } else {
        result.legacyLayout = !fitsCurrent;
        if (!allRecords(bytes, result.legacyLayout ? kLegacyCompetitorRecordSize : kCompetitorRecordSize,
                        isSoundRecord))
            return finish(CompetitorFileProblem::DamagedRecords);
    }
    const std::size_t recordSize = result.legacyLayout ? kLegacyCompetitorRecordSize : kCompetitorRecordSize;
    const std::size_t count = bytes.size() / recordSize;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        ByteReader in(bytes.data() + i * recordSize, recordSize);
        records.push_back(result.legacyLayout ? decodeLegacyCompetitorRecord(in)
                                              : decodeCompetitorRecord(in));
    }
    result.state = CompetitorFileState::Loaded;
    result.records = static_cast<int>(count);
    return finish(CompetitorFileProblem::None);
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
