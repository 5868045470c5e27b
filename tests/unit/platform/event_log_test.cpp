#include "platform/event_log.h"

#include "platform/utf.h"

#include <gtest/gtest.h>

#include <new>

namespace qrv {
namespace {

// A clock that shows 09:05:03.007 plus one millisecond per line.
class LineCountingClock final : public TEventLogClock {
public:
    TTimeOfDay TimeOfDay() const override { return {9, 5, 3, 7 + lines_++}; }
    int64_t Microseconds() const override { return 0; }

private:
    mutable int lines_ = 0;
};

constexpr TEventLogMarks kMarks{u"[%1 left out]", u"[%1 lost]"};

std::string TextOf(const TEventLog& log) {
    return Utf16ToUtf8(log.Text(kMarks));
}

TEST(EventLog, EachLineHasItsTimeOfDayAndEndsWithCrLfItsOwnBreaksBecomeBlanks) {
    LineCountingClock clock;
    TEventLog log(clock);
    log.Add([] { return std::u16string(u"Part 1 of 2: \u00c4\r\nfailed"); });
    log.Add([] { return std::u16string(); });
    EXPECT_EQ(TextOf(log), "09:05:03.007  Part 1 of 2: \u00c4  failed\r\n09:05:03.008  \r\n");
    EXPECT_EQ(Utf16ToUtf8(log.TextFrom(1)), "09:05:03.008  \r\n");
}

TEST(EventLog, KeepsItsFirstAndLastLinesAndSaysWhereAndHowManyWereLeftOut) {
    LineCountingClock clock;
    TEventLog log(clock, 2, 3);
    for (char16_t line = u'a'; line <= u'h'; ++line) {
        log.Add([line] { return std::u16string(1, line); });
    }
    EXPECT_EQ(log.Recorded(), 8u);
    EXPECT_EQ(log.LeftOut(), 3u);
    EXPECT_EQ(TextOf(log), "09:05:03.007  a\r\n09:05:03.008  b\r\n              [3 left out]\r\n"
                           "09:05:03.012  f\r\n09:05:03.013  g\r\n09:05:03.014  h\r\n");
    // From a line that was left out on: the kept ones after it.
    EXPECT_EQ(Utf16ToUtf8(log.TextFrom(3)), "09:05:03.012  f\r\n09:05:03.013  g\r\n"
                                            "09:05:03.014  h\r\n");
    EXPECT_EQ(Utf16ToUtf8(log.TextFrom(7)), "09:05:03.014  h\r\n");
    EXPECT_EQ(log.TextFrom(8), u"");
}

TEST(EventLog, ALineThatCannotBeMadeIsCountedAndTheListenerStillHearsOfIt) {
    LineCountingClock clock;
    TEventLog log(clock);
    int heard = 0;
    log.SetListener([&] {
        ++heard;
        throw std::runtime_error("the window failed"); // dropped
    });
    log.Add([]() -> std::u16string { throw std::bad_alloc(); });
    log.Add([] { return std::u16string(u"after"); });
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(log.Lost(), 1u);
    EXPECT_EQ(TextOf(log), "09:05:03.007  after\r\n              [1 lost]\r\n");
}

} // namespace
} // namespace qrv
