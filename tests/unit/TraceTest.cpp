// The trace line: date, blank, time, fraction of the second, ": ", text, CR LF.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "common/Trace.h"

namespace brumo {
namespace {

// The fraction comes from one clock reading, even when the clock moves on
// between readings (stepMs) across a second boundary; it is rounded to two
// decimals, halves to even, and vanishes when that gives 0 or 1.
TEST(Trace, LineCarriesTheFractionOfOneClockReading) {
    const struct {
        int millisecond, stepMs;
        const char* separator;
        const char* line;
    } cases[] = {
        {570, 0, ",", "06.12.2026 11:22:33,57: DivurUdididIriva not found\r\n"},
        {700, 300, ".", "06.12.2026 11:22:33.7: DivurUdididIriva not found\r\n"},
        {990, 20, ".", "06.12.2026 11:22:33.99: DivurUdididIriva not found\r\n"},
        {10, 0, ".", "06.12.2026 11:22:33.01: DivurUdididIriva not found\r\n"},
        {125, 0, ".", "06.12.2026 11:22:33.12: DivurUdididIriva not found\r\n"},
        {998, 0, ".", "06.12.2026 11:22:33: DivurUdididIriva not found\r\n"},
        {0, 999, ".", "06.12.2026 11:22:33: DivurUdididIriva not found\r\n"},
    };
    for (const auto& c : cases) {
        test::FakeClock clock;
        clock.now.millisecond = c.millisecond;
        clock.stepMs = c.stepMs;
        test::FakeLocale locale;
        locale.separator = c.separator;
        test::FakeTraceSink sink;
        Trace trace(sink, clock, locale);
        EXPECT_EQ(trace.WriteTrace("DivurUdididIriva not found"), TraceResult::Written);
        EXPECT_EQ(sink.full, std::vector<std::string>{c.line}) << c.millisecond;
    }
}

TEST(Trace, OffWithoutPathAndReportsFailedWrites) {
    test::FakeClock clock;
    test::FakeLocale locale;
    test::FakeTraceSink sink;
    Trace trace(sink, clock, locale);
    sink.path.clear();
    EXPECT_EQ(trace.WriteTrace("x"), TraceResult::Off);
    EXPECT_EQ(clock.readings, 0);
    sink.path = "t.txt";
    sink.failWrites = true;
    EXPECT_EQ(trace.WriteTrace("x"), TraceResult::Failed);
}

}  // namespace
}  // namespace brumo
