// The Windows colour chooser, started on a colour with the grey custom colours.
#pragma once

#include <windows.h>

#include <cstdint>

#include "imaging/Color.h"

namespace brumo {

// The chosen colour, or -1 when the user cancelled.
std::int64_t ShowColorDialog(ColorRef color, HWND owner);

}  // namespace brumo
