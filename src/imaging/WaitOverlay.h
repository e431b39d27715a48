// The picture laid over the desktop copy in the news panel's wait box: a
// notice card on white (white is the see-through colour of the snapshot, so
// the desktop shows there), with a frame, a few flakes and a drift of snow
// along its foot, all in colours that are not white. The wait text is a label
// that the dialog puts on top.
#pragma once

#include "common/Rect.h"
#include "imaging/Surface.h"

namespace brumo {

// Resizes `overlay` to `size` and draws the card; false when the surface
// cannot take that size.
bool DrawWaitOverlay(Surface& overlay, PictureSize size);

}  // namespace brumo
