// How the work surface gets back to the back buffer at the start of a frame.
// A frame draws its falling flakes onto a copy of the back buffer, and
// settling flakes into the back buffer too, always at the same places; so
// after a frame the two differ only inside the rectangles those draws
// covered. The engine reports each draw (`Touch`); `Restore` copies just
// those rectangles back when that costs less than copying the whole surface,
// else the whole surface, and starts the next frame's list.
#pragma once

#include <cstdint>
#include <vector>

#include "common/Rect.h"
#include "imaging/Surface.h"

namespace brumo {

class WorkSurfaceRestore {
  public:
    // The next restore copies the whole surface: the surfaces are new, or
    // the back buffer changed as a whole.
    void Invalidate() { whole_ = true; }
    // A flake drawn at `drawn` onto the work surface or the back buffer.
    void Touch(Rect drawn, const Surface& target);
    void Restore(Surface& work, const Surface& backBuffer);

  private:
    std::vector<Rect> touched_;
    std::int64_t cost_ = 0;  // of copying them, in pixels of a whole-surface copy
    bool whole_ = true;
};

}  // namespace brumo
