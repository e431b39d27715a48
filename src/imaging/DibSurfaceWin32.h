// A picture surface whose pixels live in a 32-bit top-down DIB section,
// selected into a memory device context for the surface's whole life, so
// that both GDI (desktop capture, text) and the portable drawing code work
// on the same pixels. Call `Flush` after GDI drawing, before touching pixels.
#pragma once

#include <windows.h>

#include "common/HandlesWin32.h"
#include "imaging/Surface.h"

namespace brumo {

class DibSurface final : public Surface {
  public:
    DibSurface();
    ~DibSurface() override;
    bool Resize(std::int32_t width, std::int32_t height) override;
    HDC Dc() const { return dc_.get(); }
    static void Flush() { GdiFlush(); }

  private:
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ original_ = nullptr;  // the DC's own bitmap, put back before ours is deleted
};

}  // namespace brumo
