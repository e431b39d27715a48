// The thin Windows adapters: frame timer, message loop and trace file.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "common/FrameTimerWin32.h"
#include "common/HandlesWin32.h"
#include "common/MessageLoopWin32.h"
#include "common/TraceWin32.h"

namespace brumo {
namespace {

TEST(FrameTimer, StopsWhenDisabled) {
    WaitableFrameTimer timer;
    ASSERT_TRUE(timer.Start(10));
    Sleep(50);  // the timer is signalled by now
    timer.SetEnabled(false);
    WaitForSingleObject(timer.Handle(), 0);  // a tick before the cancel may still be there
    EXPECT_EQ(WaitForSingleObject(timer.Handle(), 200), static_cast<DWORD>(WAIT_TIMEOUT));
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

TEST(EnvironmentTraceSink, AppendsAnsiLinesToTheNamedFile) {
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring path = std::wstring(folder) + L"brumo_trace_test.txt";
    DeleteFileW(path.c_str());
    EnvironmentTraceSink sink;
    SetEnvironmentVariableW(L"SNOW_TRACE", path.c_str());
    EXPECT_TRUE(sink.AppendToFile(sink.TracePath(), "Zeile \xC3\xA4\r\n"));  // a-umlaut
    std::stringstream content;
    content << std::ifstream(path.c_str(), std::ios::binary).rdbuf();
    EXPECT_EQ(content.str(), "Zeile \xE4\r\n");  // ANSI (Windows-1252)
    SetEnvironmentVariableW(L"SNOW_TRACE", nullptr);
    DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace brumo
