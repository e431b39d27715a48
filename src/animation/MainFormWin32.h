// The saver's real window: a borderless popup captioned "DivurUdididIriva"
// (full-screen, topmost) or, in the preview, a child of the control panel's
// window. It owns the picture surfaces as DIB sections, the frame timer and
// the message loop, forwards input and ticks to the portable `MainForm`, and
// serves the ports the form, the frames and the background capture talk to.
//
// Life: created hidden on first use (start-up asks for its handle), shown by
// `ShowMaximized`, destroyed by `Unload`. `RunMessageLoop` returns once the
// form is unloaded; a preview whose window the control panel destroyed keeps
// ticking until its frame notices the missing parent and unloads.
#pragma once

#include <windows.h>

#include <string>

#include "animation/MainForm.h"
#include "common/FrameTimerWin32.h"
#include "common/HandlesWin32.h"
#include "imaging/DibSurfaceWin32.h"
#include "imaging/IconPositioningWin32.h"

namespace brumo {

class MainFormWin32 final : public MainFormHost,
                            public FrameHost,
                            public CaptureHost,
                            public MessagePump {
  public:
    MainFormWin32(HINSTANCE instance, SnowMaker& engine, Clock& clock, Language& language,
                  Sound& sound, Trace& trace);
    ~MainFormWin32() override;
    MainFormWin32(const MainFormWin32&) = delete;
    MainFormWin32& operator=(const MainFormWin32&) = delete;

    MainForm& Form() { return form_; }
    // The window, created hidden on first use; null when it cannot be made.
    HWND Window();
    bool IsLoaded() const { return window_ != nullptr || loaded_; }
    void RunMessageLoop();

    // MainFormHost
    void ShowMaximized() override;
    void StartFrameTimer(std::int32_t intervalMs) override;
    void SetFrameTimerEnabled(bool enabled) override;
    void ShowDesktopKeys() override;
    void Unload() override;
    ColorRef ApplySettingsToEngine(EngineValues& values) override;
    bool HasDesktopIconList() override;
    void MarkIconLedges(SnowGrid& grid) override;
    // Reads the desktop icons' places for the run (before the window covers them).
    void ReadDesktopIconPositions();

    // FrameHost
    void SetAnimationTimerEnabled(bool enabled) override { SetFrameTimerEnabled(enabled); }
    void SetFpsVisible(bool visible) override { fpsVisible_ = visible; }
    void SetFpsCaption(const std::string& caption) override { fpsCaption_ = caption; }
    bool HasParent() override;
    void DrawNoticeText(Surface& target, std::int32_t x, std::int32_t y, ColorRef color,
                        const std::string& text) override;
    void HideCursor() override;
    void Refresh() override;
    void DoEvents() override;
    void ShowMessage(const std::string& text, MessageStyle style) override;
    std::int32_t PrimaryScreenWidth() override;

    // CaptureHost
    std::optional<Rect> DesktopRect() override;
    Rect MainWindowRect() override;
    void HideMainWindow() override;
    void ShowMainWindow() override;
    void Wait(float milliseconds) override;
    bool CopyDesktop(Surface& target, std::int32_t width, std::int32_t height, std::int32_t sourceX,
                     std::int32_t sourceY) override;
    PictureFit BackgroundFit() override;
    std::optional<PictureSize> LoadPicture(const std::string& path) override;
    bool DrawImageScaled(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                         Surface& target, InterpolationMode mode) override;

    // MessagePump
    void IdleWait(int maxMilliseconds) override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC target);
    void StartGdiplus();
    void StopGdiplus();

    HINSTANCE instance_;
    SnowMaker& engine_;
    Clock& clock_;
    Language& language_;
    Trace& trace_;
    Win32ShellList shellList_;
    DesktopIcons icons_;
    DibSurface main_, backBuffer_, mask_, image_;
    DibSurface helper_;  // HelperPictureBox: the background picture at its natural size
    MainForm form_;
    FrameTimer timer_;
    UniqueFont noticeFont_;
    HWND window_ = nullptr;
    bool loaded_ = false;
    bool quit_ = false;
    bool fpsVisible_ = false;
    std::string fpsCaption_;
    ULONG_PTR gdiplusToken_ = 0;
};

}  // namespace brumo
