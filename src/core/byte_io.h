#pragma once
// Little-endian fields of the binary race and competitor files.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ravik {

// Appends fields to a byte buffer.
class ByteWriter {
public:
    void int32(std::int32_t value);
    void float32(float value);
    void uint8(std::uint8_t value);
    // A string[capacity] field: a length byte, then the characters, then zeros up to
    // capacity + 1 bytes. Longer text is cut to the capacity.
    void string(std::string_view text, std::size_t capacity);
    void padding(std::size_t count);

    std::size_t size() const { return bytes_.size(); }
    const std::vector<char>& bytes() const { return bytes_; }
    std::vector<char> take() { return std::move(bytes_); }

private:
    std::vector<char> bytes_;
};

// Reads fields from a byte range that holds at least one whole record.
class ByteReader {
public:
    ByteReader(const char* data, std::size_t size) : data_(data), size_(size) {}
    explicit ByteReader(std::string_view bytes) : ByteReader(bytes.data(), bytes.size()) {}

    std::int32_t int32();
    float float32();
    std::uint8_t uint8();
    // A string[capacity] field. A length byte above the capacity is taken as the
    // capacity; the bytes after the length are ignored.
    std::string string(std::size_t capacity);
    void skip(std::size_t count);

    std::size_t position() const { return position_; }

private:
    const char* take(std::size_t count);

    const char* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

} // namespace ravik
