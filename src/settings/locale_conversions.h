#pragma once
// Dates, times and floating-point numbers as text. On Windows they follow the user's locale
// settings through the OLE Automation conversions (short date, long time, decimal separator);
// the three date readers share one parser there, which takes a date, a time or both. The
// native build uses one fixed format:
//   date       YYYY-MM-DD            (reads one to four year digits, one or two for the others)
//   time       HH:MM:SS              (reads H:MM, H:MM:SS and H:MM:SS.mmm)
//   date-time  YYYY-MM-DD HH:MM:SS   (the time left out at exactly midnight; reads a date,
//                                     a date and a time, or a time)
//   float      at most 15 significant digits, "." before the fraction, "e" before an exponent
//              (1.5, 1e+20); reads any decimal or exponent form, not "inf" or "nan"
// Readers accept blanks around the text and yield nothing for text that does not convert.
// Writers raise EConvertError for a value outside the years 1 to 9999.

#include "settings/date_time.h"

#include <optional>
#include <string>
#include <string_view>

namespace qrv {

std::u16string DateToStr(TDateTime value);
std::u16string TimeToStr(TDateTime value);
std::u16string DateTimeToStr(TDateTime value);
std::u16string FloatToStr(double value);

std::optional<TDateTime> TryStrToDate(std::u16string_view text);
std::optional<TDateTime> TryStrToTime(std::u16string_view text);
std::optional<TDateTime> TryStrToDateTime(std::u16string_view text);
std::optional<double> TryStrToFloat(std::u16string_view text);

} // namespace qrv
