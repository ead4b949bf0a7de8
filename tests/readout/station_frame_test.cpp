// The station's frames and CRC, and the facts of the card memory that the
// decoders must get right: numbers, 4-byte records, which blocks to read.
#include "readout/station/card_decoders.h"
#include "readout/station/frame.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ravik::station {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string result;
    for (const int v : values)
        result += static_cast<char>(v);
    return result;
}

std::string hex(std::string_view data) {
    std::ostringstream out;
    for (const char c : data) {
        char text[4];
        std::snprintf(text, sizeof text, "%02X ", static_cast<std::uint8_t>(c));
        out << text;
    }
    return out.str();
}

TEST(StationFrames, CrcMatchesTheStationsTestVectors) {
    struct Case {
        std::string covered;
        std::uint16_t crc;
    };
    const Case cases[] = {
        {bytes({0x53, 0x00, 0x05, 0x01, 0x0F, 0xB5, 0x00, 0x00, 0x1E, 0x08}), 0x2C12},
        {bytes({0xB1, 0x00}), 0xB100},
        {bytes({0xF0, 0x01, 0x4D}), 0x6D0A},
        {bytes({0x83, 0x02, 0x74, 0x01}), 0x0414},
        {bytes({0x83, 0x02, 0x33, 0x01}), 0x1611},
        {bytes({0x83, 0x04, 0x00, 0x01, 0x74, 0x05}), 0xB164},
        {bytes({0xE1, 0x01, 0x08}), 0x4E0A},
        {bytes({0xEF, 0x01, 0x08}), 0xEA09},
        {bytes({0xF9, 0x01, 0x02}), 0x140A},
        {bytes({0xF0, 0x03, 0x00, 0x01, 0x4D}), 0x0D11},
        {bytes({0xE5, 0x06, 0x00, 0x01, 0x00, 0x03, 0x10, 0x93}), 0xB737},
        {bytes({0xE6, 0x06, 0x00, 0x01, 0x00, 0xFF, 0x00, 0x00}), 0x6864},
        {bytes({0xE8, 0x06, 0x00, 0x01, 0x0F, 0x98, 0x7E, 0x52}), 0xC645},
        {bytes({0x83, 0x04, 0x00, 0x01, 0x33, 0xFF}), 0xA17D},
    };
    for (const Case& c : cases)
        EXPECT_EQ(frameCrc(c.covered), c.crc) << hex(c.covered);
    EXPECT_EQ(hex(encodeFrame(0xF0, "\x4D")), "02 F0 01 4D 6D 0A 03 ");
}

// What the decoder makes of a byte stream, one item per line.
std::string decoded(const std::string& stream, bool byteByByte = false) {
    FrameDecoder decoder;
    std::string out;
    auto drain = [&] {
        while (auto item = decoder.next()) {
            if (item->kind == ReceivedKind::Nak) out += "NAK\n";
            if (item->kind == ReceivedKind::CrcError)
                out += "CRC " + hex(std::string(1, char(item->frame.command))) + "\n";
            if (item->kind == ReceivedKind::Frame)
                out += hex(std::string(1, char(item->frame.command))) + "| " + hex(item->frame.data) + "\n";
        }
    };
    if (byteByByte) {
        for (const char c : stream) {
            decoder.feed(std::string_view(&c, 1));
            drain();
        }
    } else {
        decoder.feed(stream);
        drain();
    }
    if (decoder.hasPartialFrame()) out += "(waiting)\n";
    return out;
}

