#include "platform/event_log.h"

#include "platform/decimal_text.h"
#include "platform/fill_in.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";
// A mark stands where the time of day stands in the lines.
constexpr std::u16string_view kMarkIndent = u"              ";

void AddNumber(std::u16string& text, int value, int digits) {
    std::u16string number = DecimalText(value);
    text.append(static_cast<size_t>(std::max(0, digits - static_cast<int>(number.size()))), u'0');
    text += number;
}

// "hh:mm:ss.mmm  "
std::u16string Stamp(const TTimeOfDay& time) {
    std::u16string stamp;
    stamp.reserve(kMarkIndent.size());
    AddNumber(stamp, time.hour, 2);
    stamp += u':';
    AddNumber(stamp, time.minute, 2);
    stamp += u':';
    AddNumber(stamp, time.second, 2);
    stamp += u'.';
    AddNumber(stamp, time.millisecond, 3);
    stamp += u"  ";
    return stamp;
}

void AddMark(std::u16string& text, std::u16string_view words, uint64_t lines) {
    text += kMarkIndent;
    text += FillIn(words, {DecimalText(static_cast<int64_t>(lines))});
    text += kLineEnd;
}

} // namespace

TEventLog::TEventLog(const TEventLogClock& clock, size_t firstLinesKept, size_t lastLinesKept)
    : clock_(clock), firstLinesKept_(firstLinesKept), lastLinesKept_(lastLinesKept) {}

void TEventLog::Store(std::u16string text) {
    std::replace_if(
        text.begin(), text.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
    std::u16string line = Stamp(clock_.TimeOfDay()) + text;
    if (first_.size() < firstLinesKept_) {
        first_.push_back(std::move(line));
        return;
    }
    if (lastLinesKept_ == 0) {
        ++leftOut_;
        return;
    }
    last_.push_back(std::move(line));
    if (last_.size() > lastLinesKept_) {
        last_.pop_front();
        ++leftOut_;
    }
}

void TEventLog::Notify() noexcept {
    if (!listener_) {
        return;
    }
    try {
        listener_();
    } catch (...) {
        // The display may fail; the program and the log go on.
    }
}

void TEventLog::SetListener(std::function<void()> listener) noexcept {
    listener_ = std::move(listener);
}

std::u16string TEventLog::Text(const TEventLogMarks& marks) const {
    std::u16string text;
    for (const std::u16string& line : first_) {
        text += line;
        text += kLineEnd;
    }
    if (leftOut_ > 0) {
        AddMark(text, marks.leftOut, leftOut_);
    }
    for (const std::u16string& line : last_) {
        text += line;
        text += kLineEnd;
    }
    if (lost_ > 0) {
        AddMark(text, marks.lost, lost_);
    }
    return text;
}

std::u16string TEventLog::TextFrom(uint64_t first) const {
    std::u16string text;
    for (uint64_t number = first; number < first_.size(); ++number) {
        text += first_[number];
        text += kLineEnd;
    }
    const uint64_t lastBegins = first_.size() + leftOut_;
    for (uint64_t number = std::max(first, lastBegins) - lastBegins; number < last_.size();
         ++number) {
        text += last_[number];
        text += kLineEnd;
    }
    return text;
}

} // namespace qrv
