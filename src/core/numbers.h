#pragma once
// Number rules shared by the table, the files and the edits.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ravik {

// A table cell is taken as a number only when it is not empty and every
// character is a digit or a point.
bool isDigitsAndPoints(std::string_view text);
bool isDigitsOnly(std::string_view text); // not empty, digits only

// The decimal number at the start of the text (digits, at most one point,
// further digits); nullopt when the text does not start with a digit or a point
// followed by a digit.
std::optional<double> leadingDecimal(std::string_view text);

// A digits-and-points cell read as a whole number: the whole part of its leading
// decimal ("12.5" gives 12). nullopt when it has no leading number or does not fit
// 32 bits.
std::optional<std::int32_t> wholeNumberOf(std::string_view text);

// A cell of decimal digits with at most one point or comma ("2,5", "12.", ".5"),
// read without floating point: the whole part and the digits after the separator.
// nullopt when any other character stands in it, when it has no digit, or when
// the whole part has more than maxWholeDigits digits.
struct DecimalDigits {
    long long whole = 0;
    std::string fraction; // the digits after the separator, as written
};
std::optional<DecimalDigits> decimalDigitsOf(std::string_view cell, int maxWholeDigits);

// Leading decimal digits as a number ("3x" gives 3, "x" gives 0); saturates at INT32_MAX.
std::int32_t leadingDigits(std::string_view text);

// Removes every character that is not a digit 0 to 9 (edits that take only numbers).
std::string digitsOnly(std::string_view text);

// A float widened to double and written in general format with up to 15
// significant digits: 12.5 shows as 12.5, 12.1f as 12.1000003814697.
std::string formatGeneral15(double value);

// Two-digit zero-padded number ("05"); more digits when larger.
std::string twoDigits(long long value);

} // namespace ravik
