#pragma once
// Appends the lines of one read card to the SI log, all at once, and makes
// them durable (fsync) before returning: the station is acknowledged only then,
// so a crash never loses a card the station has released.
#include <string>
#include <vector>

namespace ravik::station {

// A new or empty log first gets the header line; a log whose last line lacks its
// line end gets one first. Each line is ended by CR LF. On any failure the log
// is cut back to its former length and IoError is thrown: never half a card.
void appendToSiLog(const std::string& path, const std::vector<std::string>& lines);

} // namespace ravik::station
