// Controls that only hold state or fire on a click: labels, frames, buttons,
// menu items, the intrinsic timer and picture boxes.
#pragma once

#include <cstdint>
#include <string>

#include "forms/Control.h"
#include "imaging/Surface.h"

namespace brumo::forms {

struct Label : Control {
    std::string Caption;
    bool FontUnderline = false;
};

struct Frame : Control {
    std::string Caption;
};

struct Button : Control {
    std::string Caption;
    Handler Click;
};

struct MenuItem : Control {
    std::string Caption;
    bool Checked = false;
    Handler Click;
};

struct Timer : Control {
    std::int32_t Interval = 0;
    Handler OnTimer;
};

// A picture box: a surface of its own with a background colour; `Cls` fills
// it with that colour, `Refresh` asks the view to show it again.
struct PictureBox : Control {
    MemorySurface Picture;
    std::int32_t Refreshes = 0;
    void Cls() {
        Picture.SetBackColor(BackColor);
        Picture.Clear();
    }
    void Refresh() { ++Refreshes; }
};

}  // namespace brumo::forms
