// The thin Windows adapters: frame timer, clock and locale, trace file,
// library probes and the show-desktop keys.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "animation/ShowDesktopKeysWin32.h"
#include "common/ClockWin32.h"
#include "common/FrameTimerWin32.h"
#include "common/HandlesWin32.h"
#include "common/LibraryProbeWin32.h"
#include "common/MessageLoopWin32.h"
#include "common/TraceWin32.h"

namespace brumo {
namespace {

int CountTicks(WaitableFrameTimer& timer, DWORD forMs, DWORD workPerTickMs = 0) {
    int ticks = 0;
    const ULONGLONG end = GetTickCount64() + forMs;
    while (GetTickCount64() < end) {
        const HANDLE handle = timer.Handle();
        const DWORD left = static_cast<DWORD>(end - GetTickCount64());
        if (WaitForSingleObject(handle, left) == WAIT_OBJECT_0 && timer.Enabled()) {
            ++ticks;
            if (workPerTickMs > 0) Sleep(workPerTickMs);
        }
    }
    return ticks;
}

TEST(FrameTimer, TicksPeriodicallyWithoutBacklogAndStopsWhenDisabled) {
    WaitableFrameTimer timer;
    ASSERT_TRUE(timer.Start(50));
    const int ticks = CountTicks(timer, 1000);
    EXPECT_GE(ticks, 15);
    EXPECT_LE(ticks, 21);
    // Each "frame" takes 100 ms: a backlog would deliver a burst of ticks.
    ASSERT_TRUE(timer.Start(20));
    const int slow = CountTicks(timer, 1000, 100);
    EXPECT_GE(slow, 7);
    EXPECT_LE(slow, 11);
    ASSERT_TRUE(timer.Start(10));
    Sleep(50);  // the timer is signalled by now
    timer.SetEnabled(false);
    EXPECT_EQ(CountTicks(timer, 200), 0);
    timer.SetEnabled(true);
    EXPECT_GE(CountTicks(timer, 200), 5);
}

MessageLoop* watched = nullptr;  // ended by the watchdog when ticks stop coming

TEST(MessageLoop, TicksRunOnTheLoopUntilQuitOrWmQuit) {
    MessageLoop loop;
    int ticks = 0;
    loop.SetTickHandler([&] {
        if (++ticks == 5) loop.Quit();
    });
    watched = &loop;
    const UINT_PTR watchdog =
        SetTimer(nullptr, 0, 2000, [](HWND, UINT, UINT_PTR, DWORD) { watched->Quit(); });
    ASSERT_TRUE(loop.Timer().Start(10));
    loop.Run();
    KillTimer(nullptr, watchdog);
    EXPECT_EQ(ticks, 5);

    MessageLoop posted;
    posted.SetTickHandler([&] { PostQuitMessage(0); });
    ASSERT_TRUE(posted.Timer().Start(10));
    posted.Run();
    EXPECT_TRUE(posted.QuitRequested());
}

TEST(MessageLoop, TabMovesTheFocusOnlyInTheRegisteredDialog) {
    const UniqueWindowHandle dialog(CreateWindowExW(WS_EX_CONTROLPARENT, L"#32770", L"Tabs",
                                                    WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                                    nullptr, nullptr, nullptr));
    ASSERT_TRUE(dialog);
    HWND buttons[2];
    for (int i = 0; i < 2; ++i)
        buttons[i] =
            CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10 + 60 * i, 10,
                            50, 20, dialog.get(), nullptr, nullptr, nullptr);
    SetForegroundWindow(dialog.get());
    MessageLoop loop;
    for (HWND registered : {static_cast<HWND>(nullptr), dialog.get()}) {
        SetFocus(buttons[0]);
        loop.SetDialogWindow(registered);
        PostMessageW(buttons[0], WM_KEYDOWN, VK_TAB, 0);
        loop.DoEvents();
        EXPECT_EQ(GetFocus(), registered ? buttons[1] : buttons[0]);
    }
}

TEST(SystemClockAndUserLocale, FollowTheLocalTimeAndTheUsersFormats) {
    SystemClock clock;
    SYSTEMTIME st;
    GetLocalTime(&st);
    EXPECT_NEAR(Timer(clock), st.wHour * 3600.0f + st.wMinute * 60.0f + st.wSecond, 2.0f);
    UserLocale locale;
    const LocalDateTime t{2026, 12, 6, 11, 22, 33, 0};
    EXPECT_NE(locale.ShortDate(t).find("2026"), std::string::npos);
    EXPECT_NE(locale.TimeText(t).find("22"), std::string::npos);
    EXPECT_NE(locale.TimeText(t).find("33"), std::string::npos);
    EXPECT_TRUE(locale.DecimalSeparator() == "." || locale.DecimalSeparator() == ",");
}

TEST(EnvironmentTraceSink, AppendsAnsiLinesToTheNamedFile) {
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring path = std::wstring(folder) + L"brumo_trace_test.txt";
    DeleteFileW(path.c_str());
    EnvironmentTraceSink sink;
    SetEnvironmentVariableW(L"SNOW_TRACE", nullptr);
    EXPECT_EQ(sink.TracePath(), "");
    SetEnvironmentVariableW(L"SNOW_TRACE", path.c_str());
    const std::string utf8Path = sink.TracePath();
    ASSERT_FALSE(utf8Path.empty());
    ASSERT_TRUE(sink.AppendToFile(utf8Path, "first\r\n"));
    ASSERT_TRUE(sink.AppendToFile(utf8Path, "zweite Zeile \xC3\xA4\r\n"));  // a-umlaut
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), "first\r\nzweite Zeile \xE4\r\n");  // ANSI (Windows-1252)
    EXPECT_FALSE(sink.AppendToFile("Z:\\no\\such\\folder\\t.txt", "x\r\n"));
    SetEnvironmentVariableW(L"SNOW_TRACE", nullptr);
    DeleteFileW(path.c_str());
}

TEST(LibraryProbes, AnswerAndLeaveLoadedLibrariesAlone) {
    EXPECT_TRUE(IsLibraryAvailable("kernel32.dll"));
    EXPECT_NE(GetModuleHandleW(L"kernel32.dll"), nullptr);
    EXPECT_TRUE(IsLibraryAvailable("gdiplus.dll"));
    EXPECT_FALSE(IsLibraryAvailable("brumo_no_such_library.dll"));
    EXPECT_TRUE(IsFunctionAvailable("msimg32.dll", "AlphaBlend"));
    EXPECT_TRUE(IsFunctionAvailable("msimg32.dll", ""));
    EXPECT_FALSE(IsFunctionAvailable("msimg32.dll", "NoSuchFunction"));
    EXPECT_FALSE(IsFunctionAvailable("brumo_no_such_library.dll", ""));
}

TEST(ShowDesktopKeys, LeavesNoKeyHeldDown) {
    ShowDesktopKeys();
    Sleep(50);
    EXPECT_EQ(GetAsyncKeyState('D') & 0x8000, 0);
    EXPECT_EQ(GetAsyncKeyState(VK_LWIN) & 0x8000, 0);
}

}  // namespace
}  // namespace brumo
