// The small form toolkit the dialogs are made of: control models with the
// classic event rules. Setting a value that differs from the current one
// fires the control's handler (scroll bar Change, text box Change, check box,
// option button and list Click); ranges hold; enabled, visible and colours
// are plain state that the Windows view mirrors.
#pragma once

#include <functional>
#include <string>

#include "imaging/Color.h"

namespace brumo::forms {

using Handler = std::function<void()>;

// Fires a handler if one is attached.
inline void Fire(const Handler& handler) {
    if (handler) handler();
}

// State every control has.
struct Control {
    bool Enabled = true;
    bool Visible = true;
    ColorRef BackColor = 0;
};

// System colours the dialogs use for enabled and disabled input boxes.
constexpr ColorRef kWindowBackground = 0x80000005;  // COLOR_WINDOW as a system colour reference
constexpr ColorRef kButtonFace = 0x8000000F;        // COLOR_BTNFACE

}  // namespace brumo::forms
