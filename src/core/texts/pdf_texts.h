#pragma once
// Texts of the PDF copies of the pages and of the drawing commands, in both languages (UTF-8).
#include "core/language.h"

namespace ravik::texts {

// The "PDF" buttons beside the commands that write a page.
inline constexpr Text kPdfButton{"PDF", "PDF"};
inline constexpr Text kPdfOfResultsHint{"Zapíše výsledky a vedle nich jejich PDF.",
                                        "Writes the results and their PDF beside them."};
// The foot of every PDF page; %1 = page, %2 = pages.
inline constexpr Text kPdfPageNumber{"Strana %1 z %2", "Page %1 of %2"};
// Logged after a PDF was written, followed by its path.
inline constexpr Text kPdfWritten{"PDF zapsáno - ", "PDF written - "};
// ravik-cli built without Qt: the commands that draw refuse.
inline constexpr Text kDrawingNotInBuild{
    "Tato verze ravik-cli neumí kreslit (výtisk, --pdf): byla sestavena bez Qt.",
    "This build of ravik-cli cannot draw (printout, --pdf): it was built without Qt."};

} // namespace ravik::texts
