#include "startup/StartupWin32.h"

#include <windows.h>

#include "common/HandlesWin32.h"
#include "common/LibraryProbeWin32.h"
#include "common/RectWin32.h"
#include "common/TextWin32.h"
#include "common/WindowHandleWin32.h"

namespace brumo {

namespace {

using PwdChangePasswordFunction = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
constexpr const char* kPasswordRegistryKey = "SCRSAVE";

}  // namespace

bool StartupWin32::IsLibraryAvailable(const std::string& library) {
    return brumo::IsLibraryAvailable(library);
}

void StartupWin32::ShowMessage(const std::string& text, MessageStyle style) {
    MessageBoxW(nullptr, Utf8ToWide(text).c_str(), Utf8ToWide(kApplicationTitle).c_str(),
                static_cast<UINT>(style));
}

bool StartupWin32::FindSaverWindow() {
    return FindWindowW(nullptr, Utf8ToWide(kSaverCaption).c_str()) != nullptr;
}

void StartupWin32::UnloadMainForm() {
    window_.Unload();
}

void StartupWin32::MakeMainFormTopmost() {
    SetWindowPos(window_.EnsureCreated(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

std::int32_t StartupWin32::PlatformId() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version)) return 0;
    return static_cast<std::int32_t>(version.dwPlatformId);
}

void StartupWin32::SetScreenSaverActive() {
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, 1, nullptr, 0);
}

void StartupWin32::ChangePassword() {
    const UniqueLibrary mpr(LoadLibraryW(L"mpr.dll"));
    if (mpr) {
        const auto change = reinterpret_cast<PwdChangePasswordFunction>(
            reinterpret_cast<void*>(GetProcAddress(mpr.get(), "PwdChangePasswordA")));
        if (change != nullptr) change(kPasswordRegistryKey, window_.EnsureCreated(), 0, 0);
    }
    // The hidden owner window has done its job once the dialog returns.
    window_.Unload();
}

Rect StartupWin32::GetClientRect(std::int32_t window) {
    RECT r{};
    if (!::GetClientRect(ToWindow(window), &r)) return {};
    return FromRect(r);
}

std::int32_t StartupWin32::GetMainFormStyle() {
    return static_cast<std::int32_t>(GetWindowLongW(window_.EnsureCreated(), GWL_STYLE));
}

std::int32_t StartupWin32::SetMainFormStyle(std::int32_t style) {
    return static_cast<std::int32_t>(SetWindowLongW(window_.EnsureCreated(), GWL_STYLE, style));
}

std::int32_t StartupWin32::SetMainFormParent(std::int32_t parent) {
    return ToNumber(SetParent(window_.EnsureCreated(), ToWindow(parent)));
}

std::int32_t StartupWin32::SetMainFormOwner(std::int32_t owner) {
    return static_cast<std::int32_t>(
        SetWindowLongPtrW(window_.EnsureCreated(), GWLP_HWNDPARENT, static_cast<LONG_PTR>(owner)));
}

std::int32_t StartupWin32::PlaceMainForm(std::int32_t width, std::int32_t height) {
    return SetWindowPos(window_.EnsureCreated(), nullptr, 0, 0, width, height, SWP_SHOWWINDOW);
}

// The loop gives the dialog its keyboard (IsDialogMessage); closing the
// dialog posts WM_QUIT, which ends the loop and the program.
void StartupWin32::ShowSettingsDialog(std::int32_t owner) {
    dialog_ = std::make_unique<SettingsDialogWin32>(dialogServices_);
    if (!dialog_->Create()) return;
    loop_.SetDialogWindow(dialog_->Window());
    dialog_->Show(owner > 0 ? ToWindow(owner) : nullptr);
}

}  // namespace brumo
