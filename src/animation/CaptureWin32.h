// The background capture's view of Windows: the desktop's rectangle and
// pixels (copied into the visible surface), the saver window hidden and shown
// around the copy, and picture files decoded by GDI+ and drawn onto the clean
// background surface.
#pragma once

#include "animation/SaverWindowWin32.h"
#include "imaging/ScreenCapturing.h"

namespace brumo {

class CaptureWin32 final : public CaptureHost {
  public:
    CaptureWin32(SaverWindowWin32& window, SaverSurfaces& surfaces)
        : window_(window), surfaces_(surfaces) {}

    std::optional<Rect> DesktopRect() override;
    Rect MainWindowRect() override;
    void HideMainWindow() override;
    void ShowMainWindow() override;
    bool CopyDesktopToMain(std::int32_t width, std::int32_t height, std::int32_t sourceX,
                           std::int32_t sourceY) override;
    std::unique_ptr<BackgroundPicture> LoadPicture(const std::string& path) override;
    void ShowMessage(const std::string& text, MessageStyle style) override {
        window_.ShowMessage(text, style);
    }

  private:
    SaverWindowWin32& window_;
    SaverSurfaces& surfaces_;
};

}  // namespace brumo
