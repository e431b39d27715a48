// Counters of the process's GDI objects and of its thread's windows, for
// leak tests (under Wine, GetGuiResources answers 0).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace brumo {

// The live entries of the GDI handle table.
inline std::size_t CountGdiObjects() {
    constexpr std::size_t kPebGdiTable = 0xF8, kEntries = 0x10000, kEntryBytes = 24, kTypeByte = 14;
    const auto getPeb = reinterpret_cast<void*(WINAPI*)()>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetCurrentPeb")));
    const auto* table = *reinterpret_cast<const std::uint8_t* const*>(
        static_cast<const std::uint8_t*>(getPeb()) + kPebGdiTable);
    std::size_t live = 0;
    for (std::size_t i = 0; i < kEntries; ++i) live += table[i * kEntryBytes + kTypeByte] != 0;
    return live;
}

inline BOOL CALLBACK CountWindow(HWND, LPARAM counter) {
    ++*reinterpret_cast<std::size_t*>(counter);
    return TRUE;
}

// The top-level windows of this thread (tooltips among them) and all their
// descendants (EnumChildWindows walks every one).
inline std::size_t CountThreadWindows() {
    std::size_t count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) -> BOOL {
            EnumChildWindows(window, CountWindow, counter);
            return CountWindow(window, counter);
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace brumo
