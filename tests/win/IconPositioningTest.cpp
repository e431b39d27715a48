// The desktop icon discovery through the real adapter, across a process
// boundary: e2e_helper.exe (built next to this program) plays the shell with
// a real list view, and this process reads the icons out of it.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../unit/Fakes.h"
#include "E2eHelperWin32.h"
#include "ProcessCounters.h"
#include "common/HandlesWin32.h"
#include "imaging/IconPositioningWin32.h"

namespace brumo {
namespace {

constexpr DWORD kReadyTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;
constexpr DWORD kPollMs = 50;
constexpr std::size_t kIconCount = std::size(e2e::kFakeShellIcons);
using test::CountOwnHandles;

// The word after `key` in the helper's output: "progman <h>", "defview <h>"
// and, once its list is filled, "ready <list>"; empty if not there.
std::string Value(const std::string& output, const std::string& key) {
    std::istringstream lines(output);
    for (std::string line, word, value; std::getline(lines, line);) {
        std::istringstream words(line);
        if (words >> word >> value && word == key) return value;
    }
    return "";
}

// One e2e_helper.exe fake-shell for the suite, writing to a file; stopped
// through its stop file (and if need be ended) afterwards.
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
        // The output once "ready" came, or so far on timeout or exit.
        const ULONGLONG deadline = GetTickCount64() + kReadyTimeoutMs;
        while (Value(Output(), "ready").empty() && GetTickCount64() < deadline &&
               WaitForSingleObject(process_.get(), kPollMs) == WAIT_TIMEOUT) {
        }
        output_ = Output();
    }
    static void TearDownTestSuite() {
        if (process_) {
            std::ofstream(stopPath_.c_str()).put('x');
            if (WaitForSingleObject(process_.get(), kExitTimeoutMs) != WAIT_OBJECT_0)
                TerminateProcess(process_.get(), 1);
            process_.reset();
        }
        DeleteFileW(stopPath_.c_str());
        DeleteFileW(outputPath_.c_str());
    }
    // The helper's output so far, without carriage returns.
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

    static inline std::wstring outputPath_;
    static inline std::wstring stopPath_;
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

TEST_F(IconPositioningWin32, ReadsTheIconsOfTheShellsListFromItsProcess) {
    // The first cross-process reading makes one handle Wine keeps for the
    // process; the count goes round the second reading.
    DesktopIcons warmUp;
    ASSERT_TRUE(GetDesktopIconPositions(port_, trace_, warmUp));
    sink_.lines.clear();
    const std::size_t handles = CountOwnHandles();
    ASSERT_GT(handles, 0u);
    DesktopIcons icons;
    ASSERT_TRUE(GetDesktopIconPositions(port_, trace_, icons));
    EXPECT_EQ(CountOwnHandles(), handles) << "a process handle was left open";
    EXPECT_EQ(sink_.lines, (std::vector<std::string>{
                               "Progman hWnd:" + Value(output_, "progman"),
                               "SHELLDLL_defVIEW hWnd:" + Value(output_, "defview"),
                               "SysListView32 hWnd:" + list_,
                               "GetSysLVHwnd: " + list_,
                               "LVM_GETTITEMCOUNT: " + std::to_string(kIconCount),
                           }));
    ASSERT_EQ(icons.IconCount, static_cast<std::int16_t>(kIconCount));
    ASSERT_EQ(icons.IconPositions.size(), kIconCount);
    ASSERT_EQ(icons.IconLabelRects.size(), kIconCount);
    for (std::size_t i = 0; i < kIconCount; ++i) {
        const e2e::FakeShellIcon& set = e2e::kFakeShellIcons[i];
        EXPECT_EQ(icons.IconPositions[i], (IconPoint{set.x, set.y})) << "item " << i;
        // Exactly what the list answers its own process for the caption part,
        // which lies below the icon's top.
        const IconRect& label = icons.IconLabelRects[i];
        const std::string line = "\nitem " + std::to_string(i) + " " + std::to_string(set.x) + " " +
                                 std::to_string(set.y) + " " + std::to_string(label.Left) + " " +
                                 std::to_string(label.Top) + " " + std::to_string(label.Right) +
                                 " " + std::to_string(label.Bottom);
        EXPECT_NE(output_.find(line + "\n"), std::string::npos) << line << "\n" << output_;
        EXPECT_GT(label.Top, set.y) << "item " << i;
    }
}

// What the reading above does not show: misses, and the bounds and release
// of the memory in the other process.
TEST_F(IconPositioningWin32, FindsWindowsByClassOnlyAndReleasesRemoteMemory) {
    const WindowHandle progman = port_.FindTopLevelWindow("Progman");
    EXPECT_EQ(port_.FindTopLevelWindow("BrumoNoSuchWindowClass"), 0);
    EXPECT_EQ(port_.FindChildWindow(progman, "SysListView32"), 0) << "only direct children";
    constexpr std::size_t kSize = 48;
    EXPECT_EQ(port_.AllocateInProcess(0, kSize), nullptr);
    std::uint64_t address = 0;
    {
        const auto block = port_.AllocateInProcess(processId_, kSize);
        ASSERT_NE(block, nullptr);
        address = block->Address(0);
        std::array<std::uint8_t, 16> bytes{};
        EXPECT_TRUE(block->Write(kSize - bytes.size(), bytes));
        EXPECT_FALSE(block->Write(kSize - bytes.size() + 1, bytes)) << "past the end";
        EXPECT_FALSE(block->Read(kSize + 1, bytes));
    }
    const UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId_));
    MEMORY_BASIC_INFORMATION info{};
    ASSERT_NE(VirtualQueryEx(process.get(), reinterpret_cast<void*>(address), &info, sizeof(info)),
              0u);
    EXPECT_EQ(info.State, static_cast<DWORD>(MEM_FREE)) << "the block was released";
}

}  // namespace
}  // namespace brumo
