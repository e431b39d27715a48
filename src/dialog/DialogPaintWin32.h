// How the settings dialog looks beyond what the controls draw themselves: its
// darkened background (dialog, tab page, statics and buttons), the input
// boxes' background colours, the colour boxes, the progress shapes and the
// two previews painted from the form's surfaces, and the client size in the window's DPI.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/HandlesWin32.h"
#include "imaging/Surface.h"

namespace brumo {

// The dialog's background brush, made once and deleted with the object.
class DialogBackground {
  public:
    DialogBackground();
    HBRUSH Brush() const { return brush_.get(); }
    COLORREF Color() const { return color_; }
    // The answer to WM_CTLCOLOR* for a control drawn on the background.
    HBRUSH Paint(HDC dc) const;
    // Paints the tab control's page area with the background after the tab
    // control has drawn itself; the brush must outlive the tab control.
    void ColorTabPage(HWND tab) const;

  private:
    COLORREF color_;
    UniqueBrush brush_;
};

// A colour that may be a system colour reference (top bit set, the low byte
// names the system colour), as a plain colour.
COLORREF TranslateOleColor(std::uint32_t color);

// The answer to WM_CTLCOLOR* for an input box whose background is a system
// colour reference; null for any other colour.
HBRUSH SystemColorBrush(HDC dc, std::uint32_t color);

// Fills an owner-drawn colour box with its colour (brush made and deleted here).
void PaintColorBox(const DRAWITEMSTRUCT& item, std::uint32_t color);
// Paints an owner-drawn shape: filled, or an empty frame on `background`
// that leaves out the part where the sibling `above` lies (null: none).
void PaintShape(const DRAWITEMSTRUCT& item, bool filled, HBRUSH background, HWND above);
// Copies the surface's pixels into an owner-drawn box, top-left aligned.
void PaintSurface(const DRAWITEMSTRUCT& item, const Surface& surface);

// Sets the client area to `width` x `height` pixels at 96 DPI, scaled to the
// window's DPI; a menu bar that wraps is measured and made up for.
void SetClientSize(HWND window, std::int32_t width, std::int32_t height);

}  // namespace brumo
