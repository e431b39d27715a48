#include "animation/SaverWindowWin32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "common/TextWin32.h"

namespace brumo {

namespace {

constexpr const wchar_t* kWindowClass = L"BrumoSaverWindow";
constexpr int kApplicationIcon = 100;
constexpr int kNoticeFontPoints = 14;
constexpr int kPointsPerInch = 72;
constexpr int kFpsLabelMargin = 8;

ATOM RegisterSaverClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = CS_HREDRAW | CS_VREDRAW;
    cls.lpfnWndProc = procedure;
    cls.hInstance = instance;
    cls.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kApplicationIcon));
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    cls.lpszClassName = kWindowClass;
    return RegisterClassExW(&cls);
}

int ScreenDotsPerInch() {
    const WindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

}  // namespace

SaverWindowWin32::SaverWindowWin32(HINSTANCE instance, SaverSurfaces& surfaces)
    : instance_(instance), surfaces_(surfaces) {}

SaverWindowWin32::~SaverWindowWin32() {
    // The form may be gone already: the window's last messages go nowhere.
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

HWND SaverWindowWin32::EnsureCreated() {
    if (window_ || loaded_) return window_.get();
    // Form_Initialize and Form_Load: common controls, then GDI+.
    InitCommonControls();
    RegisterSaverClass(instance_, &SaverWindowWin32::WindowProc);
    window_.reset(CreateWindowExW(0, kWindowClass, Utf8ToWide(kSaverCaption).c_str(), WS_POPUP, 0,
                                  0, 0, 0, nullptr, nullptr, instance_, this));
    if (!window_) return nullptr;
    loaded_ = true;
    StartGdiplus();
    const int height = -MulDiv(kNoticeFontPoints, ScreenDotsPerInch(), kPointsPerInch);
    noticeFont_.reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, L"Arial"));
    return window_.get();
}

void SaverWindowWin32::StartGdiplus() {
    gdiplus_.emplace();
    if (!gdiplus_->Running()) {
        gdiplus_.reset();
        MessageBoxW(nullptr, L"Error loading GDI+!", Utf8ToWide(kApplicationTitle).c_str(),
                    static_cast<UINT>(MessageStyle::Critical));
    }
}

const GdiplusSession* SaverWindowWin32::Gdiplus() const {
    return gdiplus_ ? &*gdiplus_ : nullptr;
}

LRESULT CALLBACK SaverWindowWin32::WindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<SaverWindowWin32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->form_ == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(window, message, wParam, lParam);
}

LRESULT SaverWindowWin32::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            form_->MainPictureBox_KeyDown();
            return 0;
        case WM_CHAR:
            form_->MainPictureBox_KeyPress();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            form_->MainPictureBox_MouseDown();
            return 0;
        case WM_MOUSEMOVE:
            form_->MainPictureBox_MouseMove(static_cast<float>(GET_X_LPARAM(lParam)),
                                            static_cast<float>(GET_Y_LPARAM(lParam)));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const PaintGuard paint(window);
            Paint(paint.Dc(), true);
            return 0;
        }
        case WM_DESTROY:
            // Destroyed by us (Unload) or with the preview's parent: the form
            // ends its run; the frame timer goes on until a frame unloads.
            if (window_.get() == window) window_.release();
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            form_->Form_Unload();
            return DefWindowProcW(window, message, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void SaverWindowWin32::Paint(HDC target, bool whole) {
    if (target == nullptr) return;
    const DibSurface& main = surfaces_.main;
    const Rect& snow = view_.snow;
    if (whole || !view_.snowFromWork)
        BitBlt(target, 0, 0, main.Width(), main.Height(), main.Dc(), 0, 0, SRCCOPY);
    if (view_.snowFromWork)
        BitBlt(target, snow.left, snow.top, snow.width, snow.height, surfaces_.mask.Dc(), snow.left,
               snow.top, SRCCOPY);
    if (fpsVisible_ && !fpsCaption_.empty()) {
        const std::wstring caption = Utf8ToWide(fpsCaption_);
        SetBkColor(target, RGB(0, 0, 0));
        SetTextColor(target, RGB(255, 255, 255));
        SetBkMode(target, OPAQUE);
        TextOutW(target, kFpsLabelMargin, kFpsLabelMargin, caption.c_str(),
                 static_cast<int>(caption.size()));
    }
}

void SaverWindowWin32::ShowMaximized() {
    const HWND window = EnsureCreated();
    if (window == nullptr) return;
    if ((GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0) {
        // The preview fills its parent's client area.
        RECT client{};
        GetClientRect(GetAncestor(window, GA_PARENT), &client);
        SetWindowPos(window, nullptr, 0, 0, client.right, client.bottom,
                     SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
        return;
    }
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    SetWindowPos(window, HWND_TOPMOST, desktop.left, desktop.top, desktop.right - desktop.left,
                 desktop.bottom - desktop.top, SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    SetFocus(window);
}

void SaverWindowWin32::Unload() {
    window_.reset();  // WM_DESTROY runs Form_Unload
    if (loaded_) PostQuitMessage(0);
    loaded_ = false;
    gdiplus_.reset();
}

bool SaverWindowWin32::HasParent() {
    // The window keeps WS_POPUP beside WS_CHILD, and for such a window Wine's
    // GetParent answers the owner; the ancestor is the parent on every system.
    if (!window_) return false;
    const HWND parent = GetAncestor(window_.get(), GA_PARENT);
    return parent != nullptr && parent != GetDesktopWindow();
}

std::int32_t SaverWindowWin32::ScreenDpi() {
    return ScreenDotsPerInch();
}

void SaverWindowWin32::DrawNoticeText(std::int32_t x, std::int32_t y, ColorRef color,
                                      const std::string& text) {
    const HDC dc = surfaces_.main.Dc();
    const SelectedObject font(dc, noticeFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    const std::wstring wide = Utf8ToWide(text);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
    DibSurface::Flush();
}

void SaverWindowWin32::HideCursor() {
    ShowCursor(FALSE);
}

void SaverWindowWin32::Refresh(const FrameView& view) {
    view_ = view;
    if (!window_) return;
    const WindowDc dc(window_.get());
    // Outside the snow rectangle only the frame-rate label's text changes.
    Paint(dc.Get(), fpsVisible_);
}

void SaverWindowWin32::ShowMessage(const std::string& text, MessageStyle style) {
    MessageBoxW(window_.get(), Utf8ToWide(text).c_str(), Utf8ToWide(kApplicationTitle).c_str(),
                static_cast<UINT>(style));
}

}  // namespace brumo
