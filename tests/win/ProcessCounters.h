// Counts of what this process holds, for leak tests. Wine answers
// GetProcessHandleCount and GetGuiResources with 0, so both are counted by
// looking: kernel handles by asking for each possible handle value, GDI
// objects in the process's GDI handle table (the one the PEB points to).
// A leak test first proves its counter moves before it trusts it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace brumo::test {

inline std::size_t CountOwnHandles() {
    constexpr std::uintptr_t kHandleProbeEnd = 0x4000, kHandleStep = 4;
    std::size_t open = 0;
    DWORD flags = 0;
    for (std::uintptr_t value = kHandleStep; value < kHandleProbeEnd; value += kHandleStep)
        open += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != 0;
    return open;
}

// The live entries of the GDI handle table: 0x10000 entries of 24 bytes on
// 64-bit Windows, the object's type in byte 14 (0 for a free entry).
inline std::size_t CountGdiObjects() {
    constexpr std::size_t kPebGdiTable = 0xF8, kEntries = 0x10000, kEntryBytes = 24, kTypeByte = 14;
    using GetPeb = void*(WINAPI*)();
    const auto getPeb = reinterpret_cast<GetPeb>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetCurrentPeb")));
    const auto* peb = getPeb ? static_cast<const std::uint8_t*>(getPeb()) : nullptr;
    const auto* table =
        peb ? *reinterpret_cast<const std::uint8_t* const*>(peb + kPebGdiTable) : nullptr;
    std::size_t live = 0;
    for (std::size_t i = 0; table && i < kEntries; ++i)
        live += table[i * kEntryBytes + kTypeByte] != 0;
    return live;
}

}  // namespace brumo::test
