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

constexpr std::size_t kIconCount = std::size(e2e::kFakeShellIcons);

// One fake shell for the suite, read up to its "ready <list>" line.
class IconPositioningWin32 : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        wchar_t path[MAX_PATH];
        const std::wstring exe(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
        GetTempPathW(MAX_PATH, path);
        stopPath_ = path + (L"brumo_fake_shell_stop_" + std::to_wstring(GetCurrentProcessId()));
        DeleteFileW(stopPath_.c_str());
        shell_ = _wpopen((exe.substr(0, exe.find_last_of(L"\\/") + 1) +
                          L"e2e_helper.exe fake-shell " + stopPath_)
                             .c_str(),
                         L"r");
        char line[512];
        while (shell_ != nullptr && std::fgets(line, sizeof line, shell_) != nullptr) {
            output_ += line;
            long long list = 0;
            if (std::sscanf(line, "ready %lld", &list) == 1) {
                GetWindowThreadProcessId(reinterpret_cast<HWND>(static_cast<std::intptr_t>(list)),
                                         &processId_);
                break;
            }
        }
    }
    static void TearDownTestSuite() {
        std::ofstream(stopPath_.c_str()).put('x');
        if (shell_ != nullptr) _pclose(shell_);
        DeleteFileW(stopPath_.c_str());
    }
    void SetUp() override {
        ASSERT_NE(processId_, 0u) << "the fake shell did not get ready:\n" << output_;
    }

    static inline std::wstring stopPath_;
    static inline FILE* shell_ = nullptr;
    static inline DWORD processId_ = 0;
    static inline std::string output_;
    test::FakeClock clock_;
    test::FakeLocale locale_;
    test::FakeTraceSink sink_;
    Trace trace_{sink_, clock_, locale_};
    Win32ShellList port_;
};

TEST_F(IconPositioningWin32, ReadsTheIconsOfTheShellsListFromItsProcess) {
    DesktopIcons icons;
    ASSERT_TRUE(GetDesktopIconPositions(port_, trace_, icons));
    ASSERT_EQ(icons.IconPositions.size(), kIconCount);
    ASSERT_EQ(icons.IconLabelRects.size(), kIconCount);
    for (std::size_t i = 0; i < kIconCount; ++i) {
        const e2e::FakeShellIcon& set = e2e::kFakeShellIcons[i];
        EXPECT_EQ(icons.IconPositions[i], (IconPoint{set.x, set.y})) << "item " << i;
        // Exactly what the list answers its own process for the caption part.
        const Rect& label = icons.IconLabelRects[i];
        std::ostringstream line;
        line << "item " << i << " " << set.x << " " << set.y << " " << label.left << " "
             << label.top << " " << label.left + label.width << " " << label.top + label.height;
        EXPECT_NE(output_.find(line.str() + "\n"), std::string::npos) << line.str() << output_;
    }
}

TEST_F(IconPositioningWin32, ReleasesTheMemoryItTookInTheOtherProcess) {
    std::uint64_t address = 0;
    {
        const auto block = port_.AllocateInProcess(processId_, 48);
        ASSERT_NE(block, nullptr);
        address = block->Address(0);
    }
    const UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId_));
    MEMORY_BASIC_INFORMATION info{};
    ASSERT_NE(VirtualQueryEx(process.get(), reinterpret_cast<void*>(address), &info, sizeof(info)),
              0u);
    EXPECT_EQ(info.State, static_cast<DWORD>(MEM_FREE));
}

}  // namespace
}  // namespace brumo
