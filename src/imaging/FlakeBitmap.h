// One flake picture prepared for transparent drawing. The snow engine holds
// one for the run and the settings dialog one for its preview; both call
// `SetBitmapID` with "#" + (101 + flake type) and the snow colour, then read
// the size and hand the object to `DrawBitmap`, which reads `Mask` and
// `InvertImage` for every flake of every frame.
//
// A load runs three stages: the built-in picture is looked up, recoloured
// with the snow colour (`ColorPicture`), and split into the one-bit mask and
// the flake on black (`SetBitmap`). A failure is reported to the user through
// the message sink (critical box, two texts of the current language) and
// answered with false. Each load first drops what the previous one made.
#pragma once

#include <cstdint>
#include <string>

#include "common/MessageSink.h"
#include "imaging/Color.h"
#include "imaging/Surface.h"
#include "resources/FlakePictures.h"
#include "resources/Language.h"

namespace brumo {

// Mask pixels: the two values a one-bit mask expands to when it is combined
// into a colour surface whose background colour is white and text colour black.
inline constexpr Pixel kMaskBackground = 0xFFFFFF;  // bit 1: transparent
inline constexpr Pixel kMaskFlake = 0x000000;       // bit 0: flake

class FlakeBitmap {
  public:
    // Loads the picture named `a_ID` ("#101".."#107") in `a_Color`. The window
    // handle is accepted for the callers' sake and not used. True when the
    // picture was found, recoloured and split into mask and image.
    bool SetBitmapID(std::int32_t a_hWnd, const std::string& a_ID, ColorRef a_Color,
                     MessageSink& messages, const Language& language);

    // The picture's size; 0 before a load and after a load that found nothing.
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

    // The recoloured picture: the flake in the snow colour on white, or for
    // white snow a white flake on black.
    const Surface& Image() const { return image_; }
    // Background pixels black, flake pixels in the snow colour.
    const Surface& InvertImage() const { return invertImage_; }
    // The one-bit mask, expanded: kMaskBackground where the bit is 1,
    // kMaskFlake where it is 0.
    const Surface& Mask() const { return mask_; }

  private:
    void Release();
    // The picture in the snow colour: every pixel that is not white takes the
    // colour; white pixels stay white, except for white snow, where they turn
    // black so that the flake stays distinguishable.
    static bool ColorPicture(const FlakePicture& a_Bmp, ColorRef a_Color, Surface& recoloured);
    // Builds mask and flake-on-black from `image_`. The mask takes bit 1 where
    // the picture is exactly white; `a_InvertMask` stores the inverse, which
    // for a white flake on black again marks the background with 1.
    bool SetBitmap(bool a_InvertMask);

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    MemorySurface image_;
    MemorySurface invertImage_;
    MemorySurface mask_;
};

// Loads the picture of flake type `type` (0..6) in the snow colour. When that
// fails, a second critical box follows the loader's own: the failure and the
// hint to use Block flakes instead, one line each. True when it loaded.
bool LoadFlakeType(FlakeBitmap& flake, std::int32_t type, ColorRef color, MessageSink& messages,
                   const Language& language);

}  // namespace brumo
