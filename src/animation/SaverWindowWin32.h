// The saver's real window: a borderless popup captioned "DivurUdididIriva"
// (full-screen, topmost) or, in the preview, a child of the control panel's
// window. It forwards input to the portable `MainForm`, paints the frame the
// engine's view names (the snow rectangle from the work surface, the rest
// from the visible surface) and the frame-rate label, prints the manual
// notice, and starts GDI+ for the run. A frame repaints only the snow
// rectangle unless the rest may have changed; WM_PAINT repaints everything.
//
// Life: created hidden on first use (start-up asks for its handle through
// `EnsureCreated`), shown by `ShowMaximized`, destroyed by `Unload`, which
// posts WM_QUIT so the message loop ends. A preview whose window the control
// panel destroyed keeps ticking until its frame notices the missing parent.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "animation/MainForm.h"
#include "common/HandlesWin32.h"
#include "imaging/DibSurfaceWin32.h"
#include "imaging/GdiplusWin32.h"

namespace brumo {

// The saver's picture surfaces as DIB sections.
struct SaverSurfaces {
    DibSurface main;        // visible, painted to the window
    DibSurface backBuffer;  // background + settled snow
    DibSurface mask;        // work surface of the frame
    DibSurface image;       // clean background
    MainFormSurfaces Portable() { return MainFormSurfaces{main, backBuffer, mask, image}; }
};

class SaverWindowWin32 final : public SaverWindow, public FrameHost {
  public:
    SaverWindowWin32(HINSTANCE instance, SaverSurfaces& surfaces);
    ~SaverWindowWin32() override;
    SaverWindowWin32(const SaverWindowWin32&) = delete;
    SaverWindowWin32& operator=(const SaverWindowWin32&) = delete;

    // The form its input goes to; set once, before the window is created.
    void SetForm(MainForm& form) { form_ = &form; }
    // The window, created hidden on first use; null when it cannot be made.
    HWND EnsureCreated();
    // The window while it exists (null before creation and once destroyed).
    HWND Handle() const { return window_.get(); }
    bool IsLoaded() const { return loaded_; }
    // GDI+ for the run; null when it could not start.
    const GdiplusSession* Gdiplus() const;

    // SaverWindow
    void ShowMaximized() override;
    void Unload() override;

    // FrameHost
    void SetFpsVisible(bool visible) override { fpsVisible_ = visible; }
    void SetFpsCaption(const std::string& caption) override { fpsCaption_ = caption; }
    bool HasParent() override;
    std::int32_t ScreenDpi() override;
    void DrawNoticeText(std::int32_t x, std::int32_t y, ColorRef color,
                        const std::string& text) override;
    void HideCursor() override;
    void Refresh(const FrameView& view) override;
    void ShowMessage(const std::string& text, MessageStyle style) override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC target, bool whole);
    void StartGdiplus();

    HINSTANCE instance_;
    SaverSurfaces& surfaces_;
    MainForm* form_ = nullptr;
    std::optional<GdiplusSession> gdiplus_;
    UniqueFont noticeFont_;
    UniqueWindowHandle window_;
    bool loaded_ = false;
    FrameView view_;
    bool fpsVisible_ = false;
    std::string fpsCaption_;
};

}  // namespace brumo
