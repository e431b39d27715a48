#include "common/NumberRule.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

#include "common/Rounding.h"

namespace brumo {
namespace {

// Carriage returns are not skipped: "\r5" reads as 0.
bool IsSkippedLead(char c) {
    return c == ' ' || c == '\t' || c == '\n';
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

// A number too large for a double reads as 0, whichever way it is written.
double FiniteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
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
        scan.value = FiniteOrZero(value);
        scan.end = i;
    }
    return scan;
}

bool IsSign(char c) {
    return c == '+' || c == '-';
}
bool IsExponentMark(char c) {
    return c == 'e' || c == 'E';
}

// Where the run of characters that pass `fits` ending at `end` begins.
template <typename Fits>
std::size_t RunStart(std::string_view text, std::size_t end, Fits fits) {
    while (end > 0 && fits(text[end - 1])) --end;
    return end;
}

// The earliest start of an optional sign plus digits with an optional decimal
// point (at least one digit) that ends exactly at `end`, or npos.
std::size_t MantissaStart(std::string_view text, std::size_t end) {
    const std::size_t fraction = RunStart(text, end, IsDigit);
    std::size_t start = fraction;
    if (fraction > 0 && text[fraction - 1] == '.') {
        start = RunStart(text, fraction - 1, IsDigit);
        if (start == fraction - 1 && fraction == end) return std::string_view::npos;  // "." alone
    } else if (fraction == end) {
        return std::string_view::npos;
    }
    return start > 0 && IsSign(text[start - 1]) ? start - 1 : start;
}

// The earliest start of a decimal number (sign, mantissa, exponent) ending
// exactly at `end`, or npos. An exponent counts only with a mantissa before it.
std::size_t DecimalStart(std::string_view text, std::size_t end) {
    const std::size_t digits = RunStart(text, end, IsDigit);
    if (digits < end && digits > 0) {
        std::size_t mark = digits - 1;
        if (IsSign(text[mark]) && mark > 0) --mark;
        if (IsExponentMark(text[mark])) {
            const std::size_t start = MantissaStart(text, mark);
            if (start != std::string_view::npos) return start;
        }
    }
    return MantissaStart(text, end);
}

// The start of "&H" or "&O" with digits of that base ending exactly at `end`, or npos.
std::size_t PrefixedStart(std::string_view text, std::size_t end, char kind, int base) {
    const std::size_t digits = RunStart(text, end, [base](char c) {
        const int digit = DigitValue(c);
        return digit >= 0 && digit < base;
    });
    if (digits == end || digits < 2 || text[digits - 2] != '&') return std::string_view::npos;
    const char mark = static_cast<char>(std::toupper(static_cast<unsigned char>(text[digits - 1])));
    return mark == kind ? digits - 2 : std::string_view::npos;
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
    scan.value = FiniteOrZero(scan.value);
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

std::size_t LongestNumericEnding(std::string_view text) {
    // A numeric ending is blanks, then one number reaching the trailing
    // blanks; the number's earliest possible start makes the longest ending.
    std::size_t end = text.size();
    while (end > 0 && IsSkippedLead(text[end - 1])) --end;
    constexpr int kHex = 16;
    constexpr int kOctal = 8;
    std::size_t start = std::min({DecimalStart(text, end), PrefixedStart(text, end, 'H', kHex),
                                  PrefixedStart(text, end, 'O', kOctal)});
    if (start == std::string_view::npos) return start;
    while (start > 0 && IsSkippedLead(text[start - 1])) --start;
    return start;
}

}  // namespace brumo
