// Numbers written as text: the way the user's locale reads them (the trace
// and the frame-rate label), and the way a stored number is written back as
// the shortest text that reads back to the same value.
#pragma once

#include <string>

namespace brumo {

// No leading zeros or trailing fraction zeros, the locale's decimal
// separator, at most fifteen significant digits (20 -> "20", 20.5 -> "20,5"
// with a comma).
std::string FormatNumber(double value, const std::string& decimalSeparator);

// The shortest text that the number rule reads back as exactly `value`: plain
// digits with a "." for everyday magnitudes (12.5, 150, 0, -3), an exponent
// with "E" for huge and tiny ones (1E+20). Infinities are held at the largest
// finite value.
std::string NumberAsText(double value);

}  // namespace brumo
