// The thin Windows adapters: frame timer, message loop, clock and locale,
// trace file, library probes and the show-desktop keys.
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

// The ticks seen in `forMs`, each taking `workPerTickMs` to handle.
int CountTicks(WaitableFrameTimer& timer, DWORD forMs, DWORD workPerTickMs = 0) {
    int ticks = 0;
    for (const ULONGLONG end = GetTickCount64() + forMs; GetTickCount64() < end;)
        if (WaitForSingleObject(timer.Handle(), static_cast<DWORD>(end - GetTickCount64())) ==
                WAIT_OBJECT_0 &&
            timer.Enabled()) {
            ++ticks;
            Sleep(workPerTickMs);
        }
    return ticks;
}

TEST(FrameTimer, TicksPeriodicallyWithoutBacklogAndStopsWhenDisabled) {
    WaitableFrameTimer timer;
    const struct {
        int intervalMs, workMs, least, most;
    } cases[] = {{50, 0, 15, 21}, {20, 100, 7, 11}};  // a backlog would tick in bursts
    for (const auto& c : cases) {
        ASSERT_TRUE(timer.Start(c.intervalMs));
        const int ticks = CountTicks(timer, 1000, c.workMs);
        EXPECT_TRUE(ticks >= c.least && ticks <= c.most) << ticks << " every " << c.intervalMs;
    }
    ASSERT_TRUE(timer.Start(10));
    Sleep(50);  // the timer is signalled by now
    timer.SetEnabled(false);
    WaitForSingleObject(timer.Handle(), 0);  // a tick before the cancel may still be there
    EXPECT_EQ(WaitForSingleObject(timer.Handle(), 200), static_cast<DWORD>(WAIT_TIMEOUT));
    timer.SetEnabled(true);
    EXPECT_GE(CountTicks(timer, 200), 5);
}

MessageLoop* watched = nullptr;  // ended by the watchdog when ticks stop coming

TEST(MessageLoop, TicksRunUntilQuitOrWmQuitAndTabMovesOnlyInTheDialog) {
    MessageLoop loop, posted;
    int ticks = 0;
    loop.SetTickHandler([&] {
        if (++ticks == 5) loop.Quit();
    });
    posted.SetTickHandler([&] { PostQuitMessage(0); });
    watched = &loop;
    const UINT_PTR watchdog =
        SetTimer(nullptr, 0, 2000, [](HWND, UINT, UINT_PTR, DWORD) { watched->Quit(); });
    ASSERT_TRUE(loop.Timer().Start(10) && posted.Timer().Start(10));
    loop.Run();
    posted.Run();
    KillTimer(nullptr, watchdog);
    EXPECT_EQ(ticks, 5);
    EXPECT_TRUE(posted.QuitRequested());

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
    for (HWND registered : {static_cast<HWND>(nullptr), dialog.get()}) {
        SetFocus(buttons[0]);
        loop.SetDialogWindow(registered);
        PostMessageW(buttons[0], WM_KEYDOWN, VK_TAB, 0);
        loop.DoEvents();
        EXPECT_EQ(GetFocus(), registered ? buttons[1] : buttons[0]);
    }
}

TEST(SmallAdapters, ClockLocaleLibraryProbesAndShowDesktopKeys) {
    SystemClock clock;
    SYSTEMTIME st;
    GetLocalTime(&st);
    EXPECT_NEAR(Timer(clock), st.wHour * 3600.0f + st.wMinute * 60.0f + st.wSecond, 2.0f);
    UserLocale locale;
    const LocalDateTime t{2026, 12, 6, 11, 22, 33, 0};
    EXPECT_NE(locale.ShortDate(t).find("2026"), std::string::npos);
    const std::string time = locale.TimeText(t);
    EXPECT_TRUE(time.find("22") != std::string::npos && time.find("33") != std::string::npos);
    EXPECT_TRUE(locale.DecimalSeparator() == "." || locale.DecimalSeparator() == ",");

    EXPECT_TRUE(IsLibraryAvailable("kernel32.dll") && IsLibraryAvailable("gdiplus.dll"));
    EXPECT_NE(GetModuleHandleW(L"kernel32.dll"), nullptr);
    EXPECT_FALSE(IsLibraryAvailable("brumo_no_such_library.dll"));
    EXPECT_TRUE(IsFunctionAvailable("msimg32.dll", "AlphaBlend"));
    EXPECT_TRUE(IsFunctionAvailable("msimg32.dll", ""));
    EXPECT_FALSE(IsFunctionAvailable("msimg32.dll", "NoSuchFunction"));
    EXPECT_FALSE(IsFunctionAvailable("brumo_no_such_library.dll", ""));

    ShowDesktopKeys();
    Sleep(50);
    EXPECT_EQ((GetAsyncKeyState('D') | GetAsyncKeyState(VK_LWIN)) & 0x8000, 0);
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
    EXPECT_TRUE(sink.AppendToFile(utf8Path, "first\r\n"));
    EXPECT_TRUE(sink.AppendToFile(utf8Path, "zweite Zeile \xC3\xA4\r\n"));  // a-umlaut
    EXPECT_FALSE(sink.AppendToFile("Z:\\no\\such\\folder\\t.txt", "x\r\n"));
    std::stringstream content;
    content << std::ifstream(path.c_str(), std::ios::binary).rdbuf();
    EXPECT_EQ(content.str(), "first\r\nzweite Zeile \xE4\r\n");  // ANSI (Windows-1252)
    SetEnvironmentVariableW(L"SNOW_TRACE", nullptr);
    DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace brumo
