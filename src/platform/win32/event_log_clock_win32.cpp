#include "platform/event_log.h"

#include <windows.h>

namespace qrv {

namespace {

class TWindowsEventLogClock final : public TEventLogClock {
public:
    TWindowsEventLogClock() { QueryPerformanceFrequency(&frequency_); }

    TTimeOfDay TimeOfDay() const override {
        SYSTEMTIME now;
        GetLocalTime(&now);
        return {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
    }
    int64_t Microseconds() const override {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        // Whole seconds and the rest apart, so that a long uptime cannot overflow.
        const int64_t perSecond = frequency_.QuadPart;
        return counter.QuadPart / perSecond * 1'000'000 +
               counter.QuadPart % perSecond * 1'000'000 / perSecond;
    }

private:
    LARGE_INTEGER frequency_;
};

} // namespace

const TEventLogClock& SystemEventLogClock() {
    static const TWindowsEventLogClock clock;
    return clock;
}

} // namespace qrv
