#include "animation/WorkSurfaceRestore.h"

#include <optional>

#include "imaging/Clip.h"
#include "imaging/PixelRows.h"

namespace brumo {

namespace {
// A copy of a short piece of a row costs about this many pixels of a copy of
// whole rows on top of its own length: two cache lines and two pages met out
// of order, where the whole copy streams.
constexpr std::int64_t kRowCost = 128;
// How many rectangles ahead their rows are fetched.
constexpr std::size_t kPrefetchAhead = 4;

void Prefetch(const Surface& surface, const Rect& r) {
    PrefetchRows(surface.Row(r.top) + r.left, r.width, r.height, surface.Width());
}
}  // namespace

void WorkSurfaceRestore::Touch(Rect drawn, const Surface& target) {
    if (whole_) return;
    const PictureSize size{target.Width(), target.Height()};
    const std::optional<ClippedCopy> clip = ClipCopy(
        drawn.left, drawn.top, drawn.width, drawn.height, size, drawn.left, drawn.top, size);
    if (!clip) return;
    touched_.push_back(Rect{clip->destX, clip->destY, clip->width, clip->height});
    cost_ += (std::int64_t{clip->width} + kRowCost) * clip->height;
}

void WorkSurfaceRestore::Restore(Surface& work, const Surface& backBuffer) {
    if (whole_ || cost_ >= std::int64_t{work.Width()} * work.Height()) {
        CopySurface(work, 0, 0, work.Width(), work.Height(), backBuffer, 0, 0);
    } else {
        for (std::size_t i = 0; i < touched_.size(); ++i) {
            if (i + kPrefetchAhead < touched_.size()) {
                Prefetch(backBuffer, touched_[i + kPrefetchAhead]);
                Prefetch(work, touched_[i + kPrefetchAhead]);
            }
            const Rect& r = touched_[i];
            CopySurface(work, r.left, r.top, r.width, r.height, backBuffer, r.left, r.top);
        }
    }
    touched_.clear();
    cost_ = 0;
    whole_ = false;
}

}  // namespace brumo
