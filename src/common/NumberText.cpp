#include "common/NumberText.h"

#include <cmath>
#include <cstdio>

namespace brumo {

std::string FormatNumber(double value, const std::string& decimalSeparator) {
    if (!std::isfinite(value)) return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text(buffer);
    if (text.find('e') != std::string::npos) return text;  // out of everyday range
    const auto dot = text.find('.');
    if (dot == std::string::npos) return text == "-0" ? "0" : text;
    text.replace(dot, 1, decimalSeparator);
    return text;
}

}  // namespace brumo
