// The colour chooser's custom colours: a grey ramp handed to it on every call,
// so colours a user defined in an earlier call are not kept.
#pragma once

#include <array>

#include "imaging/Color.h"

namespace brumo {

constexpr std::size_t kCustomColorCount = 16;
using CustomColors = std::array<ColorRef, kCustomColorCount>;

// Greys 220, 210, ... 70.
CustomColors InitCustomColors();

}  // namespace brumo