TEST(StationFrames, DecoderSkipsNoiseAndFalseStartsAndCutsFramesByTheirLength) {
    const std::string si5Inserted =
        bytes({0x02, 0xE5, 0x06, 0x00, 0x01, 0x00, 0x03, 0x10, 0x93, 0xB7, 0x37, 0x03});
    const std::string reply = bytes({0x02, 0xF0, 0x03, 0x00, 0x01, 0x4D, 0x0D, 0x11, 0x03});
    struct Case {
        std::string name, stream, items;
    };
    const Case cases[] = {
        {"wake-up and doubled STX", bytes({0xFF, 0x02}) + reply, "F0 | 00 01 4D \n"},
        {"ETX and DLE inside the data", si5Inserted, "E5 | 00 01 00 03 10 93 \n"},
        {"noise between frames", bytes({0x00, 0x13, 0x03}) + reply + bytes({0x11}) + si5Inserted,
         "F0 | 00 01 4D \nE5 | 00 01 00 03 10 93 \n"},
        {"a false start", bytes({0x02, 0xE7, 0x01, 0x55}) + si5Inserted, "E5 | 00 01 00 03 10 93 \n"},
        {"a wrong CRC", si5Inserted.substr(0, 10) + bytes({0x38, 0x03}) + reply, "CRC E5 \nF0 | 00 01 4D \n"},
        {"a NAK", bytes({0x15}) + reply, "NAK\nF0 | 00 01 4D \n"},
        {"a base-protocol frame", bytes({0x02, 0x46, 0x49, 0x03}) + reply, "F0 | 00 01 4D \n"},
        {"a truncated frame", reply.substr(0, 5), "(waiting)\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decoded(c.stream), c.items) << c.name;
        EXPECT_EQ(decoded(c.stream, true), c.items) << c.name << ", byte by byte";
    }

    // A frame that stops arriving is given up, and the frame inside it is found.
    FrameDecoder decoder;
    decoder.feed(bytes({0x02, 0x83, 0x7F, 0x00}) + si5Inserted);
    EXPECT_FALSE(decoder.next());
    decoder.dropPartialFrame();
    const auto item = decoder.next();
    ASSERT_TRUE(item);
    EXPECT_EQ(item->frame.command, 0xE5);
}

CardBlock blockWith(std::initializer_list<std::pair<int, std::string>> parts) {
    CardBlock block;
    block.fill(0xEE);
    for (const auto& [offset, data] : parts)
        std::copy(data.begin(), data.end(), block.begin() + offset);
    return block;
}

TEST(StationCards, Si5NumbersCarryTheirSeriesAndFourByteRecordsTheirHalfDayDayAndHighCodeBits) {
    CardBlock si5 = blockWith({{0x04, bytes({0x10, 0x93, 0x03})}, {0x17, bytes({0x01})}});
    EXPECT_EQ(decodeCard(CardKind::Si5, {{0, si5}}).number, 304243u);
    si5[0x06] = 0x01;
    EXPECT_EQ(decodeCard(CardKind::Si5, {{0, si5}}).number, 4243u);

    // SI9: punches from 0x38; PTD bit 0 = PM, bits 1-3 = day, bits 6-7 = code bits 8-9.
    const CardBlock si9 = blockWith({{0x16, bytes({6})},
                                     {0x19, bytes({0x0F, 0x42, 0x41})},
                                     {0x38, bytes({0x0D, 0x1F, 0x0E, 0x10})},
                                     {0x3C, bytes({0x42, 0x2C, 0x00, 0x3C})},
                                     {0x40, bytes({0x80, 0x01, 0xEE, 0xEE})},
                                     {0x44, bytes({0xEE, 0x21, 0xEE, 0xEE})},
                                     {0x48, bytes({0xEE, 0xEE, 0xEE, 0xEE})},
                                     {0x4C, bytes({0x0E, 0x22, 0x00, 0x3C})}});
    const CardContents card = decodeCard(CardKind::Si9, {{0, si9}});
    EXPECT_EQ(card.number, 1000001u);
    EXPECT_FALSE(card.start);
    const std::vector<CardPunch> punches{
        {.code = 31, .seconds = 43200 + 3600, .dayOfWeek = 6}, // 13:00:00 on Saturday
        {.code = 300, .seconds = 60, .dayOfWeek = 1},          // 00:01:00 on Monday, code 256 + 44
        {.code = 513, .seconds = {}, .dayOfWeek = -1},         // no time
        {.code = 0x21, .seconds = {}, .dayOfWeek = -1},        // PTD never written
        {.code = 0x22, .seconds = 60, .dayOfWeek = -1},        // day 7: unknown
    };
    EXPECT_EQ(card.punches, punches); // the slot never written is left out
}

TEST(StationCards, TheBlocksToReadFollowThePunchCountAndCountsAreCutToTheCapacity) {
    struct Case {
        CardKind kind;
        int countOffset, count;
        std::vector<int> blocks;
    };
    const Case cases[] = {
        {CardKind::Si6, 0x12, 100, {6, 7, 2, 3}},
        {CardKind::Si6, 0x12, 255, {6, 7, 2, 3, 4, 5}},
        {CardKind::Si9, 0x16, 18, {}},
        {CardKind::Si9, 0x16, 19, {1}},
        {CardKind::Si8, 0x16, 200, {1}},
        {CardKind::PCard, 0x16, 0, {}},
        {CardKind::Siac, 0x16, 33, {4, 5}},
        {CardKind::Si10, 0x16, 128, {4, 5, 6, 7}},
    };
    for (const Case& c : cases) {
        CardBlock block0 = blockWith({});
        block0[c.countOffset] = static_cast<std::uint8_t>(c.count);
        EXPECT_EQ(punchBlocks(c.kind, block0), c.blocks) << cardKindName(c.kind) << " " << c.count;
    }
    CardBlock si8 = blockWith({{0x16, bytes({200})}});
    CardMemory memory{{0, si8}, {1, blockWith({})}};
    for (int i = 0; i < 30; ++i)
        memory[1][0x08 + 4 * i] = 0x00; // punch records from 0x88
    EXPECT_EQ(decodeCard(CardKind::Si8, memory).punches.size(), 30u);
}

TEST(StationCards, CardFamiliesComeFromTheNumberRangeThenTheSeriesByte) {
    EXPECT_EQ(detectedCardKind(0xE5, 0, 304243), CardKind::Si5);
    EXPECT_EQ(detectedCardKind(0xE6, 0, 16711680), CardKind::Si6);
    EXPECT_EQ(detectedCardKind(0xE8, 0x0F, 7773810), CardKind::Si10);
    EXPECT_EQ(detectedCardKind(0xE8, 0x0F, 8000000), CardKind::Siac);
    EXPECT_EQ(detectedCardKind(0xE8, 0x0F, 9993810), CardKind::Si11);
    EXPECT_EQ(detectedCardKind(0xE8, 0x55, 1999999), CardKind::Si9); // the series byte is not trusted
    EXPECT_EQ(detectedCardKind(0xE8, 0x02, 2005339), CardKind::Si8);
    EXPECT_EQ(detectedCardKind(0xE8, 0x04, 4000001), CardKind::PCard);
    EXPECT_EQ(detectedCardKind(0xE8, 0x06, 6000001), std::nullopt);  // tCard
    EXPECT_EQ(detectedCardKind(0xE8, 0x0E, 14000001), std::nullopt); // fCard
    EXPECT_EQ(detectedCardKind(0xD3, 0x0F, 7000000), std::nullopt);
}

} // namespace
} // namespace ravik::station
