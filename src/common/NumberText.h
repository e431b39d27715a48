// Numbers written as text the way the user's locale reads them: no leading
// zeros or trailing fraction zeros, the locale's decimal separator, at most
// fifteen significant digits (20 -> "20", 20.5 -> "20,5" with a comma).
#pragma once

#include <string>

namespace brumo {

std::string FormatNumber(double value, const std::string& decimalSeparator);

}  // namespace brumo
