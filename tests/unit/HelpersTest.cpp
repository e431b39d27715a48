// The number rule, the trace line and the command line.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "common/NumberRule.h"
#include "common/Trace.h"
#include "startup/CommandLine.h"

namespace brumo {
namespace {

TEST(Helpers, NumberRuleReadsTheLeadingNumericPart) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"\t\n -7", -7}, {"\r5", 0},   {"&h1F", 31}, {"&O17", 15},
        {"13.5x", 14},   {"-2.5", -2}, {"1e999", 0}, {"&H" + std::string(300, 'F'), 0}};
    for (const auto& [text, value] : cases) EXPECT_EQ(NumberRuleInt32(text), value) << text;
    EXPECT_FALSE(IsNumericText("5\r"));
}

// The fraction of the second comes from one clock reading, even when the
// clock moves on across a second boundary before a second one; halves round
// to even; a fraction that rounds to a whole second is left out. Without a
// trace path nothing is written.
TEST(Helpers, TraceLineCarriesTheFractionOfOneClockReading) {
    for (const auto& [millisecond, stepMs, time] :
         {std::tuple{700, 300, "33,7"}, {125, 0, "33,12"}, {998, 0, "33"}}) {
        test::FakeClock clock;
        clock.now.millisecond = millisecond;
        clock.stepMs = stepMs;
        test::FakeLocale locale;
        test::FakeTraceSink sink;
        EXPECT_EQ(Trace(sink, clock, locale).WriteTrace("x"), TraceResult::Written);
        EXPECT_EQ(sink.full, std::vector{"06.12.2026 11:22:" + std::string(time) + ": x\r\n"});
        sink.path.clear();
        EXPECT_EQ(Trace(sink, clock, locale).WriteTrace("x"), TraceResult::Off);
    }
}

// The mode key is the first two characters, then trimmed: a leading blank
// shifts it; "/m" starts only with the word "manual".
TEST(CommandLine, ModeKeyAndWindowHandle) {
    EXPECT_EQ(std::tuple(ChooseMode(" /s"), ChooseMode("  /c x"), ChooseMode("/m"),
                         ChooseMode("/M MANUAL")),
              std::tuple(StartMode::Nothing, StartMode::FullScreen, StartMode::Nothing,
                         StartMode::Manual));
    // The handle is the longest numeric ending of the line.
    const std::pair<const char*, std::int32_t> cases[] = {
        {"/c:5678", 5678}, {"/p -42", -42},   {"/p - 42", 42},  {"/p 12 34", 34},
        {"/p 13.5", 14},   {"/p 1234abc", 0}, {"/p -.5e1", -5}, {"/p 1.5E+3", 1500},
        {"/p 1e5x7", 7},   {"/p &O18", 18},   {"/p &h1F", 31},  {"/p 99999999999", 0}};
    for (const auto& [line, handle] : cases) EXPECT_EQ(ParseWindowHandle(line), handle) << line;
}

}  // namespace
}  // namespace brumo
