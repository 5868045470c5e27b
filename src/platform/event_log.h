#pragma once
// The event log: what happened while the program ran, one line per event with its time of
// day, kept in the program's memory for a supporter to read, copy or save. The program writes
// no log file of its own.
//
// Adding a line never stops the program: it never throws, and a line that cannot be made or
// stored (no memory left) is counted instead; the log's text says how many were lost. The log
// is bounded: it keeps its first lines (the start, the run's choices and first parts) and its
// last ones (the run's end); the lines between are left out, and the text says how many at the
// place where they were.

#include <concepts>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

struct TTimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// The log's clock: the time of day of each line, and a steady count for the durations that the
// lines tell.
class TEventLogClock {
public:
    virtual ~TEventLogClock() = default;
    virtual TTimeOfDay TimeOfDay() const = 0; // local time
    // Since an arbitrary moment; it never goes back.
    virtual int64_t Microseconds() const = 0;
};

// The system's clock.
const TEventLogClock& SystemEventLogClock();

// The words of the lines the log writes itself, each with "%1" for a number of lines.
struct TEventLogMarks {
    std::u16string_view leftOut;
    std::u16string_view lost;
};

class TEventLog {
public:
    // About a megabyte of text at most; a basket of up to 9,000 parts is kept whole.
    static constexpr size_t kFirstLinesKept = 1000;
    static constexpr size_t kLastLinesKept = 9000;

    explicit TEventLog(const TEventLogClock& clock = SystemEventLogClock(),
                       size_t firstLinesKept = kFirstLinesKept,
                       size_t lastLinesKept = kLastLinesKept);
    TEventLog(const TEventLog&) = delete;
    TEventLog& operator=(const TEventLog&) = delete;

    const TEventLogClock& Clock() const { return clock_; }

    // Adds the line that make() returns (a std::u16string): the time of day, two blanks and
    // the text, its line breaks made blanks. Whatever fails on the way is counted as a lost
    // line.
    template <std::invocable Make> void Add(Make&& make) noexcept {
        try {
            Store(make());
        } catch (...) {
            ++lost_;
        }
        Notify();
    }
    void Add(std::u16string_view text) noexcept {
        Add([text] { return std::u16string(text); });
    }

    // Called after each line added (the window that shows the log); what it throws is dropped.
    void SetListener(std::function<void()> listener) noexcept;

    // Lines stored so far, those since left out included; lines left out; lines lost.
    uint64_t Recorded() const { return first_.size() + leftOut_ + last_.size(); }
    uint64_t LeftOut() const { return leftOut_; }
    uint64_t Lost() const { return lost_; }

    // The whole log, each line followed by CR LF, with a line of the marks' words where lines
    // were left out and at the end when lines were lost.
    std::u16string Text(const TEventLogMarks& marks) const;
    // The lines kept from number `first` on (counted from 0 among the recorded ones), as
    // Text() has them, without the marks: for a display that shows the lines before already.
    std::u16string TextFrom(uint64_t first) const;

private:
    void Store(std::u16string text);
    void Notify() noexcept;

    const TEventLogClock& clock_;
    const size_t firstLinesKept_;
    const size_t lastLinesKept_;
    std::vector<std::u16string> first_;
    std::deque<std::u16string> last_;
    uint64_t leftOut_ = 0;
    uint64_t lost_ = 0;
    std::function<void()> listener_;
};

} // namespace qrv
