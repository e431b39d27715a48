// The thin Windows adapters: the frame timer and the trace file.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "common/FrameTimerWin32.h"
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
