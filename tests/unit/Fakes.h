// Test doubles for the ports of the portable core.
#pragma once

#include <string>
#include <vector>

#include "common/Clock.h"
#include "common/LocalePort.h"
#include "common/Trace.h"

namespace brumo::test {

// A clock the test sets; every reading may advance it by `step` milliseconds.
class FakeClock : public Clock {
  public:
    LocalDateTime now{2026, 12, 6, 11, 22, 33, 0};
    int stepMs = 0;
    int readings = 0;

    LocalDateTime Now() override {
        ++readings;
        const LocalDateTime current = now;
        Advance(stepMs);
        return current;
    }
    void SetTimer(double seconds) {
        const int total = static_cast<int>(seconds * 1000.0 + 0.5);
        now.hour = total / 3600000;
        now.minute = total / 60000 % 60;
        now.second = total / 1000 % 60;
        now.millisecond = total % 1000;
    }
    void Advance(int ms) {
        const long long total =
            ((now.hour * 60LL + now.minute) * 60 + now.second) * 1000 + now.millisecond + ms;
        const long long day = 24LL * 3600 * 1000;
        if (total >= day) ++now.day;  // tests stay inside one month
        SetTimer(static_cast<double>(total % day) / 1000.0);
    }
};

// A German-looking locale: "06.12.2026", "11:22:33", decimal comma.
class FakeLocale : public LocalePort {
  public:
    std::string separator = ",";
    std::string ShortDate(const LocalDateTime& t) override {
        return Two(t.day) + "." + Two(t.month) + "." + std::to_string(t.year);
    }
    std::string TimeText(const LocalDateTime& t) override {
        return Two(t.hour) + ":" + Two(t.minute) + ":" + Two(t.second);
    }
    std::string DecimalSeparator() override { return separator; }

  private:
    static std::string Two(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }
};

class FakeTraceSink : public TraceSink {
  public:
    std::string path = "trace.txt";
    bool failWrites = false;
    std::vector<std::string> lines;  // text after ": " of each line written

    std::string TracePath() override { return path; }
    bool AppendToFile(const std::string&, const std::string& line) override {
        if (failWrites) return false;
        full.push_back(line);
        const auto colon = line.find(": ");
        lines.push_back(line.substr(colon + 2, line.size() - colon - 4));
        return true;
    }
    std::vector<std::string> full;
};

}  // namespace brumo::test
