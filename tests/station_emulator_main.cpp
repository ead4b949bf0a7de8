// station-emulator: the tests' SportIdent master station as a program, for the
// screenshots of the Station group. It serves a pseudo-terminal named by LINK
// and, once a reader has connected, puts in the card of the SI log's lines for
// CARD (as an SI-Card of that number's family), then serves until killed.
//
//   station-emulator LINK LOG CARD
#include "core/time_of_day.h"
#include "readout/si_log_csv.h"
#include "readout/station/card_decoders.h"
#include "station_emulator.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

using namespace ravik;
using namespace ravik::station;

namespace {

std::atomic<bool> stop{false};

CardContents cardFromLog(const std::string& logPath, std::uint32_t number) {
    CardContents card;
    card.number = number;
    card.kind = detectedCardKind(0xE8, 0, number).value_or(CardKind::Si10);
    std::ifstream log(logPath);
    const auto today =
        std::chrono::weekday(std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
    for (std::string line; std::getline(log, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const SiLogLine parsed = parseSiLogLine(line);
        if (parsed.kind != SiLogLineKind::Punch || parsed.card != number) continue;
        const std::string mode(parsed.fields[silog::kMode]);
        const CardPunch punch =
            test::punchAt(parsed.code.value_or(0), std::string(parsed.fields[silog::kTime]),
                          static_cast<int>(today.c_encoding()));
        if (mode == "STA") card.start = punch;
        if (mode == "FIN") card.finish = punch;
        if (mode == " CN") card.punches.push_back(punch);
    }
    return card;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: station-emulator LINK LOG CARD\n";
        return 2;
    }
    std::signal(SIGTERM, [](int) { stop = true; });
    std::signal(SIGINT, [](int) { stop = true; });
    const CardContents card = cardFromLog(argv[2], static_cast<std::uint32_t>(std::stoul(argv[3])));
    test::PtyStation station;
    std::filesystem::remove(argv[1]);
    std::filesystem::create_symlink(station.path(), argv[1]);
    std::cout << argv[1] << std::endl;
    bool inserted = false;
    while (!stop) {
        if (!inserted && station.waitUntil(
                             [](const test::FakeStation& s) {
                                 return std::find(s.commands.begin(), s.commands.end(), 0xF9) !=
                                        s.commands.end();
                             },
                             std::chrono::milliseconds(100))) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            station.insert(card);
            inserted = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::filesystem::remove(argv[1]);
    return 0;
}
