// The settings dialog's own background: the button face, a little darker.
#pragma once

#include "imaging/Color.h"

namespace brumo {

// Each of red, green and blue lowered by 20 where it is 21 or more; channels
// of 20 or less stay as they are.
constexpr ColorRef DialogColor(ColorRef buttonFace) {
    constexpr ColorRef kDarker = 20;
    ColorRef result = 0;
    for (unsigned shift = 0; shift < 24; shift += 8) {
        ColorRef channel = (buttonFace >> shift) & 0xFFu;
        if (channel > kDarker) channel -= kDarker;
        result |= channel << shift;
    }
    return result;
}

}  // namespace brumo
