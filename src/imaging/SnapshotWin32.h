// The wait box's snapshot: the target window is hidden, the screen repaints
// where it was, the desktop's pixels behind it are copied into the target's
// surface, the target comes back, and the overlay picture is laid over the
// copy with white as the see-through colour (`TransparentCopy`).
#pragma once

#include <windows.h>

#include "common/MessagePump.h"
#include "common/MessageSink.h"
#include "imaging/DibSurfaceWin32.h"

namespace brumo {

// `targetPixels` is the target window's persistent picture (it paints from
// it), resized to the window's client size here; `overlay` is drawn at its
// top-left corner. Failures are shown through `messages` in fixed German
// texts, as the saver always did; after a failed copy the overlay is not drawn.
void MakeSnapshot(HWND target, DibSurface& targetPixels, const Surface& overlay, MessagePump& pump,
                  MessageSink& messages);

}  // namespace brumo
