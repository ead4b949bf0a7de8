#pragma once
// Numbers typed into the class editor: its number edits and code cells.
#include "core/class_rules.h"
#include "core/language.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ravik {

// A number edit (limit, penalty, breaks, first code): empty is 0, digits are their
// value; anything else (pasted text, a number beyond 32 bits) is nullopt.
std::optional<std::int32_t> numberEditValue(const std::string& text);

// A code cell: empty is 0, a whole number is its value; any other text is not
// well formed and gives its leading digits (0 when there are none).
struct CodeCell {
    std::int32_t value = 0;
    bool wellFormed = true;
};
CodeCell codeCellValue(const std::string& text);

// An input-box answer naming a control, 1 to 40; 0 when it names none.
int controlNumberOf(const std::string& answer);

// The format box and its two numbers: an empty factor is 1, an empty interval 60;
// a factor takes a decimal point or comma. Otherwise the field that is wrong.
struct ClassRulesEdits {
    std::optional<ClassRules> rules;
    const Text* badField = nullptr;
};
ClassRulesEdits classRulesEditValue(const std::string& format, const std::string& timeFactor,
                                    const std::string& overtimeSeconds);

// "The field "Limit" does not hold a valid number. Nothing has been saved."
std::string badNumberMessage(Language language, const Text& field);

} // namespace ravik
