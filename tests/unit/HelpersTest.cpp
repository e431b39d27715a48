// Rounding, the number rule, number text, the clock and `Wait`.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "common/MessagePump.h"
#include "common/NumberRule.h"
#include "common/NumberText.h"
#include "common/Rounding.h"

namespace brumo {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(12.5), 12.0);
    EXPECT_EQ(RoundHalfEven(13.5), 14.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
    EXPECT_EQ(RoundHalfEven(0.125, 2), 0.12);
    EXPECT_EQ(RoundHalfEven(0.575, 2), 0.58);
    EXPECT_EQ(NearestInt32(1e12), 2147483647);
    EXPECT_EQ(NearestInt32(-1e12), -2147483647 - 1);
    EXPECT_EQ(TruncateToInt16(-0.99), 0);
    EXPECT_EQ(TruncateToInt16(40000.0), 32767);
}

TEST(NumberRule, ReadsTheLeadingNumericPart) {
    const struct {
        std::string text;
        std::int32_t value;
    } cases[] = {{"12.5", 12},
                 {"13.5", 14},
                 {"  -2", -2},
                 {"\t\n7", 7},
                 {"\r5", 0},
                 {"&H1F", 31},
                 {"&h1f", 31},
                 {"&O17", 15},
                 {"&O18", 1},
                 {"1e3", 1000},
                 {"1e", 1},
                 {"150abc", 150},
                 {"abc", 0},
                 {"", 0},
                 {"-", 0},
                 {"&H", 0},
                 {".5x", 0},
                 {"1.5x", 2},
                 {"1e999", 0},
                 {"99999999999", 2147483647},
                 {"&HFFFFFFFFFF", 2147483647},
                 {"&H" + std::string(300, 'F'), 0}};
    for (const auto& c : cases) EXPECT_EQ(NumberRuleInt32(c.text), c.value) << c.text;
    EXPECT_DOUBLE_EQ(NumberRuleValue(".5x"), 0.5);
    EXPECT_TRUE(IsNumericText(" -5\t"));
    EXPECT_FALSE(IsNumericText("12a"));
    EXPECT_FALSE(IsNumericText("5\r"));
}

TEST(NumberText, UsesTheLocaleSeparatorAndNoTrailingZeros) {
    EXPECT_EQ(FormatNumber(20.0, ","), "20");
    EXPECT_EQ(FormatNumber(20.5, ","), "20,5");
    EXPECT_EQ(FormatNumber(0.57, "."), "0.57");
    EXPECT_EQ(FormatNumber(-0.0, "."), "0");
}

TEST(Clock, TimerAndDaysAndElapsedAcrossMidnight) {
    EXPECT_FLOAT_EQ(SecondsSinceMidnight({2026, 12, 6, 11, 22, 33, 570}), 40953.57f);
    EXPECT_EQ(DaySerial({1970, 1, 1}), 0);
    EXPECT_EQ(DaySerial({2027, 1, 1}) - DaySerial({2026, 12, 31}), 1);
    EXPECT_EQ(DaySerial({2024, 3, 1}) - DaySerial({2024, 2, 28}), 2);
    EXPECT_EQ(ElapsedWholeSeconds(100.4f, 90.6f), 9);
    EXPECT_EQ(ElapsedWholeSeconds(2.0f, 86398.0f), 4);
    EXPECT_DOUBLE_EQ(ElapsedSeconds(1.0f, 86399.0f), 2.0);
}

class CountingPump : public MessagePump {
  public:
    explicit CountingPump(test::FakeClock& clock) : clock_(clock) {}
    int events = 0;
    void DoEvents() override { ++events; }
    void IdleWait(int ms) override { clock_.Advance(ms); }

  private:
    test::FakeClock& clock_;
};

TEST(Wait, WaitsTheTimeWithMessagesFlowingAndSurvivesMidnight) {
    const struct {
        double start;
        float ms;
        int minEvents, maxEvents;
        double end;
    } cases[] = {{1000.0, 250.0f, 250, 250, 1000.25},
                 {86399.5, 1000.0f, 999, 1001, 0.5},
                 {1000.0, 0.0f, 0, 0, 1000.0}};
    for (const auto& c : cases) {
        test::FakeClock clock;
        clock.SetTimer(c.start);
        CountingPump pump(clock);
        Wait(c.ms, clock, pump);
        EXPECT_GE(pump.events, c.minEvents);
        EXPECT_LE(pump.events, c.maxEvents);
        EXPECT_NEAR(SecondsSinceMidnight(clock.now), c.end, 0.002) << c.start;
    }
}

}  // namespace
}  // namespace brumo
