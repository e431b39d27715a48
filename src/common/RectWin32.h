// Windows' rectangles (left, top, right, bottom) as the program's `Rect`.
#pragma once

#include <windows.h>

#include "common/Rect.h"

namespace brumo {

inline Rect FromRect(const RECT& r) {
    return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace brumo
