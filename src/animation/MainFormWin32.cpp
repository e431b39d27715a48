#include "animation/MainFormWin32.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <windowsx.h>

#include "animation/IconLedges.h"
#include "animation/ShowDesktopKeysWin32.h"
#include "common/LibraryProbeWin32.h"
#include "common/MessagePump.h"
#include "common/TextWin32.h"
#include "imaging/PictureWin32.h"
#include "settings/RegistryWin32.h"
#include "settings/SettingsForm.h"
#include "startup/ScrSaveManagement.h"

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

}  // namespace

MainFormWin32::MainFormWin32(HINSTANCE instance, SnowMaker& engine, Clock& clock,
                             Language& language, Sound& sound, Trace& trace)
    : instance_(instance),
      engine_(engine),
      clock_(clock),
      language_(language),
      trace_(trace),
      form_(engine, MainFormSurfaces{main_, backBuffer_, mask_, image_}, *this, *this, *this,
            language, sound) {}

MainFormWin32::~MainFormWin32() {
    if (window_ != nullptr) DestroyWindow(window_);
    StopGdiplus();
}

HWND MainFormWin32::Window() {
    if (window_ != nullptr || loaded_) return window_;
    // Form_Initialize and Form_Load: common controls, then GDI+.
    InitCommonControls();
    RegisterSaverClass(instance_, &MainFormWin32::WindowProc);
    window_ = CreateWindowExW(0, kWindowClass, Utf8ToWide(kSaverCaption).c_str(), WS_POPUP, 0, 0, 0,
                              0, nullptr, nullptr, instance_, this);
    if (window_ == nullptr) return nullptr;
    loaded_ = true;
    StartGdiplus();
    const WindowDc screen(nullptr);
    const int height =
        -MulDiv(kNoticeFontPoints, GetDeviceCaps(screen.Get(), LOGPIXELSY), kPointsPerInch);
    noticeFont_.reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, L"Arial"));
    return window_;
}

void MainFormWin32::StartGdiplus() {
    Gdiplus::GdiplusStartupInput input;  // version 1, no callback, nothing suppressed
    if (Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr) != Gdiplus::Ok) {
        gdiplusToken_ = 0;
        MessageBoxW(nullptr, L"Error loading GDI+!", Utf8ToWide(kApplicationTitle).c_str(),
                    static_cast<UINT>(MessageStyle::Critical));
    }
}

void MainFormWin32::StopGdiplus() {
    if (gdiplusToken_ != 0) Gdiplus::GdiplusShutdown(gdiplusToken_);
    gdiplusToken_ = 0;
}

