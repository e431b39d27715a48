#include "startup/StartupWin32.h"

#include <windows.h>

#include "common/HandlesWin32.h"
#include "common/LibraryProbeWin32.h"
#include "common/TextWin32.h"

namespace brumo {

namespace {

// Window handles travel as 32-bit numbers (command line, trace); Windows
// keeps their significant bits within 32, sign-extended on 64-bit systems.
HWND ToWindow(std::int32_t handle) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
}
std::int32_t ToNumber(HWND window) {
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(window));
}

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
    mainForm_.Unload();
}

void StartupWin32::MakeMainFormTopmost() {
    SetWindowPos(mainForm_.Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
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
        if (change != nullptr) change(kPasswordRegistryKey, mainForm_.Window(), 0, 0);
    }
    // The hidden owner window has done its job once the dialog returns.
    mainForm_.Unload();
}

ClientRect StartupWin32::GetClientRect(std::int32_t window) {
    RECT r{};
    if (!::GetClientRect(ToWindow(window), &r)) return {};
    return ClientRect{r.left, r.top, r.right, r.bottom};
}

std::int32_t StartupWin32::GetMainFormStyle() {
    return static_cast<std::int32_t>(GetWindowLongW(mainForm_.Window(), GWL_STYLE));
}

std::int32_t StartupWin32::SetMainFormStyle(std::int32_t style) {
    return static_cast<std::int32_t>(SetWindowLongW(mainForm_.Window(), GWL_STYLE, style));
}

std::int32_t StartupWin32::SetMainFormParent(std::int32_t parent) {
    return ToNumber(SetParent(mainForm_.Window(), ToWindow(parent)));
}

std::int32_t StartupWin32::SetMainFormOwner(std::int32_t owner) {
    return static_cast<std::int32_t>(
        SetWindowLongPtrW(mainForm_.Window(), GWLP_HWNDPARENT, static_cast<LONG_PTR>(owner)));
}

std::int32_t StartupWin32::PlaceMainForm(std::int32_t width, std::int32_t height) {
    return SetWindowPos(mainForm_.Window(), nullptr, 0, 0, width, height, SWP_SHOWWINDOW);
}

}  // namespace brumo
