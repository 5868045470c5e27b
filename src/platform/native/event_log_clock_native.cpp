#include "platform/event_log.h"

#include <chrono>
#include <ctime>

namespace qrv {

namespace {

class TNativeEventLogClock final : public TEventLogClock {
public:
    TTimeOfDay TimeOfDay() const override {
        using namespace std::chrono;
        const auto now = system_clock::now();
        const std::time_t seconds = system_clock::to_time_t(now);
        std::tm local{};
        localtime_r(&seconds, &local);
        const auto milliseconds =
            duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
        return {local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(milliseconds.count())};
    }
    int64_t Microseconds() const override {
        using namespace std::chrono;
        return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

} // namespace

const TEventLogClock& SystemEventLogClock() {
    static const TNativeEventLogClock clock;
    return clock;
}

} // namespace qrv
