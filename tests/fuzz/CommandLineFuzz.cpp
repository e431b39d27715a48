// Any command line: the mode choice never fails, and the window handle equals
// the plain definition: the longest numeric ending, rounded, else 0.
#include <string_view>

#include "FuzzCheck.h"
#include "common/NumberRule.h"
#include "common/Rounding.h"
#include "common/TextTrim.h"
#include "startup/CommandLine.h"

namespace {

constexpr std::size_t kReferenceLength = 512;  // the reference is quadratic

std::int32_t ReferenceWindowHandle(std::string_view commandLine) {
    using namespace brumo;
    const std::string_view text = TrimBlanks(commandLine);
    for (std::size_t n = text.size(); n >= 1; --n) {
        const std::string_view ending = text.substr(text.size() - n);
        if (!IsNumericText(ending)) continue;
        const double value = RoundHalfEven(NumberRuleValue(ending));
        if (value < -2147483648.0 || value > 2147483647.0) return 0;
        return static_cast<std::int32_t>(value);
    }
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brumo;
    using fuzz::Check;
    const std::string_view commandLine(reinterpret_cast<const char*>(data), size);
    const std::string raw = StripProgramPath(commandLine);
    Check(raw.size() <= commandLine.size());
    Check(ModeKey(raw).size() <= 2);
    const StartMode mode = ChooseMode(raw);
    Check(mode >= StartMode::FullScreen && mode <= StartMode::Nothing);
    if (size <= kReferenceLength)
        Check(ParseWindowHandle(commandLine) == ReferenceWindowHandle(commandLine));
    return 0;
}
