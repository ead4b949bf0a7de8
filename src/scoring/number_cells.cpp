#include "scoring/number_cells.h"

#include "core/competitor_table.h"
#include "core/cp1250.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/texts/scoring_texts.h"
#include "scoring/stage_scoring.h"
#include "scoring/text_format.h"

namespace ravik {

bool isNumberCell(const std::string& cell) {
    if (cell.empty()) return true;
    return isDigitsOnly(cell) && leadingDigits(cell) < INT32_MAX;
}

std::int32_t numberCellValue(const std::string& cell) {
    return cell.empty() ? 0 : leadingDigits(cell);
}

void checkNumberCells(const CompetitorTable& table, Language language) {
    for (int row = 1; row < table.rowCount(); ++row)
        for (int col : {column::kId, column::kRelay}) {
            const std::string& cell = table.cell(row, col);
            if (isNumberCell(cell)) continue;
            throw ConversionError(fillIn(
                tr(language, texts::kCellNotANumber),
                {std::to_string(row), columnHeading(col, language), cp1250ToUtf8(cell.substr(0, 40))}));
        }
}

} // namespace ravik
