// The desktop icon discovery through the real adapter, across a process
// boundary: e2e_helper.exe (built next to this program) plays the shell with
// a real list view, and this process reads the icons out of it.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../unit/Fakes.h"
#include "E2eHelperWin32.h"
#include "common/HandlesWin32.h"
#include "imaging/IconPositioningWin32.h"

namespace brumo {
namespace {

constexpr DWORD kReadyTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;
constexpr DWORD kPollMs = 50;
constexpr std::size_t kIconCount = std::size(e2e::kFakeShellIcons);

std::wstring Folder(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring OwnFolder() {
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), MAX_PATH);
    path.resize(length);
    return Folder(path);
}

std::wstring TempFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name + std::to_wstring(GetCurrentProcessId()) + L".txt";
}

// The handles this process holds, as the system lists them (Wine answers
// GetProcessHandleCount with 0, but lists the handles of every process).
std::size_t CountOwnHandles() {
    constexpr ULONG kSystemHandleInformation = 16;
    constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
    struct Entry {
        ULONG processId;
        UCHAR objectType;
        UCHAR flags;
        USHORT handle;
        void* object;
        ACCESS_MASK access;
    };
    using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) return 0;
    std::vector<std::uint8_t> buffer(1 << 16);
    ULONG length = 0;
    LONG status = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), &length)) == kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0) return 0;
    ULONG count = 0;
    std::memcpy(&count, buffer.data(), sizeof(count));
    // The list: a count, then the entries at their own alignment.
    constexpr std::size_t kFirst =
        (sizeof(ULONG) + alignof(Entry) - 1) / alignof(Entry) * alignof(Entry);
    std::size_t own = 0;
    for (ULONG i = 0; i < count && kFirst + (i + 1) * sizeof(Entry) <= buffer.size(); ++i) {
        Entry entry{};
        std::memcpy(&entry, buffer.data() + kFirst + i * sizeof(Entry), sizeof(Entry));
        if (entry.processId == GetCurrentProcessId()) ++own;
    }
    return own;
}

// What the helper printed about its list.
struct ShellReport {
    std::string progman;
    std::string defView;
    std::string list;  // empty until "ready"
    std::vector<IconPoint> positions;
    std::vector<IconRect> labels;
};

ShellReport ParseReport(const std::string& output) {
    ShellReport report;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "progman") words >> report.progman;
        if (key == "defview") words >> report.defView;
        if (key == "ready") words >> report.list;
        if (key == "item") {
            int index = 0;
            IconPoint p;
            IconRect r;
            words >> index >> p.X >> p.Y >> r.Left >> r.Top >> r.Right >> r.Bottom;
            report.positions.push_back(p);
            report.labels.push_back(r);
        }
    }
    return report;
}

