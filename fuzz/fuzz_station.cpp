// Feeds arbitrary bytes to the station read-out: the frame decoder, the card
// decoders of every card type, and the whole conversation over a link that
// answers with the bytes. Never a crash, never a wait: a link with nothing
// left times out at once; every decoded card stays within its capacity.
#include "readout/station/card_decoders.h"
#include "readout/station/frame.h"
#include "readout/station/master_station.h"

#include <cstdint>
#include <string>

namespace {

using namespace ravik::station;

class BytesLink : public ByteLink {
public:
    explicit BytesLink(std::string_view bytes) : bytes_(bytes) {}
    LinkOpenResult open(int) override { return {LinkOpen::Opened, {}}; }
    void close() override {}
    bool write(std::string_view) override { return true; }
    LinkRead read(std::string& into, std::chrono::milliseconds) override {
        if (bytes_.empty()) return LinkRead::Timeout;
        // Uneven pieces, as a serial line delivers them.
        const std::size_t piece =
            std::min<std::size_t>(bytes_.size(), 1 + static_cast<std::uint8_t>(bytes_[0]) % 64);
        into.append(bytes_.substr(0, piece));
        bytes_.remove_prefix(piece);
        return LinkRead::Data;
    }
    void discardInput() override {}

private:
    std::string_view bytes_;
};

constexpr CardKind kKinds[] = {CardKind::Si5,   CardKind::Si6,  CardKind::Si8,  CardKind::Si9,
                               CardKind::PCard, CardKind::Si10, CardKind::Si11, CardKind::Siac};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    FrameDecoder decoder;
    decoder.feed(bytes);
    while (const auto item = decoder.next())
        if (item->frame.data.size() > 255) __builtin_trap();
    decoder.dropPartialFrame();
    while (decoder.next()) {
    }

    // The bytes as card memory, block after block.
    CardMemory memory;
    for (std::size_t offset = 0, block = 0; offset < size && block < 8; offset += kBlockSize, ++block)
        for (std::size_t i = 0; i < kBlockSize; ++i)
            memory[static_cast<int>(block)][i] = offset + i < size ? data[offset + i] : 0;
    for (const CardKind kind : kKinds) {
        const CardContents card = decodeCard(kind, memory);
        if (static_cast<int>(card.punches.size()) > punchCapacity(kind)) __builtin_trap();
        for (const CardPunch& punch : card.punches)
            if (punch.code < 0 || punch.code > 1023 ||
                (punch.seconds && (*punch.seconds < 0 || *punch.seconds >= 86400)))
                __builtin_trap();
        if (memory.count(0)) (void)punchBlocks(kind, memory.at(0));
    }

    // Half the inputs follow a good start-up, so that the card read-out is reached.
    std::string session;
    if (size > 0 && data[0] % 2 == 1) {
        session += encodeFrame(0xF0, std::string("\x00\x01\x4D", 3));
        session += encodeFrame(0x83, std::string("\x00\x01\x74\x05", 4));
        session += encodeFrame(0x83, std::string("\x00\x01\x71\x05", 4));
        session += encodeFrame(0x83, std::string("\x00\x01\x0B\x91\x98", 5));
        session += encodeFrame(0x83, std::string("\x00\x01\x33\xC1", 4));
        session += encodeFrame(0xF9, std::string("\x00\x01\x02", 3));
    }
    session.append(bytes.substr(std::min<std::size_t>(size, 1)));
    BytesLink link(session);
    MasterStation station(link);
    (void)station.connect();
    for (int i = 0; i < 4; ++i)
        (void)station.nextCard(std::chrono::milliseconds(0));
    return 0;
}
