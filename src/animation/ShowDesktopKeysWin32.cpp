#include "animation/ShowDesktopKeysWin32.h"

#include <windows.h>

namespace brumo {

namespace {
constexpr BYTE kKeyD = 'D';
}

void ShowDesktopKeys() {
    keybd_event(VK_LWIN, 0, 0, 0);
    keybd_event(kKeyD, 0, 0, 0);
    keybd_event(kKeyD, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_LWIN, 0, KEYEVENTF_KEYUP, 0);
}

}  // namespace brumo
