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
    EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
    EXPECT_EQ(RoundHalfEven(0.125, 2), 0.12);
    EXPECT_EQ(RoundHalfEven(0.135, 2), 0.14);
    EXPECT_EQ(RoundHalfEven(0.575, 2), 0.58);
    EXPECT_EQ(NearestInt32(1e12), 2147483647);
    EXPECT_EQ(NearestInt32(-1e12), -2147483647 - 1);
    EXPECT_EQ(TruncateToInt16(-0.99), 0);
    EXPECT_EQ(TruncateToInt16(1.99), 1);
    EXPECT_EQ(TruncateToInt16(40000.0), 32767);
}

TEST(NumberRule, ReadsTheLeadingNumericPart) {
    EXPECT_EQ(NumberRuleInt32("12.5"), 12);
    EXPECT_EQ(NumberRuleInt32("13.5"), 14);
    EXPECT_EQ(NumberRuleInt32("  -2"), -2);
    EXPECT_EQ(NumberRuleInt32("\t\n7"), 7);
    EXPECT_EQ(NumberRuleInt32("&H1F"), 31);
    EXPECT_EQ(NumberRuleInt32("&h1f"), 31);
    EXPECT_EQ(NumberRuleInt32("&O17"), 15);
    EXPECT_EQ(NumberRuleInt32("&O18"), 1);
    EXPECT_EQ(NumberRuleInt32("1e3"), 1000);
    EXPECT_EQ(NumberRuleInt32("1e"), 1);
    EXPECT_EQ(NumberRuleInt32("150abc"), 150);
    EXPECT_EQ(NumberRuleInt32("abc"), 0);
    EXPECT_EQ(NumberRuleInt32(""), 0);
    EXPECT_EQ(NumberRuleInt32("2.0"), 2);
    EXPECT_EQ(NumberRuleInt32("-"), 0);
    EXPECT_EQ(NumberRuleInt32("&H"), 0);
    EXPECT_EQ(NumberRuleInt32("1e999"), 0);
    EXPECT_DOUBLE_EQ(NumberRuleValue(".5x"), 0.5);
}

TEST(NumberRule, NumericTextMustBeOneNumber) {
    EXPECT_TRUE(IsNumericText(" 1234"));
    EXPECT_TRUE(IsNumericText("-5"));
    EXPECT_TRUE(IsNumericText("1234 "));
    EXPECT_FALSE(IsNumericText(":5678"));
    EXPECT_FALSE(IsNumericText("12a"));
    EXPECT_FALSE(IsNumericText(""));
    EXPECT_FALSE(IsNumericText(" "));
    EXPECT_FALSE(IsNumericText("- 5"));
}

TEST(NumberText, UsesTheLocaleSeparatorAndNoTrailingZeros) {
    EXPECT_EQ(FormatNumber(20.0, ","), "20");
    EXPECT_EQ(FormatNumber(20.5, ","), "20,5");
    EXPECT_EQ(FormatNumber(20.5, "."), "20.5");
    EXPECT_EQ(FormatNumber(0.57, ","), "0,57");
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

TEST(Wait, WaitsTheTimeWithMessagesFlowing) {
    test::FakeClock clock;
    clock.SetTimer(1000.0);
    CountingPump pump(clock);
    Wait(250.0f, clock, pump);
    EXPECT_EQ(pump.events, 250);
    EXPECT_FLOAT_EQ(SecondsSinceMidnight(clock.now), 1000.25f);
}

TEST(Wait, SurvivesMidnight) {
    test::FakeClock clock;
    clock.SetTimer(86399.5);
    CountingPump pump(clock);
    Wait(1000.0f, clock, pump);
    EXPECT_EQ(clock.now.day, 7);
    EXPECT_NEAR(SecondsSinceMidnight(clock.now), 0.5, 0.002);
    EXPECT_GE(pump.events, 999);
}

TEST(Wait, ZeroWaitReturnsAtOnce) {
    test::FakeClock clock;
    CountingPump pump(clock);
    Wait(0.0f, clock, pump);
    EXPECT_EQ(pump.events, 0);
}

}  // namespace
}  // namespace brumo
