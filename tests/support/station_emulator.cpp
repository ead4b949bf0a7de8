#include "station_emulator.h"

#include "core/time_of_day.h"
#include "readout/station/frame.h"

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace ravik::test {

using namespace ravik::station;

namespace {

constexpr std::uint8_t kSetMs = 0xF0, kGetMs = 0xF1, kGetSystemValue = 0x83, kBeep = 0xF9;
constexpr std::uint8_t kReadSi5 = 0xB1, kReadSi6 = 0xE1, kReadSi8 = 0xEF;
constexpr std::uint8_t kSi5Detected = 0xE5, kSi6Detected = 0xE6, kRemoved = 0xE7, kSi8Detected = 0xE8;

// A 4-byte record: PTD (PM, day of week, code bits 8 and 9), CN, 12-hour time.
void putRecord(CardMemory& memory, int offset, const CardPunch& punch) {
    CardBlock& block = memory[offset / 128];
    const int at = offset % 128;
    std::uint8_t ptd = static_cast<std::uint8_t>((punch.code >> 8 & 3) << 6);
    std::uint16_t time = 0xEEEE;
    if (punch.seconds) {
        ptd |= static_cast<std::uint8_t>((punch.dayOfWeek < 0 ? 7 : punch.dayOfWeek) << 1);
        ptd |= *punch.seconds >= 43200 ? 1 : 0;
        time = static_cast<std::uint16_t>(*punch.seconds % 43200);
    }
    block[at] = ptd;
    block[at + 1] = static_cast<std::uint8_t>(punch.code & 0xFF);
    block[at + 2] = static_cast<std::uint8_t>(time >> 8);
    block[at + 3] = static_cast<std::uint8_t>(time & 0xFF);
}

void putNumber(CardBlock& block, int offset, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i, value >>= 8)
        block[offset + i] = static_cast<std::uint8_t>(value & 0xFF);
}

void putOptionalRecord(CardMemory& memory, int offset, const std::optional<CardPunch>& record) {
    if (record) putRecord(memory, offset, *record);
}

CardMemory si5Memory(const CardContents& card) {
    CardMemory memory;
    CardBlock& block = memory[0];
    block.fill(0);
    const std::uint32_t series = card.number >= 100000 ? card.number / 100000 : 0;
    putNumber(block, 0x04, series >= 2 ? card.number % 100000 : card.number, 2);
    block[0x06] = static_cast<std::uint8_t>(series >= 2 ? series : 1);
    auto putTime = [&](int offset, const std::optional<CardPunch>& record) {
        putNumber(block, offset, record && record->seconds ? *record->seconds % 43200 : 0xEEEE, 2);
    };
    putTime(0x13, card.start);
    putTime(0x15, card.finish);
    putTime(0x19, card.check);
    block[0x17] = static_cast<std::uint8_t>(card.punches.size() + 1);
    for (int i = 1; i <= 30; ++i) { // unused slots: code 0, no time
        const int offset = 0x21 + 16 * ((i - 1) / 5) + 3 * ((i - 1) % 5);
        putNumber(block, offset + 1, 0xEEEE, 2);
    }
    for (std::size_t k = 0; k < card.punches.size(); ++k) {
        const int i = static_cast<int>(k) + 1;
        const CardPunch& punch = card.punches[k];
        if (i <= 30) {
            const int offset = 0x21 + 16 * ((i - 1) / 5) + 3 * ((i - 1) % 5);
            block[offset] = static_cast<std::uint8_t>(punch.code & 0xFF);
            putNumber(block, offset + 1, punch.seconds ? *punch.seconds % 43200 : 0xEEEE, 2);
        } else {
            block[0x20 + 16 * (i - 31)] = static_cast<std::uint8_t>(punch.code & 0xFF);
        }
    }
    return memory;
}

std::uint8_t seriesOf(CardKind kind) {
    switch (kind) {
    case CardKind::Si9:
        return 0x01;
    case CardKind::Si8:
        return 0x02;
    case CardKind::PCard:
        return 0x04;
    default:
        return 0x0F;
    }
}

} // namespace

