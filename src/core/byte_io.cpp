#include "core/byte_io.h"

#include <bit>
#include <cstring>
#include <stdexcept>

namespace ravik {

void ByteWriter::int32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<char>((bits >> shift) & 0xFF));
}

void ByteWriter::float32(float value) { int32(static_cast<std::int32_t>(std::bit_cast<std::uint32_t>(value))); }

void ByteWriter::uint8(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }

void ByteWriter::string(std::string_view text, std::size_t capacity) {
    const std::size_t length = std::min(text.size(), capacity);
    bytes_.push_back(static_cast<char>(length));
    bytes_.insert(bytes_.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
    bytes_.insert(bytes_.end(), capacity - length, '\0');
}

void ByteWriter::padding(std::size_t count) { bytes_.insert(bytes_.end(), count, '\0'); }

const char* ByteReader::take(std::size_t count) {
    if (position_ + count > size_) throw std::out_of_range("record read past its end");
    const char* at = data_ + position_;
    position_ += count;
    return at;
}

std::int32_t ByteReader::int32() {
    const auto* at = reinterpret_cast<const unsigned char*>(take(4));
    const std::uint32_t bits = std::uint32_t(at[0]) | (std::uint32_t(at[1]) << 8) | (std::uint32_t(at[2]) << 16) |
                               (std::uint32_t(at[3]) << 24);
    return static_cast<std::int32_t>(bits);
}

float ByteReader::float32() { return std::bit_cast<float>(static_cast<std::uint32_t>(int32())); }

std::uint8_t ByteReader::uint8() { return static_cast<std::uint8_t>(*take(1)); }

std::string ByteReader::string(std::size_t capacity) {
    const char* field = take(capacity + 1);
    const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(field[0]), capacity);
    return std::string(field + 1, length);
}

void ByteReader::skip(std::size_t count) { take(count); }

} // namespace ravik
