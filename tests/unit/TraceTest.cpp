// The trace line: date, blank, time, fraction, ": ", text, CR LF.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "common/Trace.h"

namespace brumo {
namespace {

TEST(Trace, LineHasDateTimeFractionAndText) {
    test::FakeClock clock;
    clock.now.millisecond = 570;
    test::FakeLocale locale;
    test::FakeTraceSink sink;
    Trace trace(sink, clock, locale);
    EXPECT_EQ(trace.WriteTrace("DivurUdididIriva not found"), TraceResult::Written);
    ASSERT_EQ(sink.full.size(), 1u);
    EXPECT_EQ(sink.full[0], "06.12.2026 11:22:33,57: DivurUdididIriva not found\r\n");
}

TEST(Trace, FractionFollowsTheLocaleAndVanishesAtWholeSeconds) {
    test::FakeLocale locale;
    locale.separator = ".";
    LocalDateTime t{2026, 12, 6, 11, 22, 33, 500};
    EXPECT_EQ(FormatTraceLine(t, locale, "x"), "06.12.2026 11:22:33.5: x");
    t.millisecond = 0;
    EXPECT_EQ(FormatTraceLine(t, locale, "x"), "06.12.2026 11:22:33: x");
    t.millisecond = 998;  // rounds to 1
    EXPECT_EQ(FormatTraceLine(t, locale, "x"), "06.12.2026 11:22:33: x");
    t.millisecond = 4;  // rounds to 0
    EXPECT_EQ(FormatTraceLine(t, locale, ""), "06.12.2026 11:22:33: ");
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
    EXPECT_TRUE(sink.full.empty());
}

}  // namespace
}  // namespace brumo
