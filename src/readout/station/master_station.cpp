#include "readout/station/master_station.h"

#include "readout/station/card_decoders.h"

#include <array>
#include <cstdio>

namespace ravik::station {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kSetMasterSlave = 0xF0, kGetSystemValue = 0x83, kBeep = 0xF9;
constexpr std::uint8_t kReadSi5 = 0xB1, kReadSi6Block = 0xE1, kReadSi8Block = 0xEF;
constexpr std::uint8_t kSi5Detected = 0xE5, kSi6Detected = 0xE6, kCardRemoved = 0xE7, kSi8Detected = 0xE8;
constexpr char kDirectMode = 0x4D;

// System values of the station.
constexpr std::uint8_t kModelAddress = 0x0B, kSi6BlocksAddress = 0x33, kModeAddress = 0x71,
                       kProtocolAddress = 0x74;
constexpr std::uint8_t kReadoutMode = 0x05;
constexpr std::uint8_t kExtendedProtocol = 0x01, kAutosend = 0x02, kHandshake = 0x04;

// A block is asked for again after a bad reply this many times.
constexpr int kBlockAttempts = 3;
// New card-detected messages during one read-out before it gives up.
constexpr int kRestarts = 3;

constexpr std::array<int, 2> kBaudRates{38400, 4800};

// A frame that stops arriving for this long is cut short (a 4800 Bd byte takes 2 ms).
constexpr std::chrono::milliseconds kStalledFrame{150};

std::uint8_t byteOf(std::string_view bytes, std::size_t i) {
    return static_cast<std::uint8_t>(bytes[i]);
}

bool isCardDetected(std::uint8_t command) {
    return command == kSi5Detected || command == kSi6Detected || command == kSi8Detected;
}

std::string modelName(std::uint16_t model) {
    switch (model) {
    case 0x9197:
        return "BSM7";
    case 0x9198:
        return "BSM8";
    case 0x8187:
        return "BS7-SI-Master";
    case 0x8188:
        return "BS8-SI-Master";
    default: {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X", model);
        return hex;
    }
    }
}

StationProblem problemOf(LinkOpen status) {
    switch (status) {
    case LinkOpen::Opened:
        return StationProblem::None;
    case LinkOpen::Missing:
        return StationProblem::PortMissing;
    case LinkOpen::Busy:
        return StationProblem::PortBusy;
    case LinkOpen::NoPermission:
        return StationProblem::PortNoPermission;
    case LinkOpen::Failed:
        break;
    }
    return StationProblem::PortFailed;
}

} // namespace

MasterStation::MasterStation(ByteLink& link, Timeouts timeouts) : link_(link), timeouts_(timeouts) {}

MasterStation::Wait MasterStation::receive(Received& item, Clock::time_point deadline) {
    for (;;) {
        if (auto next = decoder_.next()) {
            item = std::move(*next);
            return Wait::Got;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        std::string bytes;
        switch (link_.read(bytes, std::max(left, std::chrono::milliseconds(0)))) {
        case LinkRead::Data:
            decoder_.feed(bytes);
            lastBytes_ = Clock::now();
            break;
        case LinkRead::Timeout:
            if (decoder_.hasPartialFrame() && Clock::now() - lastBytes_ > kStalledFrame) {
                decoder_.dropPartialFrame();
                break;
            }
            return Wait::Timeout;
        case LinkRead::Lost:
            return Wait::Lost;
        }
    }
}

bool MasterStation::noteUnsolicited(const Frame& frame) {
    if (frame.command == kCardRemoved) {
        inserted_.reset();
        return false;
    }
    if (!isCardDetected(frame.command) || frame.data.size() < 6) return false;
    const std::string_view data = frame.data;
    Detected detected{.command = frame.command, .series = byteOf(data, 2), .number = 0};
    if (frame.command == kSi5Detected) {
        const std::uint32_t series = byteOf(data, 3);
        const std::uint32_t number = static_cast<std::uint32_t>(byteOf(data, 4) << 8 | byteOf(data, 5));
        detected.number = series >= 2 ? series * 100000 + number : number;
    } else {
        detected.number =
            static_cast<std::uint32_t>(byteOf(data, 3) << 16 | byteOf(data, 4) << 8 | byteOf(data, 5));
    }
    inserted_ = detected;
    return true;
}

MasterStation::Reply MasterStation::request(std::uint8_t command, std::string_view data, Frame& reply,
                                            bool readingCard, std::chrono::milliseconds timeout,
                                            std::string_view prefix) {
    if (!link_.write(std::string(prefix) + encodeFrame(command, data))) return Reply::Lost;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        Received item;
        switch (receive(item, deadline)) {
        case Wait::Timeout:
            return Reply::Timeout;
        case Wait::Lost:
            return Reply::Lost;
        case Wait::Got:
            break;
        }
        if (item.kind == ReceivedKind::Nak) return Reply::Nak;
        if (item.kind == ReceivedKind::CrcError) return Reply::CrcError;
        if (item.frame.command == command) {
            reply = std::move(item.frame);
            return Reply::Frame;
        }
        // A station in read-out mode reports cards at any time, also in place of a reply.
        const bool detected = noteUnsolicited(item.frame);
        if (readingCard && detected) return Reply::Inserted;
        if (readingCard && item.frame.command == kCardRemoved) return Reply::Removed;
    }
}