LRESULT CALLBACK MainFormWin32::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainFormWin32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->window_ != window)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainFormWin32::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            form_.MainPictureBox_KeyDown();
            return 0;
        case WM_CHAR:
            form_.MainPictureBox_KeyPress();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            form_.MainPictureBox_MouseDown();
            return 0;
        case WM_MOUSEMOVE:
            form_.MainPictureBox_MouseMove(static_cast<float>(GET_X_LPARAM(lParam)),
                                           static_cast<float>(GET_Y_LPARAM(lParam)));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(window_, &ps);
            Paint(dc);
            EndPaint(window_, &ps);
            return 0;
        }
        case WM_DESTROY: {
            // Destroyed by us (Unload) or with the preview's parent: the form
            // ends its run; the frame timer goes on until a frame unloads.
            const HWND window = window_;
            window_ = nullptr;
            form_.Form_Unload();
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void MainFormWin32::Paint(HDC target) {
    if (target == nullptr) return;
    BitBlt(target, 0, 0, main_.Width(), main_.Height(), main_.Dc(), 0, 0, SRCCOPY);
    if (fpsVisible_ && !fpsCaption_.empty()) {
        const std::wstring caption = Utf8ToWide(fpsCaption_);
        SetBkColor(target, RGB(0, 0, 0));
        SetTextColor(target, RGB(255, 255, 255));
        SetBkMode(target, OPAQUE);
        TextOutW(target, kFpsLabelMargin, kFpsLabelMargin, caption.c_str(),
                 static_cast<int>(caption.size()));
    }
}

void MainFormWin32::RunMessageLoop() {
    while (loaded_ && !quit_) {
        const HANDLE timer = timer_.Handle();
        const DWORD count = timer != nullptr ? 1 : 0;
        const DWORD result =
            MsgWaitForMultipleObjectsEx(count, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (count == 1 && result == WAIT_OBJECT_0 && timer_.Enabled())
            form_.AnimationTimer_Timer(timer_.IntervalMs());
        DoEvents();
    }
}

void MainFormWin32::ShowMaximized() {
    const HWND window = Window();
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

void MainFormWin32::StartFrameTimer(std::int32_t intervalMs) {
    timer_.Start(intervalMs);
}

void MainFormWin32::SetFrameTimerEnabled(bool enabled) {
    timer_.SetEnabled(enabled);
}

void MainFormWin32::ShowDesktopKeys() {
    brumo::ShowDesktopKeys();
}

void MainFormWin32::Unload() {
    timer_.SetEnabled(false);
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = nullptr;
    loaded_ = false;
    StopGdiplus();
}

ColorRef MainFormWin32::ApplySettingsToEngine(EngineValues& values) {
    Win32Registry registry;
    values =
        LoadSaverSettings(registry, language_, IsFunctionAvailable("msimg32.dll", "AlphaBlend"));
    return values.ColorBackground;
}

bool MainFormWin32::HasDesktopIconList() {
    return GetSysLVHwnd(shellList_, trace_) != 0;
}

void MainFormWin32::ReadDesktopIconPositions() {
    GetDesktopIconPositions(shellList_, trace_, icons_);
}

void MainFormWin32::MarkIconLedges(SnowGrid& grid) {
    Win32Registry registry;
    brumo::MarkIconLedges(grid, icons_, GetShellIconSize(registry));
}

bool MainFormWin32::HasParent() {
    // The window keeps WS_POPUP beside WS_CHILD, and for such a window Wine's
    // GetParent answers the owner; the ancestor is the parent on every system.
    if (window_ == nullptr) return false;
    const HWND parent = GetAncestor(window_, GA_PARENT);
    return parent != nullptr && parent != GetDesktopWindow();
}

void MainFormWin32::DrawNoticeText(Surface& target, std::int32_t x, std::int32_t y, ColorRef color,
                                   const std::string& text) {
    auto* surface = dynamic_cast<DibSurface*>(&target);
    if (surface == nullptr) return;
    const HDC dc = surface->Dc();
    const SelectedObject font(dc, noticeFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    const std::wstring wide = Utf8ToWide(text);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
    DibSurface::Flush();
}

void MainFormWin32::HideCursor() {
    ShowCursor(FALSE);
}

void MainFormWin32::Refresh() {
    if (window_ == nullptr) return;
    const WindowDc dc(window_);
    Paint(dc.Get());
}

void MainFormWin32::DoEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit_ = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void MainFormWin32::IdleWait(int maxMilliseconds) {
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(maxMilliseconds), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

void MainFormWin32::ShowMessage(const std::string& text, MessageStyle style) {
    MessageBoxW(window_, Utf8ToWide(text).c_str(), Utf8ToWide(kApplicationTitle).c_str(),
                static_cast<UINT>(style));
}

std::int32_t MainFormWin32::PrimaryScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

std::optional<Rect> MainFormWin32::DesktopRect() {
    RECT r{};
    if (!GetWindowRect(GetDesktopWindow(), &r)) return std::nullopt;
    return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Rect MainFormWin32::MainWindowRect() {
    RECT r{};
    if (window_ == nullptr || !GetWindowRect(window_, &r)) return {};
    return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MainFormWin32::HideMainWindow() {
    if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

void MainFormWin32::ShowMainWindow() {
    if (window_ == nullptr) return;
    ShowWindow(window_, SW_SHOW);
    if ((GetWindowLongW(window_, GWL_STYLE) & WS_CHILD) == 0) SetForegroundWindow(window_);
}

void MainFormWin32::Wait(float milliseconds) {
    brumo::Wait(milliseconds, clock_, *this);
}

bool MainFormWin32::CopyDesktop(Surface& target, std::int32_t width, std::int32_t height,
                                std::int32_t sourceX, std::int32_t sourceY) {
    auto* surface = dynamic_cast<DibSurface*>(&target);
    if (surface == nullptr) return false;
    const HWND desktop = GetDesktopWindow();
    const WindowDc screen(desktop);
    if (screen.Get() == nullptr) return false;
    const bool copied =
        BitBlt(surface->Dc(), 0, 0, width, height, screen.Get(), sourceX, sourceY, SRCCOPY) != 0;
    DibSurface::Flush();
    return copied;
}

PictureFit MainFormWin32::BackgroundFit() {
    return PictureFit{engine_.Values.MaximizeBackground, engine_.Values.SizeBackground};
}

std::optional<PictureSize> MainFormWin32::LoadPicture(const std::string& path) {
    // Without GDI+ (its start failed) there is no picture to have.
    if (gdiplusToken_ == 0 || !LoadPictureFile(Utf8ToWide(path), helper_)) return std::nullopt;
    return PictureSize{helper_.Width(), helper_.Height()};
}

bool MainFormWin32::DrawImageScaled(std::int32_t x, std::int32_t y, std::int32_t width,
                                    std::int32_t height, Surface& target, InterpolationMode mode) {
    auto* surface = dynamic_cast<DibSurface*>(&target);
    if (surface == nullptr || gdiplusToken_ == 0) return false;
    return brumo::DrawImageScaled(x, y, width, height, helper_, *surface, mode);
}

}  // namespace brumo
