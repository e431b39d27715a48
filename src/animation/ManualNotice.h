// Where the manual-start notice goes on the visible surface: a strip along
// the bottom edge restored from the clean background, a black shadow and the
// white text one row above and one column left of it. The font follows the
// screen's DPI (14 points), so the strip and the positions scale with it:
// at 96 DPI the strip is 29 rows, the shadow at x 11, the text at x 10.
#pragma once

#include <cstdint>

namespace brumo {

constexpr std::int32_t kStandardDpi = 96;

struct NoticeLayout {
    std::int32_t stripTop = 0;
    std::int32_t stripHeight = 0;
    std::int32_t shadowX = 0;
    std::int32_t shadowY = 0;
    std::int32_t textX = 0;
    std::int32_t textY = 0;
    bool operator==(const NoticeLayout&) const = default;
};

// The notice on a surface `surfaceHeight` rows high at `dpi` dots per inch
// (a DPI of 0 or less counts as the standard 96).
NoticeLayout LayoutNotice(std::int32_t surfaceHeight, std::int32_t dpi);

}  // namespace brumo
