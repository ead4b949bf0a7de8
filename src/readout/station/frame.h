#pragma once
// Frames of the SportIdent extended protocol: STX, command, length, data, a
// 16-bit CRC over command, length and data, ETX. Replies of a station begin
// their data with the station's code (2 bytes). Frames carry no escaping, so
// they are cut by their length, never by searching for ETX.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ravik::station {

inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kWakeUp = 0xFF;

// The station's CRC over the covered bytes (command, length, data).
std::uint16_t frameCrc(std::span<const std::uint8_t> covered);
std::uint16_t frameCrc(std::string_view covered);

// 02 CMD LEN DATA CRC CRC 03; data is at most 255 bytes.
std::string encodeFrame(std::uint8_t command, std::string_view data);

struct Frame {
    std::uint8_t command = 0;
    std::string data; // replies: station code (2 bytes) first
};

enum class ReceivedKind {
    Frame,    // a whole frame with a good CRC
    Nak,      // a lone NAK outside a frame
    CrcError, // a whole frame whose CRC is wrong: dropped, its command is kept
};

struct Received {
    ReceivedKind kind = ReceivedKind::Frame;
    Frame frame;
};

// Cuts the bytes from a station into frames. Wake-up bytes, doubled STX,
// garbage and frames of the base protocol are skipped; a false start (no ETX
// where the length says) is dropped and the search goes on after it.
class FrameDecoder {
public:
    void feed(std::string_view bytes);
    // The next complete item, or nullopt while more bytes are needed.
    std::optional<Received> next();
    void clear();
    // A frame begun but not complete: when no more bytes come, it was a false
    // start or a truncated frame, and dropping its STX lets the search go on.
    bool hasPartialFrame() const { return begin_ < buffer_.size(); }
    void dropPartialFrame();
    std::size_t skippedBytes() const { return skipped_; }

private:
    std::string buffer_;
    std::size_t begin_ = 0;
    std::size_t skipped_ = 0;
};

} // namespace ravik::station
