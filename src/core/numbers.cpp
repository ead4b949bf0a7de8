#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace ravik {
namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

bool isDigitsAndPoints(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!isDigit(c) && c != '.') return false;
    return true;
}

bool isDigitsOnly(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!isDigit(c)) return false;
    return true;
}

std::optional<double> leadingDecimal(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    const std::size_t wholeDigits = end;
    std::size_t fractionDigits = 0;
    if (end < text.size() && text[end] == '.') {
        std::size_t after = end + 1;
        while (after < text.size() && isDigit(text[after]))
            ++after;
        fractionDigits = after - end - 1;
        if (fractionDigits > 0) end = after;
    }
    if (wholeDigits == 0 && fractionDigits == 0) return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + end, value);
    if (result.ec != std::errc()) return std::nullopt;
    return value;
}

std::optional<std::int32_t> wholeNumberOf(std::string_view text) {
    const auto value = leadingDecimal(text);
    if (!value) return std::nullopt;
    const double whole = std::trunc(*value);
    if (whole > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(whole);
}

std::optional<DecimalDigits> decimalDigitsOf(std::string_view cell, int maxWholeDigits) {
    DecimalDigits digits;
    int wholeDigits = 0;
    bool separator = false;
    for (char c : cell) {
        if (c == '.' || c == ',') {
            if (separator) return std::nullopt;
            separator = true;
        } else if (!isDigit(c)) {
            return std::nullopt;
        } else if (separator) {
            digits.fraction += c;
        } else {
            if (++wholeDigits > maxWholeDigits) return std::nullopt;
            digits.whole = digits.whole * 10 + (c - '0');
        }
    }
    if (wholeDigits == 0 && digits.fraction.empty()) return std::nullopt;
    return digits;
}

std::int32_t leadingDigits(std::string_view text) {
    std::int64_t value = 0;
    for (char c : text) {
        if (!isDigit(c)) break;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}

std::string digitsOnly(std::string_view text) {
    std::string out;
    for (char c : text)
        if (isDigit(c)) out += c;
    return out;
}

std::string formatGeneral15(double value) {
    char buffer[64];
    // The same text as printf's "%.15g", without its locale and format parsing.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

std::string twoDigits(long long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02lld", value);
    return buffer;
}

} // namespace ravik
