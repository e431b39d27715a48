// The lenient number rule: a text becomes a number by its leading numeric
// part. Leading blanks, tabs and line feeds are skipped; then an optional
// sign, digits, an optional decimal point with digits and an optional
// exponent, or a "&H" (hexadecimal) or "&O" (octal) prefix with its digits.
// Reading stops at the first character that does not fit; an empty or
// non-numeric text gives 0, and so does a number too large for a double
// (an overlong "&H" number as well as "1e999"). Carriage returns are not
// skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brumo {

struct NumberScan {
    double value = 0.0;
    std::size_t end = 0;  // index just behind the numeric part
    bool hasDigits = false;
};

NumberScan ScanNumber(std::string_view text);

// The value of the leading numeric part (0 when there is none).
double NumberRuleValue(std::string_view text);

// The number rule's value rounded half to even and clamped to 32 bits.
std::int32_t NumberRuleInt32(std::string_view text);

// True when the whole text (surrounding blanks allowed) is one number.
bool IsNumericText(std::string_view text);

// Where the longest ending of `text` that is one number (IsNumericText)
// starts, or npos when no ending is; found in one pass from the end.
std::size_t LongestNumericEnding(std::string_view text);

}  // namespace brumo
