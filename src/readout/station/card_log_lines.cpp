#include "readout/station/card_log_lines.h"
#include "core/platform/platform.h"

#include "core/time_of_day.h"
#include "readout/punch_file.h"
#include "readout/si_log_csv.h"

#include <cstdio>
#include <ctime>

namespace ravik::station {

namespace {

std::string dateText(std::chrono::sys_days day) {
    const std::chrono::year_month_day date(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

class LineMaker {
public:
    LineMaker(const CardContents& card, int stationCode, std::chrono::sys_days readoutDay)
        : readoutDay_(readoutDay) {
        fields_[silog::kEventId] = std::to_string(stationCode);
        fields_[silog::kCard] = std::to_string(card.number);
        fields_[silog::kSource] = std::string(cardKindName(card.kind));
        fields_[silog::kCnt] = std::to_string(card.punches.size());
    }

    std::string line(const CardPunch& punch, std::string_view mode, std::string code, int number) {
        fields_[silog::kCode] = std::move(code);
        fields_[silog::kMode] = std::string(mode);
        fields_[silog::kDayOfWeek] = punch.dayOfWeek >= 0 ? std::to_string(punch.dayOfWeek) : std::string();
        fields_[silog::kDate] = dateText(dayOf(punch));
        fields_[silog::kTime] = punch.seconds ? clockText(*punch.seconds) : std::string();
        fields_[silog::kNo] = std::to_string(number);
        return joinSiLogFields(fields_);
    }

private:
    std::chrono::sys_days dayOf(const CardPunch& punch) const {
        if (punch.dayOfWeek < 0) return readoutDay_;
        const unsigned today = std::chrono::weekday(readoutDay_).c_encoding();
        return readoutDay_ - std::chrono::days((today + 7 - static_cast<unsigned>(punch.dayOfWeek)) % 7);
    }

    std::chrono::sys_days readoutDay_;
    std::array<std::string, kSiLogFields> fields_;
};

} // namespace

std::vector<std::string> cardLogLines(const CardContents& card, int stationCode,
                                      std::chrono::sys_days readoutDay) {
    LineMaker maker(card, stationCode, readoutDay);
    std::vector<std::string> lines;
    // A start or finish without time would count as midnight: it is left out like a missing one.
    if (card.start && card.start->seconds) lines.push_back(maker.line(*card.start, kModeStart, {}, 0));
    for (std::size_t i = 0; i < card.punches.size(); ++i)
        lines.push_back(maker.line(card.punches[i], kModeControl, std::to_string(card.punches[i].code),
                                   static_cast<int>(i + 1)));
    if (card.finish && card.finish->seconds) lines.push_back(maker.line(*card.finish, kModeFinish, {}, 0));
    return lines;
}

std::chrono::sys_days localToday() {
    const std::tm local = platform::localNow();
    return std::chrono::sys_days(std::chrono::year(local.tm_year + 1900) /
                                 std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)) /
                                 std::chrono::day(static_cast<unsigned>(local.tm_mday)));
}

} // namespace ravik::station
