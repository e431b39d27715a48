// The trace file: lines appended to the file SNOW_TRACE names, in the ANSI code page.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "common/TraceWin32.h"

namespace brumo {
namespace {

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
