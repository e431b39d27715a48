#include "common/Trace.h"

#include <cmath>

#include "common/NumberText.h"
#include "common/Rounding.h"

namespace brumo {

namespace {
constexpr int kFractionDecimals = 2;
constexpr const char* kLineEnd = "\r\n";
}  // namespace

std::string FormatTraceLine(const LocalDateTime& now, LocalePort& locale, const std::string& text) {
    // One reading for all parts: a second reading could lie in the next
    // second and turn the fraction negative.
    const float timer = SecondsSinceMidnight(now);
    const float fraction = timer - std::floor(timer);
    const double rounded = RoundHalfEven(static_cast<double>(fraction), kFractionDecimals);
    // "0.57" -> ".57"; a fraction that rounds to 0 or 1 ("0", "1") leaves nothing.
    const std::string number = FormatNumber(rounded, locale.DecimalSeparator());
    const std::string fractionText = number.size() > 1 ? number.substr(1) : std::string();
    return locale.ShortDate(now) + " " + locale.TimeText(now) + fractionText + ": " + text;
}

TraceResult Trace::WriteTrace(const std::string& text) {
    const std::string path = sink_.TracePath();
    if (path.empty()) return TraceResult::Off;
    const std::string line = FormatTraceLine(clock_.Now(), locale_, text) + kLineEnd;
    return sink_.AppendToFile(path, line) ? TraceResult::Written : TraceResult::Failed;
}

}  // namespace brumo
