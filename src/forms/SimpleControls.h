// Controls that only hold state or fire on a click: labels, buttons, menu
// items, shapes, timers and picture boxes.
#pragma once

#include <cstdint>
#include <string>

#include "forms/Control.h"
#include "imaging/Surface.h"

namespace brumo::forms {

struct Label : Control {
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

// A rectangle shape; its width in the form's units.
struct Shape : Control {
    double Width = 0;
};

// A timer: while enabled, the view fires `Timer` every `Interval` milliseconds.
struct TimerControl : Control {
    TimerControl() { Enabled = false; }
    std::int32_t Interval = 0;
    Handler Timer;
};

// A picture box: a surface of its own with a background colour; `Cls` fills
// it with that colour.
struct PictureBox : Control {
    MemorySurface Picture;
    void Cls() {
        Picture.SetBackColor(BackColor);
        Picture.Clear();
    }
};

}  // namespace brumo::forms