CardPunch punchAt(int code, const std::string& time, int dayOfWeek) {
    CardPunch punch{.code = code, .seconds = {}, .dayOfWeek = -1};
    if (!time.empty()) {
        punch.seconds = static_cast<std::int32_t>(secondsOfDay(time));
        punch.dayOfWeek = dayOfWeek;
    }
    return punch;
}

std::vector<CardPunch> punchRun(int count, int firstCode, const std::string& firstTime, int dayOfWeek) {
    std::vector<CardPunch> punches;
    const auto first = secondsOfDay(firstTime);
    for (int i = 0; i < count; ++i)
        punches.push_back(punchAt(firstCode + i, clockText((first + 60 * i) % 86400), dayOfWeek));
    return punches;
}

std::string todayText() {
    char today[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(today, sizeof today, "%Y-%m-%d", std::localtime(&now));
    return today;
}

CardContents makeCard(CardKind kind, std::uint32_t number, std::optional<CardPunch> start,
                      std::optional<CardPunch> finish, std::vector<CardPunch> punches) {
    CardContents card;
    card.kind = kind;
    card.number = number;
    card.start = start;
    card.finish = finish;
    card.punches = std::move(punches);
    return card;
}

CardMemory cardMemory(const CardContents& card) {
    if (card.kind == CardKind::Si5) return si5Memory(card);
    CardMemory memory;
    const bool big = card.kind == CardKind::Si6 || card.kind == CardKind::Si10 ||
                     card.kind == CardKind::Si11 || card.kind == CardKind::Siac;
    for (int b = 0; b < (big ? 8 : 2); ++b)
        memory[b].fill(0xEE);
    CardBlock& block0 = memory[0];
    const int count = static_cast<int>(card.punches.size());
    if (card.kind == CardKind::Si6) {
        block0[0x0A] = 0;
        putNumber(block0, 0x0B, card.number, 3);
        block0[0x12] = static_cast<std::uint8_t>(count);
        block0[0x13] = static_cast<std::uint8_t>(count + 1);
        putOptionalRecord(memory, 0x14, card.finish);
        putOptionalRecord(memory, 0x18, card.start);
        putOptionalRecord(memory, 0x1C, card.check);
        putOptionalRecord(memory, 0x20, card.clear);
        for (int i = 1; i <= count; ++i)
            putRecord(memory, i <= 64 ? 0x300 + 4 * (i - 1) : 0x100 + 4 * (i - 65), card.punches[i - 1]);
        return memory;
    }
    putNumber(block0, 0x00, 0x12345678, 4); // chip UID
    putNumber(block0, 0x04, 0xEAEAEAEA, 4);
    putOptionalRecord(memory, 0x08, card.check);
    putOptionalRecord(memory, 0x0C, card.start);
    putOptionalRecord(memory, 0x10, card.finish);
    block0[0x16] = static_cast<std::uint8_t>(count);
    block0[0x18] = seriesOf(card.kind);
    putNumber(block0, 0x19, card.number, 3);
    const int first = card.kind == CardKind::Si9     ? 0x38
                      : card.kind == CardKind::Si8   ? 0x88
                      : card.kind == CardKind::PCard ? 0xB0
                                                     : 0x200;
    for (int i = 1; i <= count; ++i)
        putRecord(memory, first + 4 * (i - 1), card.punches[i - 1]);
    return memory;
}

FakeStation::FakeStation(StationConfig config) : config_(config) {
    system_[0x0B] = static_cast<std::uint8_t>(config.model >> 8);
    system_[0x0C] = static_cast<std::uint8_t>(config.model & 0xFF);
    system_[0x33] = config.si6All8Blocks ? 0xFF : 0xC1;
    system_[0x71] = config.mode;
    system_[0x72] = static_cast<std::uint8_t>(config.code & 0xFF);
    system_[0x73] = static_cast<std::uint8_t>((config.code >> 8 & 3) << 6 | 0x05);
    system_[0x74] = config.protocol;
}

std::string FakeStation::reply(std::uint8_t command, std::string_view data) const {
    std::string withCode;
    withCode += static_cast<char>(config_.code >> 8 & 0xFF);
    withCode += static_cast<char>(config_.code & 0xFF);
    withCode.append(data);
    return encodeFrame(command, withCode);
}

std::string FakeStation::insert(const CardContents& card) {
    card_ = card;
    memory_ = cardMemory(card);
    inserted_ = true;
    blockRequests_ = 0;
    std::string data(4, '\0');
    std::uint8_t command = kSi8Detected;
    if (card.kind == CardKind::Si5) {
        command = kSi5Detected;
        data[1] = static_cast<char>(memory_[0][0x06]);
        data[2] = static_cast<char>(memory_[0][0x04]);
        data[3] = static_cast<char>(memory_[0][0x05]);
    } else {
        command = card.kind == CardKind::Si6 ? kSi6Detected : kSi8Detected;
        data[0] = static_cast<char>(card.kind == CardKind::Si6 ? 0 : seriesOf(card.kind));
        data[1] = static_cast<char>(card.number >> 16 & 0xFF);
        data[2] = static_cast<char>(card.number >> 8 & 0xFF);
        data[3] = static_cast<char>(card.number & 0xFF);
    }
    detected_ = data;
    return reply(command, data);
}

std::string FakeStation::remove() {
    if (!inserted_) return {};
    inserted_ = false;
    return reply(kRemoved, detected_);
}

std::string FakeStation::blockReply(std::uint8_t command, int block, bool numbered) {
    if (blockRequests_++ == removeInPlaceOfBlock) return remove();
    const auto found = memory_.find(block);
    if (found == memory_.end()) return std::string(1, static_cast<char>(kNak));
    std::string data;
    if (numbered) data += static_cast<char>(block);
    data.append(reinterpret_cast<const char*>(found->second.data()), found->second.size());
    std::string frame = reply(command, data);
    if (corruptedReplies > 0) {
        --corruptedReplies;
        frame[frame.size() - 2] = static_cast<char>(frame[frame.size() - 2] ^ 0x5A);
    }
    return frame;
}

std::string FakeStation::answer(std::uint8_t command, std::string_view parameters) {
    const auto parameter = [&](std::size_t i) -> int {
        return i < parameters.size() ? static_cast<std::uint8_t>(parameters[i]) : -1;
    };
    const std::string nak(1, static_cast<char>(kNak));
    switch (command) {
    case kSetMs:
        return reply(kSetMs, parameters.substr(0, 1));
    case kGetMs:
        return reply(kGetMs, "\x4D");
    case kBeep:
        return reply(kBeep, parameters.substr(0, 1));
    case kGetSystemValue: {
        const int address = parameter(0), count = parameter(1);
        if (address < 0 || count < 0 || address + count > 128) return nak;
        std::string data(1, static_cast<char>(address));
        data.append(reinterpret_cast<const char*>(system_.data()) + address, static_cast<std::size_t>(count));
        return reply(kGetSystemValue, data);
    }
    case kReadSi5:
        if (!inserted_ || card_.kind != CardKind::Si5) return nak;
        return blockReply(kReadSi5, 0, false);
    case kReadSi6:
    case kReadSi8: {
        const bool si6 = card_.kind == CardKind::Si6;
        if (!inserted_ || card_.kind == CardKind::Si5 || si6 != (command == kReadSi6)) return nak;
        const int block = parameter(0);
        if (block != 8) return blockReply(command, block, true);
        // All blocks in one go: as the station's SI6 setting says, or the five of an SI10.
        std::vector<int> blocks{0, 6, 7};
        if (si6 && config_.si6All8Blocks) blocks = {0, 1, 2, 3, 4, 5, 6, 7};
        if (!si6) blocks = {0, 4, 5, 6, 7};
        std::string burst;
        for (const int b : blocks)
            burst += blockReply(command, b, true);
        return burst;
    }
    default:
        return nak;
    }
}

std::string FakeStation::receive(std::string_view fromHost) {
    pending_.append(fromHost);
    std::string out;
    std::size_t i = 0;
    while (i < pending_.size()) {
        const std::uint8_t byte = static_cast<std::uint8_t>(pending_[i]);
        if (byte == kAck) {
            ++acks;
            ++i;
            if (removeAfterAck) out += remove();
            continue;
        }
        if (byte != kStx) {
            ++i;
            continue;
        }
        if (pending_.size() - i < 3) break;
        const std::size_t total = static_cast<std::uint8_t>(pending_[i + 2]) + 6u;
        if (pending_.size() - i < total) break;
        const std::string_view frame = std::string_view(pending_).substr(i, total);
        i += total;
        const std::uint16_t crc = static_cast<std::uint16_t>(
            static_cast<std::uint8_t>(frame[total - 3]) << 8 | static_cast<std::uint8_t>(frame[total - 2]));
        if (static_cast<std::uint8_t>(frame[total - 1]) != kEtx ||
            frameCrc(frame.substr(1, total - 4)) != crc)
            continue; // a damaged command goes unanswered
        const std::uint8_t command = static_cast<std::uint8_t>(frame[1]);
        commands.push_back(command);
        if (!silent) out += answer(command, frame.substr(3, total - 6));
    }
    pending_.erase(0, i);
    return out;
}

PtyStation::PtyStation(StationConfig config) : station_(config) {
    static std::atomic<int> counter{0};
    path_ = folder_.file("ttySI" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    plugIn();
}

PtyStation::~PtyStation() {
    unplug();
}

void PtyStation::plugIn() {
    if (running_) return;
    termios raw{};
    ::cfmakeraw(&raw);
    char name[256];
    if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0) throw std::runtime_error("openpty failed");
    std::error_code ec;
    std::filesystem::remove(path_, ec);
    std::filesystem::create_symlink(name, path_);
    running_ = true;
    thread_ = std::thread([this] { serve(); });
}

void PtyStation::unplug() {
    if (!running_) return;
    running_ = false;
    thread_.join();
    std::lock_guard lock(mutex_);
    ::close(master_);
    ::close(slave_);
    master_ = slave_ = -1;
    std::error_code ec;
    std::filesystem::remove(path_, ec);
}

void PtyStation::sendToHost(const std::string& bytes) {
    std::string_view left = bytes;
    while (!left.empty() && master_ >= 0) {
        const ssize_t n = ::write(master_, left.data(), left.size());
        if (n <= 0) return;
        left.remove_prefix(static_cast<std::size_t>(n));
    }
}

void PtyStation::serve() {
    while (running_) {
        pollfd waiting{master_, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0 || !(waiting.revents & POLLIN)) continue;
        char buffer[1024];
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) continue;
        std::lock_guard lock(mutex_);
        sendToHost(station_.receive(std::string_view(buffer, static_cast<std::size_t>(n))));
    }
}

void PtyStation::insert(const CardContents& card) {
    std::lock_guard lock(mutex_);
    sendToHost(station_.insert(card));
}

void PtyStation::remove() {
    std::lock_guard lock(mutex_);
    sendToHost(station_.remove());
}

void PtyStation::send(const std::string& bytes) {
    std::lock_guard lock(mutex_);
    sendToHost(bytes);
}

void PtyStation::with(const std::function<void(FakeStation&)>& change) {
    std::lock_guard lock(mutex_);
    change(station_);
}

bool PtyStation::waitUntil(const std::function<bool(const FakeStation&)>& condition,
                           std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (condition(station_)) return true;
        }
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool FakeStationLink::write(std::string_view bytes) {
    exchanged_ += bytes.size();
    waiting_ += station_.receive(bytes);
    return true;
}

LinkRead FakeStationLink::read(std::string& into, std::chrono::milliseconds) {
    if (waiting_.empty()) return LinkRead::Timeout;
    exchanged_ += waiting_.size();
    into += waiting_;
    waiting_.clear();
    lastDelivery_ = std::chrono::steady_clock::now();
    return LinkRead::Data;
}

} // namespace ravik::test
