#include "common/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brumo {

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

double RoundHalfEven(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    // Scaling can land a hair beside an exact half (0.125 * 100 = 12.499999...);
    // decimal inputs are meant, so snap to the nearest representable half first.
    double scaled = value * scale;
    const double snapped = std::round(scaled * 2.0) / 2.0;
    if (std::fabs(scaled - snapped) < 1e-9 * std::max(1.0, std::fabs(scaled))) scaled = snapped;
    return RoundHalfEven(scaled) / scale;
}

std::int32_t NearestInt32(double value) {
    const double r = RoundHalfEven(value);
    if (std::isnan(r)) return 0;
    if (r <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (r >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}

std::int16_t ClampToInt16(double value) {
    if (std::isnan(value)) return 0;
    if (value <= -32768.0) return -32768;
    if (value >= 32767.0) return 32767;
    return static_cast<std::int16_t>(value);
}

std::int16_t TruncateToInt16(double value) {
    return ClampToInt16(std::trunc(value));
}

}  // namespace brumo
