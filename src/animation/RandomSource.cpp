#include "animation/RandomSource.h"

#include <cstring>

namespace brumo {

namespace {
constexpr std::uint32_t kModulusMask = 0xFFFFFF;  // 2^24 - 1
constexpr std::uint32_t kMultiplier = 1140671485u;
constexpr std::uint32_t kIncrement = 12820163u;
constexpr float kModulus = 16777216.0f;
}  // namespace

void LcgRandom::Seed(float timer) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &timer, sizeof bits);
    state_ = (bits ^ (bits >> 8) ^ (state_ << 3)) & kModulusMask;
}

float LcgRandom::Next() {
    state_ = (state_ * kMultiplier + kIncrement) & kModulusMask;
    return static_cast<float>(state_) / kModulus;
}

}  // namespace brumo
