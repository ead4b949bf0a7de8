#include "readout/readout_log.h"

#include "core/cp1250.h"
#include "core/texts/readout_texts.h"
#include "readout/text_lines.h"

namespace ravik {

namespace {

// Malformed lines reported one by one in a pass; the rest are counted.
constexpr int kMalformedLinesReported = 10;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string withoutBlanks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        if (c != ' ') result += c;
    return result;
}

// The first two characters of the time without blanks, as an hour; -1 when they are not two digits.
int hourOf(std::string_view time) {
    char digits[2];
    int found = 0;
    for (char c : time) {
        if (c == ' ') continue;
        digits[found++] = c;
        if (found == 2) break;
    }
    if (found < 2 || !isDigit(digits[0]) || !isDigit(digits[1])) return -1;
    return (digits[0] - '0') * 10 + (digits[1] - '0');
}

bool isBlankOnly(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

} // namespace

void continueReading(ReadoutLog& readoutLog, std::size_t end) {
    ReadingState& state = readoutLog.state;
    if (state.headerLikeLine || end <= state.consumed) return;
    const std::string_view all = readoutLog.bytes;
    const std::string_view text = all.substr(state.consumed, end - state.consumed);
    readoutLog.entries.reserve(readoutLog.entries.size() + text.size() / 48); // a real line is about 55 bytes
    auto message = [&](ReadingMessageKind kind, std::string card = {}) {
        readoutLog.messages.push_back({kind, state.lineNumber, std::move(card)});
    };
    forEachTextLine(text, [&](std::string_view line) {
        ++state.lineNumber;
        if (state.headerLikeLine) return;
        const SiLogLine parsed = parseSiLogLine(line);
        switch (parsed.kind) {
        case SiLogLineKind::Header:
        case SiLogLineKind::Blank:
            return;
        case SiLogLineKind::HeaderLike:
            message(ReadingMessageKind::HeaderLike);
            state.headerLikeLine = true;
            return;
        case SiLogLineKind::Malformed:
            message(ReadingMessageKind::Malformed);
            return;
        case SiLogLineKind::Punch:
            break;
        }
        ReadoutEntry entry;
        entry.lineBegin = static_cast<std::size_t>(line.data() - all.data());
        entry.lineLength = static_cast<std::uint32_t>(line.size());
        entry.logEnd = state.logOffset + (entry.lineBegin - state.consumed) + line.size();
        entry.card = parsed.card;
        if (parsed.code) {
            entry.code = *parsed.code;
        } else {
            if (state.substituteCode < 0) {
                if (!state.codesExhausted) message(ReadingMessageKind::CodesExhausted);
                state.codesExhausted = true;
                return;
            }
            entry.code = state.substituteCode--;
            entry.codeSubstituted = true;
        }
        const std::string_view mode = parsed.fields[silog::kMode];
        const std::string_view time = parsed.fields[silog::kTime];
        entry.finish = mode == "FIN";
        if (mode == "STA") {
            state.startHour = isBlankOnly(time) ? -1 : hourOf(time);
        } else if (state.startHour >= 0) {
            const int punchHour = hourOf(time);
            if (punchHour >= 0 && punchHour < state.startHour && punchHour + 12 <= 99)
                entry.correctedHour = punchHour + 12;
        }
        if (mode.empty() || isBlankOnly(time))
            message(ReadingMessageKind::MissingModeOrTime, std::string(parsed.fields[silog::kCard]));
        readoutLog.entries.push_back(entry);
    });
    state.logOffset += end - state.consumed;
    state.consumed = end;
    state.entryCount = readoutLog.entries.size();
    state.messageCount = readoutLog.messages.size();
}

void rollBack(ReadoutLog& readoutLog, const ReadingState& state) {
    readoutLog.state = state;
    readoutLog.entries.resize(state.entryCount);
    readoutLog.messages.resize(state.messageCount);
}

void reportReading(const ReadoutLog& readoutLog, Language language, Log& log) {
    int malformedLines = 0;
    for (const ReadingMessage& message : readoutLog.messages) {
        switch (message.kind) {
        case ReadingMessageKind::HeaderLike:
            log.append(tr(language, texts::kHeaderLikeLine));
            break;
        case ReadingMessageKind::Malformed:
            if (++malformedLines <= kMalformedLinesReported)
                log.append(std::string(tr(language, texts::kMalformedLineBefore)) +
                           std::to_string(message.lineNumber) + tr(language, texts::kMalformedLineAfter));
            break;
        case ReadingMessageKind::MissingModeOrTime:
            log.append(std::string(tr(language, texts::kMissingModeOrTimeBefore)) +
                       cp1250ToUtf8(message.card) + tr(language, texts::kMissingModeOrTimeAfter));
            break;
        case ReadingMessageKind::CodesExhausted:
            log.append(tr(language, texts::kTooManyEmptyCodes));
            break;
        }
    }
    if (malformedLines > kMalformedLinesReported)
        log.append(std::string(tr(language, texts::kMoreMalformedLinesBefore)) +
                   std::to_string(malformedLines - kMalformedLinesReported));
}

ReadoutLog readReadoutLog(std::string bytes, Language language, Log& log) {
    ReadoutLog result;
    result.bytes = std::move(bytes);
    continueReading(result, result.bytes.size());
    reportReading(result, language, log);
    return result;
}

std::string normalisedLine(const ReadoutLog& readoutLog, const ReadoutEntry& entry,
                           const NormaliseOptions& options) {
    const std::string_view raw = std::string_view(readoutLog.bytes).substr(entry.lineBegin, entry.lineLength);
    const SiLogLine parsed = parseSiLogLine(raw);
    std::array<std::string, kSiLogFields> fields;
    for (int i = 0; i < kSiLogFields; ++i)
        fields[i].assign(parsed.fields[i]);
    if (entry.codeSubstituted) fields[silog::kCode] = std::to_string(entry.code);
    fields[silog::kDate] = options.rewriteDate ? options.raceDate : withoutBlanks(fields[silog::kDate]);
    fields[silog::kTime] = withoutBlanks(fields[silog::kTime]);
    if (entry.correctedHour >= 0) {
        fields[silog::kTime][0] = static_cast<char>('0' + entry.correctedHour / 10 % 10);
        fields[silog::kTime][1] = static_cast<char>('0' + entry.correctedHour % 10);
    }
    std::string line = joinSiLogFields(fields);
    if (line.size() > kMaxStoredPunchLine) line.resize(kMaxStoredPunchLine);
    return line;
}

} // namespace ravik
