#pragma once
// The time of an export run as the progress dialog tells it: the time taken as a clock shows
// it, and the time left, estimated from the parts finished so far and rounded as people say
// it ("About 4 minutes left", "Noch etwa 40 Sekunden").

#include "texts/run_texts.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qrv {

using TMilliseconds = int64_t;

// "0:42", "12:05", "1:02:15": minutes and seconds, the hours in front from the first hour on.
std::u16string ClockText(TMilliseconds taken);

// The time left once `finished` of `parts` parts took `partsTaken` together: their mean time
// times the parts left. None before the second part has finished (the first one alone says
// little) and none when no part is left.
std::optional<TMilliseconds> EstimateTimeLeft(TMilliseconds partsTaken, int32_t finished,
                                              int32_t parts);

// The time left, rounded as people say it: under 10 seconds "a few seconds", under a minute to
// tens of seconds, under an hour to whole minutes, from then on in hours and tens of minutes.
std::u16string TimeLeftText(TMilliseconds left, const TRunTexts& texts);

// The text with its "%1" replaced by the value.
std::u16string WithValue(const std::u16string& text, const std::u16string& value);

} // namespace qrv
