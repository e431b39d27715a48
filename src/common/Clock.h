// The clock the saver measures time with: the local date and time, and from
// them "the timer", the seconds since midnight in single precision. Frame
// timing, the grace period of a manual start, the restart interval, `Wait`
// and the trace time stamps all read it through this port.
#pragma once

#include <cstdint>

namespace brumo {

struct LocalDateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalDateTime Now() = 0;
};

// Seconds since midnight, single precision, with the milliseconds.
float SecondsSinceMidnight(const LocalDateTime& time);

// Days since 1 January 1970 of the date part: consecutive dates differ by 1.
std::int32_t DaySerial(const LocalDateTime& time);

// The timer now: `SecondsSinceMidnight(clock.Now())`.
float Timer(Clock& clock);

// Whole seconds from `since` to `now` (both timer values, each rounded half to
// even before subtracting), counted across one midnight: a `now` that lies
// before `since` is taken as the next day.
std::int32_t ElapsedWholeSeconds(float now, float since);

// Fractional seconds from `since` to `now`, across one midnight likewise.
double ElapsedSeconds(float now, float since);

constexpr double kSecondsPerDay = 86400.0;

}  // namespace brumo
