// Any text through the number rule: the numeric part it finds reads back as
// the same finite number, and the longest numeric ending is numeric.
#include <cmath>
#include <string_view>

#include "FuzzCheck.h"
#include "common/NumberRule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brumo;
    using fuzz::Check;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const NumberScan scan = ScanNumber(text);
    Check(std::isfinite(scan.value) && scan.end <= text.size());
    Check(scan.hasDigits || (scan.value == 0.0 && scan.end == 0));
    if (scan.hasDigits) {
        const std::string_view numeric = text.substr(0, scan.end);
        Check(IsNumericText(numeric) && NumberRuleValue(numeric) == scan.value);
    }
    const std::size_t ending = LongestNumericEnding(text);
    Check(IsNumericText(text) == (ending == 0));
    if (ending != std::string_view::npos) Check(IsNumericText(text.substr(ending)));
    return 0;
}
