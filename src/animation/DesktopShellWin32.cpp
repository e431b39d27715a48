#include "animation/DesktopShellWin32.h"

#include "animation/IconLedges.h"
#include "animation/ShowDesktopKeysWin32.h"
#include "settings/RegistryWin32.h"

namespace brumo {

void DesktopShellWin32::ReadDesktopIconPositions() {
    GetDesktopIconPositions(shellList_, trace_, icons_);
}

bool DesktopShellWin32::HasDesktopIconList() {
    return GetSysLVHwnd(shellList_, trace_) != 0;
}

void DesktopShellWin32::ShowDesktopKeys() {
    brumo::ShowDesktopKeys();
}

void DesktopShellWin32::MarkIconLedges(SnowGrid& grid) {
    Win32Registry registry;
    brumo::MarkIconLedges(grid, icons_, GetShellIconSize(registry));
}

}  // namespace brumo
