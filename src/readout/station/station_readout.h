#pragma once
// The station as one more writer of the SI log: each card read from the master
// station becomes log lines, appended and flushed, and only then is the station
// acknowledged. Window and command line both run it; the read-out pass after
// each card is theirs to run.
#include "core/language.h"
#include "readout/station/master_station.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ravik::station {

enum class StationReportKind {
    Nothing,     // no card came
    CardLogged,  // the card's lines are in the log and the station was acknowledged
    CardNotRead, // the messages say why; nothing was logged
    Lost,        // the port is gone: connect again
};

struct StationReport {
    StationReportKind kind = StationReportKind::Nothing;
    std::vector<std::string> messages; // log-box lines, in the language (UTF-8)
    std::optional<CardContents> card;
};

class StationReadout {
public:
    using Today = std::function<std::chrono::sys_days()>;
    explicit StationReadout(ByteLink& link, Timeouts timeouts = {}, Today today = {});

    Connection connect() { return station_.connect(); }
    // Waits at most `wait` for a card and handles it; logPath is cestaSI.
    StationReport poll(std::chrono::milliseconds wait, const std::string& logPath, Language language);
    const StationSettings& settings() const { return station_.settings(); }

private:
    MasterStation station_;
    Today today_;
};

// "připojeno ke stanici BSM8 č. 31, 38400 Bd" / "connected to BSM8 station 31, 38400 Bd",
// or what keeps the station on the port from being used.
std::string connectionText(const Connection& connection, const std::string& port, Language language);

// "Čip 2045117 vyčten (SI9, 23 ražení)" / "Card 2045117 read (SI9, 23 punches)".
std::string cardReadText(const CardContents& card, Language language);

} // namespace ravik::station
