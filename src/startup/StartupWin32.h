// Start-up's view of Windows: the single-instance search, the system calls of
// a full-screen start, the password dialog, the preview's embedding of the
// saver window into the control panel's window, and the settings dialog on
// the shared message loop.
#pragma once

#include <memory>

#include "animation/DesktopShellWin32.h"
#include "animation/SaverWindowWin32.h"
#include "common/MessageLoopWin32.h"
#include "dialog/SettingsDialogWin32.h"
#include "startup/ScrSaveManagement.h"

namespace brumo {

class StartupWin32 final : public StartupHost {
  public:
    StartupWin32(SaverWindowWin32& window, DesktopShellWin32& shell,
                 const SettingsDialogServices& dialogServices, MessageLoop& loop)
        : window_(window), shell_(shell), dialogServices_(dialogServices), loop_(loop) {}

    bool IsLibraryAvailable(const std::string& library) override;
    void ShowMessage(const std::string& text, MessageStyle style) override;
    bool FindSaverWindow() override;
    void UnloadMainForm() override;
    void MakeMainFormTopmost() override;
    std::int32_t PlatformId() override;
    void SetScreenSaverActive() override;
    void ChangePassword() override;
    void ReadDesktopIconPositions() override { shell_.ReadDesktopIconPositions(); }
    Rect GetClientRect(std::int32_t window) override;
    std::int32_t GetMainFormStyle() override;
    std::int32_t SetMainFormStyle(std::int32_t style) override;
    std::int32_t SetMainFormParent(std::int32_t parent) override;
    std::int32_t SetMainFormOwner(std::int32_t owner) override;
    std::int32_t PlaceMainForm(std::int32_t width, std::int32_t height) override;
    void ShowSettingsDialog(std::int32_t owner) override;
    bool SettingsDialogOpen() const { return dialog_ && dialog_->IsOpen(); }

  private:
    SaverWindowWin32& window_;
    DesktopShellWin32& shell_;
    SettingsDialogServices dialogServices_;
    MessageLoop& loop_;
    std::unique_ptr<SettingsDialogWin32> dialog_;
};

}  // namespace brumo
