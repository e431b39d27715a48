#include "common/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace brumo {
namespace {

// Outside this band of magnitudes a number is written with an exponent, as
// the classic number-to-text conversion does.
constexpr double kSmallestPlain = 1e-5;
constexpr double kFirstExponential = 1e15;
constexpr std::size_t kLongestText = 32;  // "-1.7976931348623157e+308" and room to spare

}  // namespace

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

std::string NumberAsText(double value) {
    constexpr double kLargest = std::numeric_limits<double>::max();
    value = std::clamp(value, -kLargest, kLargest);
    if (value == 0.0) return "0";  // also -0
    const double magnitude = std::fabs(value);
    const bool plain = magnitude >= kSmallestPlain && magnitude < kFirstExponential;
    std::array<char, kLongestText> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                      plain ? std::chars_format::fixed : std::chars_format::scientific);
    std::string text(buffer.data(), result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

}  // namespace brumo
