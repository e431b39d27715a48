// The seven built-in flake pictures, compiled into the program as pixel art
// and looked up by their resource name "#101" to "#107". `FlakeBitmap` is the
// only caller: it loads one picture per flake type and recolours it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace brumo {

// Characters of the pixel art: a flake pixel (black in the picture) and a
// background pixel (white in the picture).
inline constexpr char kFlakePixel = '#';
inline constexpr char kBackgroundPixel = '.';

struct FlakePicture {
    std::string_view name;                   // "#101" .. "#107"
    std::span<const std::string_view> rows;  // top row first, all of one length

    std::int32_t Width() const {
        return rows.empty() ? 0 : static_cast<std::int32_t>(rows.front().size());
    }
    std::int32_t Height() const { return static_cast<std::int32_t>(rows.size()); }
    bool IsFlakePixel(std::int32_t x, std::int32_t y) const {
        return rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == kFlakePixel;
    }
};

// Flake type t (0..6) is drawn from the picture "#" + (101 + t).
inline constexpr std::int32_t kFirstFlakePicture = 101;

// The picture with that resource name, or nullptr when no picture has it.
const FlakePicture* FindFlakePicture(std::string_view name);

}  // namespace brumo
