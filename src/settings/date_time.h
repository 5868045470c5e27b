#pragma once
// Date and time values as the INI store reads and writes them: days since 30 December 1899,
// the time of day as the fraction. Before that day the whole days count back while the
// fraction still counts forward from midnight (-1.25 is 29 December 1899, 06:00).

#include <optional>

namespace qrv {

using TDateTime = double;

struct TDateTimeParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Years 1 to 9999; nothing for a date that does not exist.
std::optional<TDateTime> TryEncodeDate(int year, int month, int day);
std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int millisecond);
// The date's whole days with the time's fraction added in the date's direction.
TDateTime CombineDateTime(TDateTime date, TDateTime time);
// To the nearest millisecond; nothing outside the years 1 to 9999 (or for NaN).
std::optional<TDateTimeParts> TryDecodeDateTime(TDateTime value);

} // namespace qrv