std::optional<std::string> MasterStation::systemValue(std::uint8_t address, std::uint8_t count) {
    Frame reply;
    const char data[2] = {static_cast<char>(address), static_cast<char>(count)};
    if (request(kGetSystemValue, std::string_view(data, 2), reply, false, timeouts_.reply) != Reply::Frame)
        return std::nullopt;
    // CN1 CN0 ADDR value...
    if (reply.data.size() < 3u + count || byteOf(reply.data, 2) != address) return std::nullopt;
    return reply.data.substr(3, count);
}

Connection MasterStation::connect() {
    Connection connection;
    decoder_.clear();
    inserted_.reset();
    bool found = false;
    for (const int baudRate : kBaudRates) {
        const LinkOpenResult opened = link_.open(baudRate);
        if (opened.status != LinkOpen::Opened) {
            connection.problem = problemOf(opened.status);
            connection.detail = opened.detail;
            return connection;
        }
        link_.discardInput();
        decoder_.clear();
        Frame reply;
        const char wakeUp = static_cast<char>(kWakeUp);
        const Reply answer = request(kSetMasterSlave, std::string_view(&kDirectMode, 1), reply, false,
                                     timeouts_.detection, std::string_view(&wakeUp, 1));
        if (answer == Reply::Nak) {
            connection.problem = StationProblem::BaseProtocol;
            return connection;
        }
        if (answer == Reply::Lost) {
            connection.problem = StationProblem::PortFailed;
            return connection;
        }
        if (answer == Reply::Frame && reply.data.size() >= 2) {
            settings_ = {};
            settings_.baudRate = baudRate;
            settings_.code = byteOf(reply.data, 0) << 8 | byteOf(reply.data, 1);
            found = true;
            break;
        }
    }
    const auto protocol = found ? systemValue(kProtocolAddress, 1) : std::nullopt;
    const auto mode = protocol ? systemValue(kModeAddress, 1) : std::nullopt;
    if (!protocol || !mode) {
        connection.problem = StationProblem::NoAnswer;
        return connection;
    }
    const std::uint8_t protocolByte = byteOf(*protocol, 0);
    if (!(protocolByte & kExtendedProtocol))
        connection.problem = StationProblem::BaseProtocol;
    else if (byteOf(*mode, 0) != kReadoutMode)
        connection.problem = StationProblem::NotReadoutMode;
    else if (protocolByte & kAutosend)
        connection.problem = StationProblem::Autosend;
    else if (!(protocolByte & kHandshake))
        connection.problem = StationProblem::NoHandshake;
    if (const auto model = systemValue(kModelAddress, 2))
        settings_.model = modelName(static_cast<std::uint16_t>(byteOf(*model, 0) << 8 | byteOf(*model, 1)));
    if (const auto blocks = systemValue(kSi6BlocksAddress, 1))
        settings_.si6With192Punches = byteOf(*blocks, 0) == 0xFF || byteOf(*blocks, 0) == 0x08;
    connection.settings = settings_;
    if (connection.connected()) { // two beeps: ready
        Frame reply;
        request(kBeep, "\x02", reply, false, timeouts_.reply);
    }
    return connection;
}