// e2e_helper.exe fake-shell, stopped (and if need be ended) when it goes.
class FakeShellProcess {
  public:
    FakeShellProcess() : outputPath_(TempFile(L"brumo_fake_shell_")) {
        stopPath_ = TempFile(L"brumo_fake_shell_stop_");
        DeleteFileW(stopPath_.c_str());
        SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
        const HANDLE output =
            CreateFileW(outputPath_.c_str(), GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inheritable,
                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (output == INVALID_HANDLE_VALUE) return;
        const UniqueKernelHandle outputOwner(output);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
        std::wstring commandLine =
            L"\"" + OwnFolder() + L"e2e_helper.exe\" fake-shell \"" + stopPath_ + L"\"";
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                            nullptr, nullptr, &startup, &info))
            return;
        CloseHandle(info.hThread);
        process_.reset(info.hProcess);
        processId_ = info.dwProcessId;
    }
    ~FakeShellProcess() {
        if (process_) {
            std::ofstream(stopPath_.c_str()).put('x');
            if (WaitForSingleObject(process_.get(), kExitTimeoutMs) != WAIT_OBJECT_0)
                TerminateProcess(process_.get(), 1);
        }
        DeleteFileW(stopPath_.c_str());
        DeleteFileW(outputPath_.c_str());
    }
    FakeShellProcess(const FakeShellProcess&) = delete;
    FakeShellProcess& operator=(const FakeShellProcess&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    DWORD ProcessId() const { return processId_; }
    std::string Output() const {
        std::ifstream in(outputPath_.c_str(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // The report once "ready" came, or the report so far on timeout / exit.
    ShellReport WaitReady() const {
        const ULONGLONG deadline = GetTickCount64() + kReadyTimeoutMs;
        ShellReport report = ParseReport(Output());
        while (report.list.empty() && GetTickCount64() < deadline &&
               WaitForSingleObject(process_.get(), kPollMs) == WAIT_TIMEOUT)
            report = ParseReport(Output());
        return report;
    }

  private:
    std::wstring outputPath_;
    std::wstring stopPath_;
    UniqueKernelHandle process_;
    DWORD processId_ = 0;
};

class IconPositioningWin32 : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        shell_ = std::make_unique<FakeShellProcess>();
        if (shell_->Started()) report_ = shell_->WaitReady();
    }
    static void TearDownTestSuite() { shell_.reset(); }
    void SetUp() override {
        ASSERT_TRUE(shell_->Started()) << "could not start e2e_helper.exe next to win_tests.exe";
        ASSERT_FALSE(report_.list.empty()) << "the fake shell did not get ready:\n"
                                           << shell_->Output();
    }

    // One fake shell for the suite.
    static inline std::unique_ptr<FakeShellProcess> shell_;
    static inline ShellReport report_;

    test::FakeClock clock_;
    test::FakeLocale locale_;
    test::FakeTraceSink sink_;
    Trace trace_{sink_, clock_, locale_};
    Win32ShellList port_;
};

TEST_F(IconPositioningWin32, ReadsTheIconsOfTheShellsListFromItsProcess) {
    ASSERT_EQ(report_.positions.size(), kIconCount) << shell_->Output();
    const std::string count = std::to_string(kIconCount);
    DesktopIcons icons;
    // The first cross-process reading makes one handle Wine keeps for the
    // process; the count goes round the second reading.
    DesktopIcons warmUp;
    ASSERT_TRUE(GetDesktopIconPositions(port_, trace_, warmUp));
    sink_.lines.clear();
    const std::size_t handles = CountOwnHandles();
    ASSERT_GT(handles, 0u);

    ASSERT_TRUE(GetDesktopIconPositions(port_, trace_, icons));

    EXPECT_EQ(CountOwnHandles(), handles) << "a process handle was left open";
    EXPECT_EQ(sink_.lines, (std::vector<std::string>{
                               "Progman hWnd:" + report_.progman,
                               "SHELLDLL_defVIEW hWnd:" + report_.defView,
                               "SysListView32 hWnd:" + report_.list,
                               "GetSysLVHwnd: " + report_.list,
                               "LVM_GETTITEMCOUNT: " + count,
                           }));
    ASSERT_EQ(icons.IconCount, static_cast<std::int16_t>(kIconCount));
    ASSERT_EQ(icons.IconPositions.size(), kIconCount);
    ASSERT_EQ(icons.IconLabelRects.size(), kIconCount);
    for (std::size_t i = 0; i < kIconCount; ++i) {
        const e2e::FakeShellIcon& set = e2e::kFakeShellIcons[i];
        EXPECT_EQ(icons.IconPositions[i], (IconPoint{set.x, set.y})) << "item " << i;
        // Exactly what the list answers its own process for the caption part.
        EXPECT_EQ(icons.IconLabelRects[i], report_.labels[i]) << "item " << i;
        const IconRect& label = icons.IconLabelRects[i];
        EXPECT_LT(label.Left, label.Right) << "item " << i;
        EXPECT_LT(label.Top, label.Bottom) << "item " << i;
        EXPECT_GT(label.Top, set.y) << "the caption lies below the icon's top, item " << i;
        EXPECT_LE(label.Left, set.x + 32) << "item " << i;
        EXPECT_GE(label.Right, set.x) << "item " << i;
    }
}

TEST_F(IconPositioningWin32, FindsWindowsByClassOnly) {
    EXPECT_EQ(std::to_string(port_.FindTopLevelWindow("Progman")), report_.progman);
    EXPECT_EQ(port_.FindTopLevelWindow("BrumoNoSuchWindowClass"), 0);
    const WindowHandle progman = port_.FindTopLevelWindow("Progman");
    EXPECT_EQ(std::to_string(port_.FindChildWindow(progman, "SHELLDLL_DefView")), report_.defView);
    EXPECT_EQ(port_.FindChildWindow(progman, "SysListView32"), 0) << "only direct children";
    EXPECT_EQ(port_.WindowProcessId(std::stoi(report_.list)), shell_->ProcessId());
}

TEST_F(IconPositioningWin32, RemoteMemoryRoundTripsAndIsReleased) {
    constexpr std::size_t kSize = 48;
    std::uint64_t address = 0;
    {
        const std::unique_ptr<RemoteMemory> block =
            port_.AllocateInProcess(shell_->ProcessId(), kSize);
        ASSERT_NE(block, nullptr);
        address = block->Address(0);
        EXPECT_EQ(block->Address(16), address + 16);
        std::array<std::uint8_t, 16> bytes{};
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i + 1);
        ASSERT_TRUE(block->Write(32, bytes));
        std::array<std::uint8_t, 16> back{};
        ASSERT_TRUE(block->Read(32, back));
        EXPECT_EQ(back, bytes);
        ASSERT_TRUE(block->Read(0, back));
        EXPECT_EQ(back, (std::array<std::uint8_t, 16>{})) << "fresh memory reads zero";
        EXPECT_FALSE(block->Write(40, bytes)) << "past the end of the block";
        EXPECT_FALSE(block->Read(kSize + 1, back));
    }
    const UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, shell_->ProcessId()));
    ASSERT_TRUE(process);
    MEMORY_BASIC_INFORMATION info{};
    ASSERT_NE(VirtualQueryEx(process.get(), reinterpret_cast<void*>(address), &info, sizeof(info)),
              0u);
    EXPECT_EQ(info.State, static_cast<DWORD>(MEM_FREE)) << "the block was released";

    EXPECT_EQ(port_.AllocateInProcess(0, kSize), nullptr);
}

}  // namespace
}  // namespace brumo
