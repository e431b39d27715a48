// The block the icon discovery lends the shell's process, tried in this
// process: it holds what is written, refuses a range beyond its end, and is
// released with its object. (Reading a real list view in another process
// shows in the end-to-end run over e2e_helper's fake shell.)
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdint>

#include "imaging/IconPositioningWin32.h"

namespace brumo {
namespace {

TEST(IconPositioningWin32, RemoteBlockHoldsItsBytesAndIsReleased) {
    Win32ShellList port;
    std::uint64_t address = 0;
    {
        const auto block = port.AllocateInProcess(GetCurrentProcessId(), 48);
        ASSERT_TRUE(block);
        address = block->Address(0);
        const std::array<std::uint8_t, 4> written{1, 2, 3, 4};
        std::array<std::uint8_t, 4> read{};
        EXPECT_TRUE(block->Write(44, written));
        EXPECT_TRUE(block->Read(44, read));
        EXPECT_EQ(read, written);
        EXPECT_FALSE(block->Write(45, written));
    }
    MEMORY_BASIC_INFORMATION freed{};
    ASSERT_NE(VirtualQuery(reinterpret_cast<void*>(address), &freed, sizeof(freed)), 0u);
    EXPECT_EQ(freed.State, static_cast<DWORD>(MEM_FREE));
}

}  // namespace
}  // namespace brumo
