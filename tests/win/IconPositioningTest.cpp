// The desktop icon discovery through the real adapter, across a process
// boundary: e2e_helper.exe (built next to this program) plays the shell with
// a real list view, and this process reads the icons out of it.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <fstream>
#include <sstream>

#include "../unit/Fakes.h"
#include "E2eHelperWin32.h"
#include "ProcessCounters.h"
#include "common/HandlesWin32.h"
#include "imaging/IconPositioningWin32.h"

namespace brumo {
namespace {

constexpr std::size_t kIconCount = std::size(e2e::kFakeShellIcons);
using test::CountOwnHandles;

// The word after `key` in the helper's output ("ready <list>" once its list
// is filled); empty if not there.
std::string Value(const std::string& output, const std::string& key) {
    std::istringstream lines(output);
    for (std::string line, word, value; std::getline(lines, line);) {
        std::istringstream words(line);
        if (words >> word >> value && word == key) return value;
    }
    return "";
}

// One fake shell for the suite, writing to a file; stopped through its stop
// file (and if need be ended) afterwards.
class IconPositioningWin32 : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        wchar_t path[MAX_PATH];
        const std::wstring exe(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
        GetTempPathW(MAX_PATH, path);
        const std::wstring id = std::to_wstring(GetCurrentProcessId()) + L".txt";
        outputPath_ = path + (L"brumo_fake_shell_" + id);
        stopPath_ = path + (L"brumo_fake_shell_stop_" + id);
        DeleteFileW(stopPath_.c_str());
        SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
        const UniqueKernelHandle output(
            CreateFileW(outputPath_.c_str(), GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inheritable,
                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output.get();
        std::wstring commandLine = L"\"" + exe.substr(0, exe.find_last_of(L"\\/") + 1) +
                                   L"e2e_helper.exe\" fake-shell \"" + stopPath_ + L"\"";
        PROCESS_INFORMATION info{};
        if (output.get() == INVALID_HANDLE_VALUE ||
            !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                            nullptr, nullptr, &startup, &info))
            return;
        CloseHandle(info.hThread);
        process_.reset(info.hProcess);
        processId_ = info.dwProcessId;
        const ULONGLONG deadline = GetTickCount64() + 20000;
        while (Value(Output(), "ready").empty() && GetTickCount64() < deadline &&
               WaitForSingleObject(process_.get(), 50) == WAIT_TIMEOUT) {
        }
        output_ = Output();
    }
    static void TearDownTestSuite() {
        if (process_) {
            std::ofstream(stopPath_.c_str()).put('x');
            if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0)
                TerminateProcess(process_.get(), 1);
            process_.reset();
        }
        DeleteFileW(stopPath_.c_str());
        DeleteFileW(outputPath_.c_str());
    }
    static std::string Output() {
        std::stringstream text;
        text << std::ifstream(outputPath_.c_str(), std::ios::binary).rdbuf();
        std::string output = text.str();
        std::erase(output, '\r');
        return output;
    }
    void SetUp() override {
        ASSERT_TRUE(process_) << "could not start e2e_helper.exe next to win_tests.exe";
        ASSERT_FALSE(list_.empty()) << "the fake shell did not get ready:\n" << output_;
    }

    static inline std::wstring outputPath_, stopPath_;
    static inline UniqueKernelHandle process_;
    static inline DWORD processId_ = 0;
    static inline std::string output_;
    const std::string list_ = Value(output_, "ready");
    test::FakeClock clock_;
    test::FakeLocale locale_;
    test::FakeTraceSink sink_;
    Trace trace_{sink_, clock_, locale_};
    Win32ShellList port_;
};

// The trace lines are checked end to end (the icon ledges run); the caption
// rectangles and the handles only here.
TEST_F(IconPositioningWin32, ReadsTheIconsOfTheShellsListFromItsProcess) {
    // The first reading makes one handle Wine keeps for the process; the
    // count goes round the second reading.
    DesktopIcons icons;
    ASSERT_TRUE(GetDesktopIconPositions(port_, trace_, icons));
    const std::size_t handles = CountOwnHandles();
    ASSERT_GT(handles, 0u);
    ASSERT_TRUE(GetDesktopIconPositions(port_, trace_, icons));
    EXPECT_EQ(CountOwnHandles(), handles) << "a process handle was left open";
    ASSERT_EQ(icons.IconPositions.size(), kIconCount);
    ASSERT_EQ(icons.IconLabelRects.size(), kIconCount);
    for (std::size_t i = 0; i < kIconCount; ++i) {
        const e2e::FakeShellIcon& set = e2e::kFakeShellIcons[i];
        EXPECT_EQ(icons.IconPositions[i], (IconPoint{set.x, set.y})) << "item " << i;
        // Exactly what the list answers its own process for the caption part.
        const Rect& label = icons.IconLabelRects[i];
        std::ostringstream line;
        line << "\nitem " << i << " " << set.x << " " << set.y << " " << label.left << " "
             << label.top << " " << label.left + label.width << " " << label.top + label.height
             << "\n";
        EXPECT_NE(output_.find(line.str()), std::string::npos) << line.str() << output_;
        EXPECT_GT(label.top, set.y) << "item " << i;
    }
}

// Misses, and the bounds and the release of the memory in the other process.
TEST_F(IconPositioningWin32, FindsWindowsByClassOnlyAndReleasesRemoteMemory) {
    EXPECT_EQ(port_.FindTopLevelWindow("BrumoNoSuchWindowClass"), 0);
    EXPECT_EQ(port_.FindChildWindow(port_.FindTopLevelWindow("Progman"), "SysListView32"), 0)
        << "only direct children";
    EXPECT_EQ(port_.AllocateInProcess(0, 48), nullptr);
    std::uint64_t address = 0;
    {
        const auto block = port_.AllocateInProcess(processId_, 48);
        ASSERT_NE(block, nullptr);
        address = block->Address(0);
        std::array<std::uint8_t, 16> bytes{};
        EXPECT_TRUE(block->Write(32, bytes));
        EXPECT_FALSE(block->Write(33, bytes)) << "past the end";
        EXPECT_FALSE(block->Read(49, bytes));
    }
    const UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId_));
    MEMORY_BASIC_INFORMATION info{};
    ASSERT_NE(VirtualQueryEx(process.get(), reinterpret_cast<void*>(address), &info, sizeof(info)),
              0u);
    EXPECT_EQ(info.State, static_cast<DWORD>(MEM_FREE)) << "the block was released";
}

}  // namespace
}  // namespace brumo
