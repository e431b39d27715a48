#include "animation/DesktopShellWin32.h"

#include <windows.h>

#include "animation/IconLedges.h"
#include "settings/RegistryWin32.h"

namespace brumo {

namespace {
constexpr BYTE kKeyD = 'D';
}

void DesktopShellWin32::ReadDesktopIconPositions() {
    GetDesktopIconPositions(shellList_, trace_, icons_);
}

bool DesktopShellWin32::HasDesktopIconList() {
    return GetSysLVHwnd(shellList_, trace_) != 0;
}

// Windows key down, D down, D up, Windows key up. Releasing D as well keeps
// the system from holding the synthetic key down afterwards.
void DesktopShellWin32::ShowDesktopKeys() {
    keybd_event(VK_LWIN, 0, 0, 0);
    keybd_event(kKeyD, 0, 0, 0);
    keybd_event(kKeyD, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_LWIN, 0, KEYEVENTF_KEYUP, 0);
}

void DesktopShellWin32::MarkIconLedges(SnowGrid& grid) {
    Win32Registry registry;
    brumo::MarkIconLedges(grid, icons_, GetShellIconSize(registry));
}

}  // namespace brumo
