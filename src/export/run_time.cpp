#include "export/run_time.h"

#include "platform/decimal_text.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr TMilliseconds kSecond = 1000;
constexpr TMilliseconds kMinute = 60 * kSecond;

// 0 to 59 as two digits.
std::u16string TwoDigits(int64_t value) {
    return {static_cast<char16_t>(u'0' + value / 10), static_cast<char16_t>(u'0' + value % 10)};
}

// `value` rounded to the nearest multiple of `step`.
int64_t Rounded(TMilliseconds value, TMilliseconds step) {
    return (value + step / 2) / step;
}

std::u16string Duration(TMilliseconds left, const TRunTexts& texts) {
    if (left < 55 * kSecond) {
        return WithValue(texts.seconds, DecimalText(Rounded(left, 10 * kSecond) * 10));
    }
    const int64_t minutes = Rounded(left, kMinute);
    if (minutes < 60) {
        return minutes == 1 ? texts.oneMinute : WithValue(texts.minutes, DecimalText(minutes));
    }
    const int64_t tensOfMinutes = Rounded(left, 10 * kMinute);
    const int64_t hours = tensOfMinutes / 6;
    std::u16string text = hours == 1 ? texts.oneHour : WithValue(texts.hours, DecimalText(hours));
    if (tensOfMinutes % 6 != 0) {
        text += u' ';
        text += WithValue(texts.minutes, DecimalText(tensOfMinutes % 6 * 10));
    }
    return text;
}

} // namespace

std::u16string ClockText(TMilliseconds taken) {
    const int64_t seconds = std::max<TMilliseconds>(taken, 0) / kSecond;
    const int64_t hours = seconds / 3600;
    const int64_t minutes = seconds / 60 % 60;
    const std::u16string minutesAndSeconds =
        (hours > 0 ? TwoDigits(minutes) : DecimalText(minutes)) + u":" + TwoDigits(seconds % 60);
    return hours > 0 ? DecimalText(hours) + u":" + minutesAndSeconds : minutesAndSeconds;
}

std::optional<TMilliseconds> EstimateTimeLeft(TMilliseconds partsTaken, int32_t finished,
                                              int32_t parts) {
    if (finished < 2 || finished >= parts) {
        return std::nullopt;
    }
    return std::max<TMilliseconds>(partsTaken, 0) * (parts - finished) / finished;
}

std::u16string TimeLeftText(TMilliseconds left, const TRunTexts& texts) {
    if (left < 10 * kSecond) {
        return texts.fewSecondsLeft;
    }
    return WithValue(texts.aboutLeft, Duration(left, texts));
}

std::u16string WithValue(const std::u16string& text, const std::u16string& value) {
    const auto at = text.find(u"%1");
    if (at == std::u16string::npos) {
        return text;
    }
    std::u16string result = text;
    return result.replace(at, 2, value);
}

} // namespace qrv
