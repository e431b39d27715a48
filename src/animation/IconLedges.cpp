#include "animation/IconLedges.h"

#include <algorithm>
#include <limits>
#include <string>

#include "common/NumberRule.h"

namespace brumo {

namespace {

// The icon ledge lies two rows below the item's top, the caption ledge three
// rows below the caption's top.
constexpr std::int64_t kIconLedgeRow = 2;
constexpr std::int64_t kCaptionLedgeRow = 3;

// One ledge row; rows and columns beyond the 32-bit range lie outside any
// grid, and the grid itself drops what lies outside its bounds.
void MarkLedge(SnowGrid& grid, std::int64_t y, std::int64_t x1, std::int64_t x2) {
    constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
    if (y < kLowest || y > kHighest || x1 > x2) return;
    grid.MarkRow(static_cast<std::int32_t>(y), static_cast<std::int32_t>(std::max(x1, kLowest)),
                 static_cast<std::int32_t>(std::min(x2, kHighest)));
}

}  // namespace

std::int32_t GetShellIconSize(RegistryBackend& registry) {
    // A value that cannot be read reads as empty.
    const std::string text = ReadRegString(registry, kWindowMetricsKeyPath, kShellIconSizeValue);
    if (text.empty()) return kDefaultShellIconSize;
    return NumberRuleInt32(text);
}

void MarkIconLedges(SnowGrid& grid, const DesktopIcons& icons, std::int32_t iconSize) {
    const std::size_t count =
        std::min({static_cast<std::size_t>(std::max<std::int16_t>(icons.IconCount, 0)),
                  icons.IconPositions.size(), icons.IconLabelRects.size()});
    for (std::size_t i = 0; i < count; ++i) {
        const IconPoint& icon = icons.IconPositions[i];
        MarkLedge(grid, std::int64_t{icon.Y} + kIconLedgeRow, icon.X,
                  std::int64_t{icon.X} + iconSize);
        const Rect& caption = icons.IconLabelRects[i];
        MarkLedge(grid, std::int64_t{caption.top} + kCaptionLedgeRow, caption.left,
                  std::int64_t{caption.left} + caption.width);
    }
}

}  // namespace brumo
