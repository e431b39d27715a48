// The desktop icon discovery across a process boundary: e2e_helper.exe plays
// the shell with a real list view, and this process reads the icons out of it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "../unit/Fakes.h"
#include "E2eHelperWin32.h"
#include "common/HandlesWin32.h"
#include "imaging/IconPositioningWin32.h"

namespace brumo {
namespace {

// The shell prints "item i x y left top right bottom" per icon, exactly what
// its list answers its own process, then "ready <list>"; it serves until the
// stop file exists. The checks run after it is stopped, so a failure cannot
// leave it running.
TEST(IconPositioningWin32, ReadsTheShellsIconsFromItsProcessAndFreesWhatItTook) {
    wchar_t path[MAX_PATH];
    const std::wstring exe(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    GetTempPathW(MAX_PATH, path);
    const std::wstring stop =
        path + (L"brumo_fake_shell_stop_" + std::to_wstring(GetCurrentProcessId()));
    DeleteFileW(stop.c_str());
    FILE* shell =
        _wpopen((exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"e2e_helper.exe fake-shell " + stop)
                    .c_str(),
                L"r");
    ASSERT_NE(shell, nullptr);
    std::string output;
    DWORD processId = 0;
    char line[512];
    for (long long list = 0; list == 0 && std::fgets(line, sizeof line, shell) != nullptr;) {
        output += line;
        if (std::sscanf(line, "ready %lld", &list) == 1)
            GetWindowThreadProcessId(reinterpret_cast<HWND>(static_cast<std::intptr_t>(list)),
                                     &processId);
    }
    test::FakeClock clock;
    test::FakeLocale locale;
    test::FakeTraceSink sink;
    Trace trace{sink, clock, locale};
    Win32ShellList port;
    DesktopIcons icons;
    const bool read = processId != 0 && GetDesktopIconPositions(port, trace, icons);
    std::uint64_t address = 0;
    if (const auto block = port.AllocateInProcess(processId, 48)) address = block->Address(0);
    MEMORY_BASIC_INFORMATION freed{};
    const UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
    VirtualQueryEx(process.get(), reinterpret_cast<void*>(address), &freed, sizeof(freed));
    std::ofstream(stop.c_str()).put('x');
    _pclose(shell);
    DeleteFileW(stop.c_str());

    ASSERT_TRUE(read) << output;
    EXPECT_EQ(freed.State, static_cast<DWORD>(MEM_FREE));
    ASSERT_EQ(icons.IconPositions.size(), std::size(e2e::kFakeShellIcons));
    ASSERT_EQ(icons.IconLabelRects.size(), std::size(e2e::kFakeShellIcons));
    for (std::size_t i = 0; i < icons.IconPositions.size(); ++i) {
        const IconPoint& at = icons.IconPositions[i];
        EXPECT_EQ(at, (IconPoint{e2e::kFakeShellIcons[i].x, e2e::kFakeShellIcons[i].y})) << i;
        const Rect& label = icons.IconLabelRects[i];
        std::ostringstream item;
        item << "item " << i << " " << at.X << " " << at.Y << " " << label.left << " " << label.top
             << " " << label.left + label.width << " " << label.top + label.height;
        EXPECT_NE(output.find(item.str() + "\n"), std::string::npos) << item.str() << output;
    }
}

}  // namespace
}  // namespace brumo
