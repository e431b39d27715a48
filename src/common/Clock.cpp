#include "common/Clock.h"

#include "common/Rounding.h"

namespace brumo {

float SecondsSinceMidnight(const LocalDateTime& t) {
    const double seconds = t.hour * 3600.0 + t.minute * 60.0 + t.second + t.millisecond / 1000.0;
    return static_cast<float>(seconds);
}

std::int32_t DaySerial(const LocalDateTime& t) {
    // Days from civil date (proleptic Gregorian), valid for any year.
    const int y = t.year - (t.month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int mp = (t.month + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + t.day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

float Timer(Clock& clock) {
    return SecondsSinceMidnight(clock.Now());
}

std::int32_t ElapsedWholeSeconds(float now, float since) {
    std::int32_t elapsed = NearestInt32(now) - NearestInt32(since);
    if (elapsed < 0) elapsed += static_cast<std::int32_t>(kSecondsPerDay);
    return elapsed;
}

double ElapsedSeconds(float now, float since) {
    double elapsed = static_cast<double>(now) - static_cast<double>(since);
    if (elapsed < 0.0) elapsed += kSecondsPerDay;
    return elapsed;
}

}  // namespace brumo
