// Hands an address that passed the openable-address rule to the shell's
// "open" verb; the shell's answer above 32 means it started something.
#include "common/ShellOpenWin32.h"

#include <shellapi.h>

#include "common/TextWin32.h"

namespace brumo {

bool OpenAddress(HWND owner, const std::string& address, AddressKinds kinds) {
    constexpr INT_PTR kShellSuccessAbove = 32;
    if (!IsOpenableAddress(address, kinds)) return false;
    const std::wstring wide = Utf8ToWide(address);
    const HINSTANCE result =
        ShellExecuteW(owner, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > kShellSuccessAbove;
}

}  // namespace brumo
