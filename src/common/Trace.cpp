#include "common/Trace.h"

#include <cmath>

#include "common/NumberText.h"
#include "common/Rounding.h"

namespace brumo {

namespace {
constexpr int kFractionDecimals = 2;
constexpr const char* kLineEnd = "\r\n";
}  // namespace

std::string FormatTraceLine(const LocalDateTime& first, const LocalDateTime& second,
                            LocalePort& locale, const std::string& text) {
    const double fraction = static_cast<double>(SecondsSinceMidnight(first)) -
                            std::floor(static_cast<double>(SecondsSinceMidnight(second)));
    const double rounded =
        RoundHalfEven(static_cast<double>(static_cast<float>(fraction)), kFractionDecimals);
    // "0.57" -> ".57"; a fraction that rounds to 0 or 1 ("0", "1") leaves nothing.
    const std::string number = FormatNumber(rounded, locale.DecimalSeparator());
    const std::string fractionText = number.size() > 1 ? number.substr(1) : std::string();
    return locale.ShortDate(first) + " " + locale.TimeText(first) + fractionText + ": " + text;
}

TraceResult Trace::WriteTrace(const std::string& text) {
    const std::string path = sink_.TracePath();
    if (path.empty()) return TraceResult::Off;
    const LocalDateTime first = clock_.Now();
    const LocalDateTime second = clock_.Now();
    const std::string line = FormatTraceLine(first, second, locale_, text) + kLineEnd;
    return sink_.AppendToFile(path, line) ? TraceResult::Written : TraceResult::Failed;
}

}  // namespace brumo
