// The engine's own copy of the settings for one run, plus the values derived
// from them: the flake's cell in the grid (its support span, settled block and
// fall step per frame), its drawn size, and the opacity of settled snow.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/Color.h"

namespace brumo {

// Flake types (`SnowballType`): 0..6 are drawn from the pictures 101..107,
// 7 is a solid square.
constexpr std::int32_t kFlakeTypeBigAndRound = 0;
constexpr std::int32_t kFlakeTypeCrystal1 = 2;
constexpr std::int32_t kFlakeTypeCrystal2 = 3;
constexpr std::int32_t kFlakeTypeBlock = 7;
// The grid cell (and fall step) of the picture flakes.
constexpr std::int32_t kBigFlakeCell = 6;
constexpr std::int32_t kSmallFlakeCell = 4;

struct EngineValues {
    std::int32_t CountSnowballs = 0;
    std::int16_t FallingDirection = 0;
    std::uint8_t Framerate = 0;
    bool ShowFPS = false;
    bool SnowAlwaysFromSky = false;
    ColorRef SnowballColor = 0;
    std::int32_t FlakeCellWidth = 0;
    std::int32_t FlakeCellHeight = 0;
    std::int32_t FlakeWidth = 0;
    std::int32_t FlakeHeight = 0;
    std::uint8_t Turbulence = 0;
    std::int32_t Transparency = 0;
    std::int32_t SecondaryAlpha = 0;
    bool BackgroundImageEnabled = false;
    std::string BackgroundImage;
    bool SnowOnIcons = false;
    std::int32_t RestartMin = 0;
    std::int32_t SnowballType = 0;
    std::string BackgroundSound;
    bool LoopSound = false;
    bool MaximizeBackground = false;
    std::int32_t SizeBackground = 0;
    ColorRef ColorBackground = 0;
};

}  // namespace brumo
