#pragma once
// The "ID" and "Štafeta" cells the scoring reads as whole numbers.
#include "core/language.h"

#include <cstdint>
#include <string>

namespace ravik {

class CompetitorTable;

// Empty or decimal digits that fit 32 bits.
bool isNumberCell(const std::string& cell);
// The cell's number; 0 for an empty cell (call only on cells that passed isNumberCell).
std::int32_t numberCellValue(const std::string& cell);

} // namespace ravik
