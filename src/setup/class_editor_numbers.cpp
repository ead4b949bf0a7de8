#include "setup/class_editor_numbers.h"

#include "core/numbers.h"
#include "core/race_record.h"
#include "core/texts/setup_texts.h"

#include <algorithm>
#include <charconv>

namespace ravik {
namespace {

std::optional<std::int32_t> wholeDigits(const std::string& text) {
    if (!isDigitsOnly(text)) return std::nullopt;
    std::int32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc()) return std::nullopt;
    return value;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::optional<std::int32_t> numberEditValue(const std::string& text) {
    if (text.empty()) return 0;
    return wholeDigits(text);
}

CodeCell codeCellValue(const std::string& text) {
    const std::string value = trimmed(text);
    if (value.empty()) return {};
    if (const auto number = wholeDigits(value)) return {*number, true};
    return {leadingDigits(value), false};
}

int controlNumberOf(const std::string& answer) {
    const auto number = wholeDigits(trimmed(answer));
    return number && *number >= 1 && *number <= kControls ? *number : 0;
}

ClassRulesEdits classRulesEditValue(const std::string& format, const std::string& timeFactor,
                                    const std::string& overtimeSeconds) {
    ClassRulesEdits edits;
    ClassRules rules;
    const auto kind = formatFromName(format);
    if (!kind) {
        edits.badField = &texts::kFieldFormat;
        return edits;
    }
    rules.format = *kind;
    std::string factor = trimmed(timeFactor);
    std::replace(factor.begin(), factor.end(), ',', '.');
    if (!factor.empty()) {
        double value = 0;
        const auto parsed = std::from_chars(factor.data(), factor.data() + factor.size(), value);
        if (!isDigitsAndPoints(factor) || parsed.ec != std::errc() ||
            parsed.ptr != factor.data() + factor.size() || !validTimeFactor(value)) {
            edits.badField = &texts::kFieldTimeFactor;
            return edits;
        }
        rules.time_factor = value;
    }
    const std::string interval = trimmed(overtimeSeconds);
    if (!interval.empty()) {
        const auto value = wholeDigits(interval);
        if (!value || !validOvertimeSecondsPerPoint(*value)) {
            edits.badField = &texts::kFieldOvertimeSeconds;
            return edits;
        }
        rules.overtime_seconds_per_point = *value;
    }
    edits.rules = rules;
    return edits;
}

std::string badNumberMessage(Language language, const Text& field) {
    return std::string(tr(language, texts::kBadNumberBefore)) + tr(language, field) +
           tr(language, texts::kBadNumberAfter);
}

} // namespace ravik
