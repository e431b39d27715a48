#include "common/NumberRule.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

#include "common/Rounding.h"

namespace brumo {
namespace {

bool IsSkippedLead(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitValue(char c) {
    if (IsDigit(c)) return c - '0';
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper >= 'A' && upper <= 'F') return upper - 'A' + 10;
    return -1;
}

// "&H1F" / "&O17": digits of the given base behind the prefix.
NumberScan ScanPrefixed(std::string_view text, std::size_t pos) {
    NumberScan scan;
    const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(text[pos + 1])));
    const int base = kind == 'H' ? 16 : 8;
    std::size_t i = pos + 2;
    double value = 0.0;
    while (i < text.size()) {
        const int digit = DigitValue(text[i]);
        if (digit < 0 || digit >= base) break;
        value = value * base + digit;
        scan.hasDigits = true;
        ++i;
    }
    if (scan.hasDigits) {
        scan.value = value;
        scan.end = i;
    }
    return scan;
}

}  // namespace

NumberScan ScanNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSkippedLead(text[i])) ++i;
    if (i + 1 < text.size() && text[i] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
        if (kind == 'H' || kind == 'O') return ScanPrefixed(text, i);
        return {};
    }
    NumberScan scan;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    while (i < text.size() && IsDigit(text[i])) {
        scan.hasDigits = true;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        bool fraction = false;
        while (j < text.size() && IsDigit(text[j])) {
            fraction = true;
            ++j;
        }
        if (fraction || scan.hasDigits) i = j;
        scan.hasDigits = scan.hasDigits || fraction;
    }
    if (!scan.hasDigits) return {};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    const std::string numeric(text.substr(start, i - start));
    scan.value = std::strtod(numeric.c_str(), nullptr);
    if (!std::isfinite(scan.value)) scan.value = 0.0;
    scan.end = i;
    return scan;
}

double NumberRuleValue(std::string_view text) {
    return ScanNumber(text).value;
}

std::int32_t NumberRuleInt32(std::string_view text) {
    return NearestInt32(NumberRuleValue(text));
}

bool IsNumericText(std::string_view text) {
    const NumberScan scan = ScanNumber(text);
    if (!scan.hasDigits) return false;
    for (std::size_t i = scan.end; i < text.size(); ++i)
        if (!IsSkippedLead(text[i])) return false;
    return true;
}

}  // namespace brumo
