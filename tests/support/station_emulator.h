#pragma once
// A SportIdent master station for the tests: it answers the read-out
// conversation and serves cards built from data, on a pseudo-terminal (as a
// USB station appears to the program) or straight behind a ByteLink.
#include "readout/station/byte_link.h"
#include "readout/station/card_contents.h"
#include "readout/station/card_decoders.h"
#include "test_support.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ravik::test {

// The card's memory as the card keeps it (all its blocks).
station::CardMemory cardMemory(const station::CardContents& card);

// Cards built from data. A time is "HH:MM:SS"; an empty time is "no time".
station::CardPunch punchAt(int code, const std::string& time, int dayOfWeek = 6);
// `count` punches with codes from `firstCode` up, a minute apart from `firstTime`.
std::vector<station::CardPunch> punchRun(int count, int firstCode, const std::string& firstTime,
                                         int dayOfWeek = 6);
// Today's date on the computer's clock, "YYYY-MM-DD": the date of punches without a day.
std::string todayText();
station::CardContents makeCard(station::CardKind kind, std::uint32_t number,
                               std::optional<station::CardPunch> start,
                               std::optional<station::CardPunch> finish,
                               std::vector<station::CardPunch> punches);

struct StationConfig {
    int code = 1;
    std::uint16_t model = 0x9198; // BSM8
    std::uint8_t protocol = 0x05; // extended protocol, handshake
    std::uint8_t mode = 0x05;     // read SI cards
    bool si6All8Blocks = false;   // "SI-Card 6 with 192 punches"
};

class FakeStation {
public:
    explicit FakeStation(StationConfig config = {});

    // Bytes from the host in, the station's answers out.
    std::string receive(std::string_view fromHost);
    // The card-detected message of a card put into the station.
    std::string insert(const station::CardContents& card);
    // The card-removed message.
    std::string remove();

    // Faults of the next read-out.
    int removeInPlaceOfBlock = -1; // the card leaves instead of answering this block request (from 0)
    int corruptedReplies = 0;      // this many block replies carry a wrong CRC
    bool silent = false;           // no answers at all
    bool removeAfterAck = true;    // the runner takes the card out at the beep

    int acks = 0;
    std::vector<std::uint8_t> commands; // every command received, in order
    bool hasCard() const { return inserted_; }

private:
    std::string answer(std::uint8_t command, std::string_view parameters);
    std::string reply(std::uint8_t command, std::string_view data) const; // with the station code first
    std::string blockReply(std::uint8_t command, int block, bool numbered);

    StationConfig config_;
    std::array<std::uint8_t, 128> system_{};
    std::string pending_;
    bool inserted_ = false;
    station::CardContents card_;
    std::string detected_; // the 4 bytes of the card-detected message
    station::CardMemory memory_;
    int blockRequests_ = 0;
};

// The station behind a pseudo-terminal, served by a thread. path() names the
// port through a link that stays the same when the station is unplugged and
// plugged in again.
class PtyStation {
public:
    explicit PtyStation(StationConfig config = {});
    ~PtyStation();
    PtyStation(const PtyStation&) = delete;
    PtyStation& operator=(const PtyStation&) = delete;

    const std::string& path() const { return path_; }

    void insert(const station::CardContents& card);
    void remove();
    void send(const std::string& bytes); // anything, as if the station sent it
    // Runs with the station held, for faults and counters.
    void with(const std::function<void(FakeStation&)>& change);
    bool waitUntil(const std::function<bool(const FakeStation&)>& condition,
                   std::chrono::milliseconds timeout = std::chrono::seconds(10));

    void unplug(); // the pseudo-terminal closes: readers see the port vanish
    void plugIn(); // a new one behind the same path

private:
    void serve();
    void sendToHost(const std::string& bytes); // with the mutex held

    TempFolder folder_;
    std::string path_;
    std::mutex mutex_;
    FakeStation station_;
    int master_ = -1, slave_ = -1;
    std::atomic<bool> running_{false};
    std::thread thread_;
};

// The station straight behind a ByteLink, without a terminal: every answer is
// there at once. Notes when it last handed bytes to the reader.
class FakeStationLink : public station::ByteLink {
public:
    explicit FakeStationLink(FakeStation& station) : station_(station) {}

    station::LinkOpenResult open(int) override { return {station::LinkOpen::Opened, {}}; }
    void close() override {}
    bool write(std::string_view bytes) override;
    station::LinkRead read(std::string& into, std::chrono::milliseconds timeout) override;
    void discardInput() override { waiting_.clear(); }

    void insert(const station::CardContents& card) { waiting_ += station_.insert(card); }
    std::chrono::steady_clock::time_point lastDelivery() const { return lastDelivery_; }
    std::size_t bytesExchanged() const { return exchanged_; }
    void resetCount() { exchanged_ = 0; }

private:
    FakeStation& station_;
    std::string waiting_;
    std::chrono::steady_clock::time_point lastDelivery_{};
    std::size_t exchanged_ = 0;
};

} // namespace ravik::test
