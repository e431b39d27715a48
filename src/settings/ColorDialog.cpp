// The grey ramp of the colour chooser's custom colours.
#include "settings/ColorDialog.h"

namespace brumo {

namespace {

constexpr std::uint32_t kFirstGrey = 220;
constexpr std::uint32_t kGreyStep = 10;

}  // namespace

CustomColors InitCustomColors() {
    CustomColors colors{};
    for (std::size_t i = 0; i < colors.size(); ++i) {
        const auto grey = static_cast<ColorRef>(kFirstGrey - kGreyStep * i);
        colors[i] = grey | (grey << 8) | (grey << 16);
    }
    return colors;
}

}  // namespace brumo
