// The off-screen copy a translucent flake is composed on before `DrawBitmap`
// blends it onto its target. Whoever draws flakes keeps one for as long as it
// draws (the engine one for the process, the settings dialog one for its
// preview) and passes it to every call; it is never made per call.
#pragma once

#include "imaging/Surface.h"

namespace brumo {

// Grows to the size of the largest flake drawn translucently and is never
// shrunk; opaque draws leave it alone.
struct BlendScratch {
    MemorySurface surface;
};

}  // namespace brumo
