// The station emulator checked against an independent station client,
// Debian's python3-sireader: it reads every card type the library knows from
// the emulator and gets back the number and punches the card was built with,
// and Ravik's decoders read the same memory alike. The library's own limits:
// no pCard, 64 punches on SI10/SI11/SIAC, the SI-Card 6 in 64-punch mode only,
// codes modulo 256, SI-Card 5 punches 31 to 36 (no time) not read.
#include "core/time_of_day.h"
#include "readout/station/card_decoders.h"
#include "station_emulator.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <future>
#include <sstream>

namespace ravik::test {
namespace {

using namespace ravik::station;

std::string runSireader(const std::string& port, int cards) {
    const std::string command = "/usr/bin/python3 " RAVIK_SOURCE_DIR "/tests/readout/sireader_check.py '" +
                                port + "' " + std::to_string(cards) + " 2>&1";
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return "cannot start python3";
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    ::pclose(pipe);
    return output;
}

std::string clockOf(const std::optional<CardPunch>& record, bool twelveHour) {
    if (!record || !record->seconds) return "null";
    return clockText(*record->seconds % (twelveHour ? 43200 : 86400));
}

// The library gives SI-Card 5 times on the afternoon of its reference day.
std::string clockOf(const nlohmann::json& value, bool twelveHour) {
    if (value.is_null()) return "null";
    return twelveHour ? clockText(secondsOfDay(value.get<std::string>()) % 43200) : value.get<std::string>();
}

// What the card holds as its own decoder reads it back: a twelve-hour card has no days
// and no station codes in its records.
CardContents asKept(CardContents card) {
    if (!card.twelveHour()) return card;
    for (auto* record : {&card.start, &card.finish, &card.check})
        if (*record) **record = {.code = 0, .seconds = *(*record)->seconds % 43200, .dayOfWeek = -1};
    for (CardPunch& p : card.punches)
        p = {.code = p.code, .seconds = *p.seconds % 43200, .dayOfWeek = -1};
    return card;
}

TEST(StationEmulatorAgainstSireader, EveryCardTypeTheLibraryKnowsReadsBackAsItWasBuilt) {
    std::vector<CardContents> cards;
    auto add = [&](CardKind kind, std::uint32_t number, int punches) {
        CardContents card = makeCard(kind, number, punchAt(1, "11:50:00"), punchAt(2, "13:30:05"),
                                     punchRun(punches, 31, "11:51:00", 5));
        card.check = punchAt(10, "11:40:00", 5);
        cards.push_back(card);
        return &cards.back();
    };
    add(CardKind::Si5, 304243, 30);
    add(CardKind::Si6, 654321, 64)->clear = punchAt(11, "11:39:30", 5);
    add(CardKind::Si8, 2345678, 30);
    add(CardKind::Si9, 1234567, 50);
    add(CardKind::Si10, 7123456, 64)->punches[3].code = 300;
    add(CardKind::Si11, 9123456, 64);
    add(CardKind::Siac, 8123456, 64)->punches[7].code = 700;

    PtyStation station;
    auto reading =
        std::async(std::launch::async, runSireader, station.path(), static_cast<int>(cards.size()));
    // The library's start-up: set direct mode, then the protocol byte and the mode.
    ASSERT_TRUE(station.waitUntil([](const FakeStation& s) {
        return std::count(s.commands.begin(), s.commands.end(), 0x83) == 2;
    })) << reading.get();
    for (std::size_t i = 0; i < cards.size(); ++i) {
        station.insert(cards[i]);
        ASSERT_TRUE(station.waitUntil([&](const FakeStation& s) {
            return s.acks == static_cast<int>(i + 1);
        })) << "card "
            << cards[i].number << ": " << reading.get();
    }
    std::istringstream lines(reading.get());
    std::string line;
    for (const CardContents& card : cards) {
        SCOPED_TRACE(std::string(cardKindName(card.kind)) + " " + std::to_string(card.number));
        ASSERT_TRUE(std::getline(lines, line));
        const auto read = nlohmann::json::parse(line, nullptr, false);
        ASSERT_FALSE(read.is_discarded()) << line;
        const bool twelveHour = card.twelveHour();
        EXPECT_EQ(read["number"].get<std::uint32_t>(), card.number);
        EXPECT_EQ(clockOf(read["start"], twelveHour), clockOf(card.start, twelveHour));
        EXPECT_EQ(clockOf(read["finish"], twelveHour), clockOf(card.finish, twelveHour));
        EXPECT_EQ(clockOf(read["check"], twelveHour), clockOf(card.check, twelveHour));
        EXPECT_EQ(clockOf(read["clear"], twelveHour), clockOf(card.clear, twelveHour));
        ASSERT_EQ(read["punches"].size(), card.punches.size());
        for (std::size_t i = 0; i < card.punches.size(); ++i) {
            EXPECT_EQ(read["punches"][i][0].get<int>(), card.punches[i].code % 256) << "punch " << i + 1;
            EXPECT_EQ(clockOf(read["punches"][i][1], twelveHour), clockOf(card.punches[i], twelveHour))
                << "punch " << i + 1;
        }
        EXPECT_EQ(decodeCard(card.kind, cardMemory(card)), asKept(card));
    }
}

} // namespace
} // namespace ravik::test
