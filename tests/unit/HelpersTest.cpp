// Rounding, the number rule, number text, the clock, the trace line
// and the command line (mode key and window handle).
#include <gtest/gtest.h>

#include "Fakes.h"
#include "common/NumberRule.h"
#include "common/NumberText.h"
#include "common/Rounding.h"
#include "common/Trace.h"
#include "startup/CommandLine.h"

namespace brumo {
namespace {

TEST(Helpers, RoundingNumberTextAndClock) {
    EXPECT_EQ(std::vector({RoundHalfEven(12.5), RoundHalfEven(13.5), RoundHalfEven(-2.5),
                           RoundHalfEven(-3.5), RoundHalfEven(0.125, 2), RoundHalfEven(0.575, 2)}),
              std::vector({12.0, 14.0, -2.0, -4.0, 0.12, 0.58}));
    EXPECT_EQ(std::vector<std::int32_t>({NearestInt32(1e12), NearestInt32(-1e12),
                                         TruncateToInt16(-0.99), TruncateToInt16(40000.0)}),
              std::vector<std::int32_t>({INT32_MAX, INT32_MIN, 0, 32767}));
    EXPECT_EQ(FormatNumber(20.0, ",") + " " + FormatNumber(20.5, ",") + " " +
                  FormatNumber(0.57, ".") + " " + FormatNumber(-0.0, "."),
              "20 20,5 0.57 0");
    EXPECT_FLOAT_EQ(SecondsSinceMidnight({2026, 12, 6, 11, 22, 33, 570}), 40953.57f);
    EXPECT_EQ(
        std::vector({DaySerial({1970, 1, 1}), DaySerial({2027, 1, 1}) - DaySerial({2026, 12, 31}),
                     DaySerial({2024, 3, 1}) - DaySerial({2024, 2, 28})}),
        std::vector({0, 1, 2}));
    EXPECT_EQ(std::pair(ElapsedWholeSeconds(100.4f, 90.6f), ElapsedWholeSeconds(2.0f, 86398.0f)),
              std::pair(9, 4));
    EXPECT_DOUBLE_EQ(ElapsedSeconds(1.0f, 86399.0f), 2.0);
}

TEST(Helpers, NumberRuleReadsTheLeadingNumericPart) {
    const std::pair<std::string, std::int32_t> cases[] = {
        // clang-format off
        {"12.5", 12}, {"13.5", 14}, {"\t\n -7", -7}, {"\r5", 0}, {"&h1F", 31}, {"&O17", 15},
        {"&O18", 1}, {"1e3", 1000}, {"1e", 1}, {"150abc", 150}, {"", 0}, {"-", 0}, {"&H", 0},
        {".5x", 0}, {"1.5x", 2}, {"1e999", 0}, {"99999999999", INT32_MAX},
        {"&HFFFFFFFFFF", INT32_MAX}, {"&H" + std::string(300, 'F'), 0},
        // clang-format on
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(NumberRuleInt32(text), value) << text;
    EXPECT_DOUBLE_EQ(NumberRuleValue(".5x"), 0.5);
    EXPECT_EQ(std::vector({IsNumericText(" -5\t"), IsNumericText("12a"), IsNumericText("5\r")}),
              std::vector({true, false, false}));
}

// The fraction of the second comes from one clock reading, even when the
// clock moves on between readings (stepMs) across a second boundary; it is
// rounded to two decimals, halves to even, and vanishes when that gives 0 or 1.
// Without a path nothing is read or written.
TEST(Helpers, TraceLineCarriesTheFractionOfOneClockReading) {
    const struct {
        int millisecond, stepMs;
        const char* separator;
        const char* time;  // "": off; "!": the write fails
    } cases[] = {{570, 0, ",", "33,57"}, {700, 300, ".", "33.7"}, {125, 0, ".", "33.12"},
                 {998, 0, ".", "33"},    {0, 999, ".", "33"},     {0, 0, ".", ""},
                 {0, 0, ".", "!"}};
    for (const auto& c : cases) {
        test::FakeClock clock;
        clock.now.millisecond = c.millisecond;
        clock.stepMs = c.stepMs;
        test::FakeLocale locale;
        locale.separator = c.separator;
        test::FakeTraceSink sink;
        if (*c.time == '\0') sink.path.clear();
        sink.failWrites = *c.time == '!';
        const TraceResult result = Trace(sink, clock, locale).WriteTrace("Iriva not found");
        const std::string line =
            "06.12.2026 11:22:" + std::string(c.time) + ": Iriva not found\r\n";
        const bool written = *c.time != '\0' && *c.time != '!';
        EXPECT_EQ(sink.full, written ? std::vector{line} : std::vector<std::string>()) << c.time;
        EXPECT_EQ(result, written          ? TraceResult::Written
                          : *c.time == '!' ? TraceResult::Failed
                                           : TraceResult::Off);
        EXPECT_TRUE(*c.time != '\0' || clock.readings == 0);
    }
}

// The mode key is the first two characters, lower-cased, then trimmed: a
// leading blank shifts the key, two blanks make it empty.
TEST(CommandLine, ProgramPathAndModeKey) {
    EXPECT_EQ(StripProgramPath("C:\\brumo.scr /s") + "|" +
                  StripProgramPath("\"C:\\Program Files\\brumo.scr\" /p 1234") + "|" +
                  StripProgramPath("brumo.scr  /s") + "|" + StripProgramPath("\"brumo.scr\""),
              "/s|/p 1234| /s|");
    using enum StartMode;
    const std::pair<const char*, StartMode> modes[] = {
        // clang-format off
        {"", FullScreen}, {"  /c whatever", FullScreen}, {"/S", FullScreen}, {" /s", Nothing},
        {"-s", Nothing}, {"/m auto", Nothing}, {"/M MANUAL", Manual}, {"/c:1234", Settings},
        {"/a", Password}, {"/p 1234", Preview}, {"/x", Nothing},
        // clang-format on
    };
    for (const auto& [raw, mode] : modes) EXPECT_EQ(ChooseMode(raw), mode) << '"' << raw << '"';
}

// The window handle: the longest numeric ending of the line, rounded half to even.
TEST(CommandLine, WindowHandle) {
    const std::pair<const char*, std::int32_t> cases[] = {
        // clang-format off
        {"/c:5678", 5678}, {"/p", 0}, {"/p -42", -42}, {"/p - 42", 42}, {"  /p 1234   ", 1234},
        {"/p 12 34", 34}, {"/p 12.5", 12}, {"/p 13.5", 14}, {"/p 1234abc", 0}, {"/p -.5e1", -5},
        {"/p 1.5E+3", 1500}, {"/p 1e", 0}, {"/p 1e5x7", 7}, {"/p &H1F", 31}, {"/p &O17", 15},
        {"/p &O18", 18}, {"/p x&H", 0}, {"/p 5.", 5}, {"/p 2147483647", INT32_MAX},
        {"/p 99999999999", 0}, {"/p 1e999", 0},
        // clang-format on
    };
    for (const auto& [line, handle] : cases) EXPECT_EQ(ParseWindowHandle(line), handle) << line;
}

}  // namespace
}  // namespace brumo
