#include "settings/date_time.h"

#include <chrono>
#include <cmath>
#include <cstdint>

namespace qrv {

namespace {

constexpr int64_t kMillisecondsPerDay = 86'400'000;
// 30 December 1899 counted from 1 January 1970.
constexpr int64_t kDaysBeforeUnixEpoch = 25'569;
constexpr double kFirstDay = -693'593; // 1 January 0001
constexpr double kLastDay = 2'958'465; // 31 December 9999

} // namespace

std::optional<TDateTime> TryEncodeDate(int year, int month, int day) {
    using namespace std::chrono;
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) {
        return std::nullopt;
    }
    const year_month_day date{std::chrono::year{year},
                              std::chrono::month{static_cast<unsigned>(month)},
                              std::chrono::day{static_cast<unsigned>(day)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return static_cast<double>(sys_days(date).time_since_epoch().count() + kDaysBeforeUnixEpoch);
}

std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999) {
        return std::nullopt;
    }
    const int64_t milliseconds = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<double>(milliseconds) / kMillisecondsPerDay;
}

TDateTime CombineDateTime(TDateTime date, TDateTime time) {
    return date < 0 ? date - time : date + time;
}

std::optional<TDateTimeParts> TryDecodeDateTime(TDateTime value) {
    using namespace std::chrono;
    if (!(value >= kFirstDay - 1 && value <= kLastDay + 1)) {
        return std::nullopt;
    }
    const auto milliseconds = static_cast<int64_t>(std::llround(value * kMillisecondsPerDay));
    const int64_t days = milliseconds / kMillisecondsPerDay; // toward zero, as the days count
    const int64_t timeOfDay = std::llabs(milliseconds) % kMillisecondsPerDay;
    if (days < kFirstDay || days > kLastDay) {
        return std::nullopt;
    }
    const year_month_day date{sys_days{std::chrono::days{days - kDaysBeforeUnixEpoch}}};
    TDateTimeParts parts;
    parts.year = static_cast<int>(date.year());
    parts.month = static_cast<int>(static_cast<unsigned>(date.month()));
    parts.day = static_cast<int>(static_cast<unsigned>(date.day()));
    parts.hour = static_cast<int>(timeOfDay / 3'600'000);
    parts.minute = static_cast<int>(timeOfDay / 60'000 % 60);
    parts.second = static_cast<int>(timeOfDay / 1000 % 60);
    parts.millisecond = static_cast<int>(timeOfDay % 1000);
    return parts;
}

} // namespace qrv
