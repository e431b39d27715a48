#include "dialog/DialogPaintWin32.h"

#include <commctrl.h>

#include "settings/DialogColor.h"

namespace brumo {

namespace {

constexpr std::uint32_t kSystemColorFlag = 0x80000000u;
constexpr std::uint32_t kSystemColorIndexMask = 0xFFu;
constexpr int kBaseDpi = 96;
constexpr UINT_PTR kTabSubclassId = 1;

// Paints the page area after the tab control's own painting.
LRESULT CALLBACK TabPageProc(HWND tab, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR brush) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(tab, TabPageProc, kTabSubclassId);
    const LRESULT result = DefSubclassProc(tab, message, wParam, lParam);
    if (message == WM_PAINT) {
        RECT page{};
        GetClientRect(tab, &page);
        TabCtrl_AdjustRect(tab, FALSE, &page);
        const WindowDc dc(tab);
        FillRect(dc.Get(), &page, reinterpret_cast<HBRUSH>(brush));
    }
    return result;
}

}  // namespace

DialogBackground::DialogBackground()
    : color_(DialogColor(GetSysColor(COLOR_BTNFACE))), brush_(CreateSolidBrush(color_)) {}

HBRUSH DialogBackground::Paint(HDC dc) const {
    SetBkColor(dc, color_);
    return brush_.get();
}

void DialogBackground::ColorTabPage(HWND tab) const {
    SetWindowSubclass(tab, TabPageProc, kTabSubclassId, reinterpret_cast<DWORD_PTR>(brush_.get()));
}

COLORREF TranslateOleColor(std::uint32_t color) {
    if ((color & kSystemColorFlag) == 0) return color;
    return GetSysColor(static_cast<int>(color & kSystemColorIndexMask));
}

HBRUSH SystemColorBrush(HDC dc, std::uint32_t color) {
    if ((color & kSystemColorFlag) == 0) return nullptr;
    const int index = static_cast<int>(color & kSystemColorIndexMask);
    SetBkColor(dc, GetSysColor(index));
    return GetSysColorBrush(index);
}

void PaintColorBox(const DRAWITEMSTRUCT& item, std::uint32_t color) {
    const UniqueBrush brush(CreateSolidBrush(TranslateOleColor(color)));
    FillRect(item.hDC, &item.rcItem, brush.get());
    FrameRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOWFRAME));
}

void PaintShape(const DRAWITEMSTRUCT& item, bool filled, HBRUSH background, HWND above) {
    if (filled) {
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_HIGHLIGHT));
        return;
    }
    if (above != nullptr) {
        RECT covered{};
        GetWindowRect(above, &covered);
        MapWindowPoints(nullptr, item.hwndItem, reinterpret_cast<POINT*>(&covered), 2);
        ExcludeClipRect(item.hDC, covered.left, covered.top, covered.right, covered.bottom);
    }
    FillRect(item.hDC, &item.rcItem, background);
    FrameRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNSHADOW));
}

void PaintSurface(const DRAWITEMSTRUCT& item, const Surface& surface) {
    if (surface.Width() <= 0 || surface.Height() <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = surface.Width();
    info.bmiHeader.biHeight = -surface.Height();  // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(item.hDC, item.rcItem.left, item.rcItem.top,
                      static_cast<DWORD>(surface.Width()), static_cast<DWORD>(surface.Height()), 0,
                      0, 0, static_cast<UINT>(surface.Height()), surface.Row(0), &info,
                      DIB_RGB_COLORS);
}

void SetClientSize(HWND window, std::int32_t width, std::int32_t height) {
    const UINT dpi = GetDpiForWindow(window);
    const int wanted[2] = {MulDiv(width, static_cast<int>(dpi), kBaseDpi),
                           MulDiv(height, static_cast<int>(dpi), kBaseDpi)};
    RECT frame{0, 0, wanted[0], wanted[1]};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    AdjustWindowRectExForDpi(&frame, style, GetMenu(window) != nullptr, exStyle, dpi);
    constexpr UINT kSizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, 0, 0, frameWidth, frameHeight, kSizeOnly);
    RECT client{};
    GetClientRect(window, &client);
    if (client.right == wanted[0] && client.bottom == wanted[1]) return;
    frameWidth += wanted[0] - client.right;
    frameHeight += wanted[1] - client.bottom;
    SetWindowPos(window, nullptr, 0, 0, frameWidth, frameHeight, kSizeOnly);
}

}  // namespace brumo
