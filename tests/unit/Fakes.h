// Test doubles for the ports of the portable core.
#pragma once

#include <string>
#include <vector>

#include "common/Clock.h"
#include "common/LocalePort.h"
#include "common/Trace.h"

namespace brumo::test {

// A clock the test sets; every reading advances it by `stepMs`.
class FakeClock : public Clock {
  public:
    LocalDateTime now{2026, 12, 6, 11, 22, 33, 0};
    int stepMs = 0;

    LocalDateTime Now() override {
        const LocalDateTime current = now;
        Advance(stepMs);
        return current;
    }
    void SetTimer(double seconds) {
        const int ms = static_cast<int>(seconds * 1000.0 + 0.5);
        now.hour = ms / 3600000;
        now.minute = ms / 60000 % 60;
        now.second = ms / 1000 % 60;
        now.millisecond = ms % 1000;
    }
    void Advance(int ms) {  // tests stay inside one month
        constexpr long long kDay = 24LL * 3600 * 1000;
        const long long total =
            ((now.hour * 60LL + now.minute) * 60 + now.second) * 1000 + now.millisecond + ms;
        if (total >= kDay) ++now.day;
        SetTimer(static_cast<double>(total % kDay) / 1000.0);
    }
};

// A German-looking locale: "06.12.2026", "11:22:33", decimal comma.
class FakeLocale : public LocalePort {
  public:
    std::string ShortDate(const LocalDateTime& t) override {
        return Two(t.day) + "." + Two(t.month) + "." + std::to_string(t.year);
    }
    std::string TimeText(const LocalDateTime& t) override {
        return Two(t.hour) + ":" + Two(t.minute) + ":" + Two(t.second);
    }
    std::string DecimalSeparator() override { return ","; }

  private:
    static std::string Two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }
};

// Keeps each line written.
class FakeTraceSink : public TraceSink {
  public:
    std::string path = "trace.txt";
    bool failWrites = false;
    std::vector<std::string> full;

    std::string TracePath() override { return path; }
    bool AppendToFile(const std::string&, const std::string& line) override {
        if (failWrites) return false;
        return full.push_back(line), true;
    }
};

}  // namespace brumo::test
