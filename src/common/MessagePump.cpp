#include "common/MessagePump.h"

namespace brumo {

namespace {
constexpr int kIdleSliceMs = 1;
}

void Wait(float milliseconds, Clock& clock, MessagePump& pump) {
    const LocalDateTime start = clock.Now();
    const std::int32_t day = DaySerial(start);
    const float target = SecondsSinceMidnight(start) + milliseconds / 1000.0f;
    const float wrapped = target - static_cast<float>(kSecondsPerDay);
    for (;;) {
        const LocalDateTime now = clock.Now();
        const std::int32_t today = DaySerial(now);
        const float timer = SecondsSinceMidnight(now);
        const bool sameDay = today == day && timer < target;
        const bool nextDay = today == day + 1 && timer < wrapped;
        if (!sameDay && !nextDay) return;
        pump.DoEvents();
        pump.IdleWait(kIdleSliceMs);
    }
}

}  // namespace brumo
