#pragma once
// Card memory to card contents: pure functions over the 128-byte blocks that
// the station sends, so that tests and the fuzzer reach them directly. Any
// bytes decode to some card: counts beyond the card's capacity are cut to it,
// punches in blocks that were not read are left out.
#include "readout/station/card_contents.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace ravik::station {

inline constexpr std::size_t kBlockSize = 128;
using CardBlock = std::array<std::uint8_t, kBlockSize>;
// Blocks by their number (0 to 7); an SI-Card 5 is block 0 alone.
using CardMemory = std::map<int, CardBlock>;

// The card family of a card-detected message (E5, E6, E8) with its series byte
// and number; nullopt for cards the read-out does not know (tCard, fCard, ...).
std::optional<CardKind> detectedCardKind(std::uint8_t command, std::uint8_t series, std::uint32_t number);

// The blocks beyond block 0 that hold the punches counted in block 0, in punch order.
std::vector<int> punchBlocks(CardKind kind, const CardBlock& block0);

CardContents decodeCard(CardKind kind, const CardMemory& memory);

} // namespace ravik::station
