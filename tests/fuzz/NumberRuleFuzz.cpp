// Any text through the number rule: the numeric part it finds reads back as
// the same number, the value is always finite, and the longest numeric ending
// found in one pass really is numeric.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/NumberRule.h"
#include "common/Rounding.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brumo;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const NumberScan scan = ScanNumber(text);
    Check(std::isfinite(scan.value));
    Check(scan.end <= text.size());
    Check(scan.hasDigits || (scan.value == 0.0 && scan.end == 0));
    if (scan.hasDigits) {
        const std::string_view numeric = text.substr(0, scan.end);
        Check(IsNumericText(numeric));
        Check(NumberRuleValue(numeric) == scan.value);
    }
    Check(NumberRuleInt32(text) == NearestInt32(scan.value));

    const std::size_t ending = LongestNumericEnding(text);
    Check(IsNumericText(text) == (ending == 0));
    if (ending != std::string_view::npos) Check(IsNumericText(text.substr(ending)));
    return 0;
}
