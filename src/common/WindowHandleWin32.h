// Window handles travel as 32-bit numbers (command line, trace lines, the
// shell's icon list); Windows keeps their significant bits within 32,
// sign-extended on 64-bit systems. The one place where they change form.
#pragma once

#include <windows.h>

#include <cstdint>

namespace brumo {

inline HWND ToWindow(std::int32_t number) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(number));
}

inline std::int32_t ToNumber(HWND window) {
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(window));
}

}  // namespace brumo
