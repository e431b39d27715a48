#include "animation/ManualNotice.h"

namespace brumo {

namespace {
constexpr std::int32_t kStripHeight = 29;
constexpr std::int32_t kShadowX = 11;
constexpr std::int32_t kTextX = 10;
constexpr std::int32_t kShadowRise = 1;  // the text sits this far above its shadow

// A length at 96 DPI scaled to `dpi`, to the nearest pixel.
std::int32_t Scaled(std::int32_t length, std::int32_t dpi) {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(length) * dpi + kStandardDpi / 2) /
                                     kStandardDpi);
}
}  // namespace

NoticeLayout LayoutNotice(std::int32_t surfaceHeight, std::int32_t dpi) {
    if (dpi <= 0) dpi = kStandardDpi;
    NoticeLayout layout;
    layout.stripHeight = Scaled(kStripHeight, dpi);
    layout.stripTop = surfaceHeight - layout.stripHeight;
    layout.shadowX = Scaled(kShadowX, dpi);
    layout.shadowY = layout.stripTop;
    layout.textX = Scaled(kTextX, dpi);
    layout.textY = layout.stripTop - Scaled(kShadowRise, dpi);
    return layout;
}

}  // namespace brumo