MasterStation::Fetch MasterStation::fetchBlock(std::uint8_t command, std::optional<std::uint8_t> block,
                                               std::string& bytes) {
    const std::string data = block ? std::string(1, static_cast<char>(*block)) : std::string();
    // CN1 CN0, the block number (not for SI-Card 5), 128 bytes.
    const std::size_t header = block ? 3 : 2;
    for (int attempt = 0; attempt < kBlockAttempts; ++attempt) {
        Frame reply;
        switch (request(command, data, reply, true, timeouts_.reply)) {
        case Reply::Frame:
            if (reply.data.size() == header + kBlockSize && (!block || byteOf(reply.data, 2) == *block)) {
                bytes = reply.data.substr(header);
                return Fetch::Block;
            }
            break; // not the block asked for: ask again
        case Reply::CrcError:
            break;
        case Reply::Nak:
        case Reply::Removed:
            return Fetch::RemovedEarly;
        case Reply::Inserted:
            return Fetch::Inserted;
        case Reply::Timeout:
            decoder_.clear();
            return Fetch::Silent;
        case Reply::Lost:
            return Fetch::Lost;
        }
    }
    return Fetch::NotRead;
}

CardEvent MasterStation::readCard(Detected detected) {
    for (int restart = 0;; ++restart) {
        CardEvent event;
        event.number = detected.number;
        const auto kind = detectedCardKind(detected.command, detected.series, detected.number);
        if (!kind) {
            event.kind = CardEventKind::Unsupported;
            return event;
        }
        CardMemory memory;
        std::vector<int> blocks{0};
        const std::uint8_t command = *kind == CardKind::Si5   ? kReadSi5
                                     : *kind == CardKind::Si6 ? kReadSi6Block
                                                              : kReadSi8Block;
        Fetch fetched = Fetch::Block;
        for (std::size_t i = 0; i < blocks.size() && fetched == Fetch::Block; ++i) {
            std::string bytes;
            const auto block = *kind == CardKind::Si5 ? std::nullopt : std::optional(std::uint8_t(blocks[i]));
            fetched = fetchBlock(command, block, bytes);
            if (fetched != Fetch::Block) break;
            CardBlock& stored = memory[blocks[i]];
            std::copy(bytes.begin(), bytes.end(), stored.begin());
            if (i == 0) {
                const auto more = punchBlocks(*kind, stored);
                blocks.insert(blocks.end(), more.begin(), more.end());
            }
        }
        switch (fetched) {
        case Fetch::Block:
            break;
        case Fetch::Inserted:
            if (restart < kRestarts && inserted_) {
                detected = *inserted_;
                inserted_.reset();
                continue;
            }
            event.kind = CardEventKind::NotRead;
            return event;
        case Fetch::RemovedEarly:
            event.kind = CardEventKind::RemovedEarly;
            return event;
        case Fetch::NotRead:
            event.kind = CardEventKind::NotRead;
            return event;
        case Fetch::Silent:
            event.kind = CardEventKind::Silent;
            return event;
        case Fetch::Lost:
            event.kind = CardEventKind::Lost;
            return event;
        }
        CardContents card = decodeCard(*kind, memory);
        // Blocks of another card than the one detected: never logged.
        event.kind = card.number == detected.number ? CardEventKind::Read : CardEventKind::NotRead;
        if (event.kind == CardEventKind::Read) event.card = std::move(card);
        return event;
    }
}

CardEvent MasterStation::nextCard(std::chrono::milliseconds wait) {
    if (!inserted_) {
        const auto deadline = Clock::now() + wait;
        while (!inserted_) {
            Received item;
            switch (receive(item, deadline)) {
            case Wait::Timeout:
                return {};
            case Wait::Lost:
                return {.kind = CardEventKind::Lost, .number = 0, .card = {}};
            case Wait::Got:
                if (item.kind == ReceivedKind::Frame) noteUnsolicited(item.frame);
                break;
            }
        }
    }
    const Detected detected = *inserted_;
    inserted_.reset();
    return readCard(detected);
}

bool MasterStation::acknowledge() {
    return link_.write(std::string(1, static_cast<char>(kAck)));
}

} // namespace ravik::station
