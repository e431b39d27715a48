// A flake drawn with the GDI calls the portable drawing stands for: mask AND
// + image OR when opaque; else the target copied to a scratch, the image
// colour-keyed on it (the mask pair for a black flake) and AlphaBlend back.
// The cross-check compares the pixels with it, the frame benchmark times it.
#pragma once

#include <windows.h>

#include <utility>

#include "imaging/DibSurfaceWin32.h"
#include "imaging/FlakeBitmap.h"

namespace brumo {

struct GdiFlake {
    explicit GdiFlake(const FlakeBitmap& flake) : w(flake.Width()), h(flake.Height()) {
        for (auto [to, from] : {std::pair{&mask, &flake.Mask()}, {&image, &flake.InvertImage()}}) {
            to->Resize(w, h);
            CopySurface(*to, 0, 0, w, h, *from, 0, 0);
        }
        scratch.Resize(w, h);
    }
    void Paint(HDC dc, int x, int y) const {
        BitBlt(dc, x, y, w, h, mask.Dc(), 0, 0, SRCAND);
        BitBlt(dc, x, y, w, h, image.Dc(), 0, 0, SRCPAINT);
    }
    void Draw(HDC target, int x, int y, ColorRef color, int alpha) {
        if (alpha == kOpaqueAlpha) return Paint(target, x, y);
        BitBlt(scratch.Dc(), 0, 0, w, h, target, x, y, SRCCOPY);
        if (color != kBlack)
            TransparentBlt(scratch.Dc(), 0, 0, w, h, image.Dc(), 0, 0, w, h, RGB(0, 0, 0));
        else
            Paint(scratch.Dc(), 0, 0);
        AlphaBlend(target, x, y, w, h, scratch.Dc(), 0, 0, w, h,
                   BLENDFUNCTION{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0});
    }
    int w, h;
    DibSurface mask, image, scratch;
};

}  // namespace brumo
