#include "readout/station/frame.h"

namespace ravik::station {

namespace {

std::uint8_t byteAt(std::string_view bytes, std::size_t i) {
    return static_cast<std::uint8_t>(bytes[i]);
}

// The smallest frame: STX, command, length 0, CRC, ETX.
constexpr std::size_t kEmptyFrame = 6;
// Commands of the extended protocol; smaller ones belong to the base protocol.
constexpr std::uint8_t kFirstExtendedCommand = 0x80;

} // namespace

std::uint16_t frameCrc(std::span<const std::uint8_t> covered) {
    const std::size_t n = covered.size();
    if (n < 2) return 0;
    std::uint16_t reg = static_cast<std::uint16_t>(covered[0] << 8 | covered[1]);
    if (n == 2) return reg;
    // The rest, padded with one zero byte (odd count) or two (even count), as 16-bit words.
    const std::size_t padded = n - 2 + (n % 2 == 0 ? 2 : 1);
    for (std::size_t i = 0; i < padded; i += 2) {
        auto at = [&](std::size_t k) -> std::uint16_t { return 2 + k < n ? covered[2 + k] : 0; };
        std::uint16_t word = static_cast<std::uint16_t>(at(i) << 8 | at(i + 1));
        for (int bit = 0; bit < 16; ++bit) {
            const bool out = reg & 0x8000;
            reg = static_cast<std::uint16_t>(reg << 1 | (word >> 15));
            word = static_cast<std::uint16_t>(word << 1);
            if (out) reg ^= 0x8005;
        }
    }
    return reg;
}

std::uint16_t frameCrc(std::string_view covered) {
    return frameCrc(std::span(reinterpret_cast<const std::uint8_t*>(covered.data()), covered.size()));
}

std::string encodeFrame(std::uint8_t command, std::string_view data) {
    std::string frame;
    frame.reserve(data.size() + kEmptyFrame);
    frame += static_cast<char>(kStx);
    frame += static_cast<char>(command);
    frame += static_cast<char>(data.size());
    frame.append(data);
    const std::uint16_t crc = frameCrc(std::string_view(frame).substr(1));
    frame += static_cast<char>(crc >> 8);
    frame += static_cast<char>(crc & 0xFF);
    frame += static_cast<char>(kEtx);
    return frame;
}

void FrameDecoder::feed(std::string_view bytes) {
    if (begin_ > 0 && begin_ == buffer_.size()) {
        buffer_.clear();
        begin_ = 0;
    } else if (begin_ > 4096) {
        buffer_.erase(0, begin_);
        begin_ = 0;
    }
    buffer_.append(bytes);
}

void FrameDecoder::clear() {
    buffer_.clear();
    begin_ = 0;
}

void FrameDecoder::dropPartialFrame() {
    if (begin_ < buffer_.size()) {
        ++begin_;
        ++skipped_;
    }
}

std::optional<Received> FrameDecoder::next() {
    const std::string_view bytes = buffer_;
    while (begin_ < bytes.size()) {
        const std::uint8_t first = byteAt(bytes, begin_);
        if (first == kNak) {
            ++begin_;
            return Received{.kind = ReceivedKind::Nak, .frame = {}};
        }
        if (first != kStx) { // wake-up bytes and anything between frames
            ++begin_;
            ++skipped_;
            continue;
        }
        const std::size_t available = bytes.size() - begin_;
        if (available < 2) return std::nullopt;
        const std::uint8_t command = byteAt(bytes, begin_ + 1);
        if (command < kFirstExtendedCommand) { // a doubled STX, or not an extended frame
            ++begin_;
            ++skipped_;
            continue;
        }
        if (available < 3) return std::nullopt;
        const std::size_t length = byteAt(bytes, begin_ + 2);
        const std::size_t total = length + kEmptyFrame;
        if (available < total) return std::nullopt;
        if (byteAt(bytes, begin_ + total - 1) != kEtx) { // a false start
            ++begin_;
            ++skipped_;
            continue;
        }
        const std::string_view covered = bytes.substr(begin_ + 1, length + 2);
        const std::uint16_t sent = static_cast<std::uint16_t>(byteAt(bytes, begin_ + 3 + length) << 8 |
                                                              byteAt(bytes, begin_ + 4 + length));
        Received received;
        received.kind = frameCrc(covered) == sent ? ReceivedKind::Frame : ReceivedKind::CrcError;
        received.frame.command = command;
        if (received.kind == ReceivedKind::Frame) received.frame.data.assign(covered.substr(2));
        begin_ += total;
        return received;
    }
    return std::nullopt;
}

} // namespace ravik::station
