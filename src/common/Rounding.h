// Rounding as the saver does it everywhere a whole number is needed: to the
// nearest integer, halves to the even neighbour (12.5 -> 12, 13.5 -> 14).
#pragma once

#include <cstdint>

namespace brumo {

// Nearest whole number, halves to even, as a double (keeps huge values).
double RoundHalfEven(double value);

// Rounds to `decimals` places, halves to even (0.125 -> 0.12 at two places).
double RoundHalfEven(double value, int decimals);

// Nearest whole number, halves to even, clamped to the 32-bit range.
std::int32_t NearestInt32(double value);

// Whole number truncated toward zero and clamped to the 16-bit range: the
// width flake positions and drifts pass through.
std::int16_t TruncateToInt16(double value);

// A value already whole, clamped to the 16-bit range.
std::int16_t ClampToInt16(double value);

}  // namespace brumo
