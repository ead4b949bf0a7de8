#pragma once
// The conversation with a SportIdent master station (BSM7/BSM8) in read-out
// mode: finding the station on the port, checking its settings, waiting for a
// card, reading the card's blocks and acknowledging a complete read-out. Every
// wait ends within its time-out, so a caller on the window's thread never hangs.
#include "readout/station/byte_link.h"
#include "readout/station/card_contents.h"
#include "readout/station/frame.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace ravik::station {

struct StationSettings {
    int code = 0;
    std::string model; // "BSM8", "BSM7", ... or the model number in hex
    int baudRate = 0;
    bool si6With192Punches = false;
};

enum class StationProblem {
    None,
    PortMissing,
    PortBusy,
    PortNoPermission,
    PortFailed,
    NoAnswer,     // nothing answers at 38400 Bd nor at 4800 Bd: not a station
    BaseProtocol, // a station, but set to the old protocol
    NotReadoutMode,
    Autosend,
    NoHandshake,
};

struct Connection {
    StationProblem problem = StationProblem::None;
    StationSettings settings;
    std::string detail; // the system's words for a port that cannot be opened
    bool connected() const { return problem == StationProblem::None; }
};

struct Timeouts {
    std::chrono::milliseconds detection{800}; // for the first answer, at each speed
    std::chrono::milliseconds reply{1000};    // for every other answer
};

enum class CardEventKind {
    None,         // no card within the wait
    Read,         // a complete, checked read-out; not acknowledged yet
    RemovedEarly, // the card left the station during the read-out (or the station refused a block)
    NotRead,      // transmission errors every time, or the blocks do not belong to the card
    Silent,       // the station stopped answering
    Unsupported,  // a card family the read-out does not know
    Lost,         // the port is gone
};

struct CardEvent {
    CardEventKind kind = CardEventKind::None;
    std::uint32_t number = 0; // of the detected card
    std::optional<CardContents> card;
};

class MasterStation {
public:
    explicit MasterStation(ByteLink& link, Timeouts timeouts = {});

    // Opens the port, finds the station (38400 Bd, then 4800 Bd), reads and checks its settings.
    Connection connect();
    // Waits at most `wait` for a card; reads a card that is (or was) inserted.
    CardEvent nextCard(std::chrono::milliseconds wait);
    // Tells the station the card was read: it beeps and flashes. False when the port is gone.
    bool acknowledge();

    const StationSettings& settings() const { return settings_; }

private:
    struct Detected {
        std::uint8_t command = 0, series = 0;
        std::uint32_t number = 0;
    };
    enum class Wait { Got, Timeout, Lost };
    enum class Reply { Frame, Nak, CrcError, Removed, Inserted, Timeout, Lost };
    enum class Fetch { Block, RemovedEarly, NotRead, Silent, Inserted, Lost };

    Wait receive(Received& item, std::chrono::steady_clock::time_point deadline);
    Reply request(std::uint8_t command, std::string_view data, Frame& reply, bool readingCard,
                  std::chrono::milliseconds timeout, std::string_view prefix = {});
    std::optional<std::string> systemValue(std::uint8_t address, std::uint8_t count);
    bool noteUnsolicited(const Frame& frame); // true for a card-detected message
    Fetch fetchBlock(std::uint8_t command, std::optional<std::uint8_t> block, std::string& bytes);
    CardEvent readCard(Detected detected);

    ByteLink& link_;
    Timeouts timeouts_;
    FrameDecoder decoder_;
    StationSettings settings_;
    std::optional<Detected> inserted_; // a card-detected message not handled yet
    std::chrono::steady_clock::time_point lastBytes_{};
};

} // namespace ravik::station
