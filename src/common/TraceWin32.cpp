#include "common/TraceWin32.h"

#include <windows.h>

#include <vector>

#include "common/HandlesWin32.h"
#include "common/TextWin32.h"

namespace brumo {

std::string EnvironmentTraceSink::TracePath() {
    const DWORD size = GetEnvironmentVariableW(L"SNOW_TRACE", nullptr, 0);
    if (size == 0) return {};
    std::vector<wchar_t> buffer(size);
    const DWORD length = GetEnvironmentVariableW(L"SNOW_TRACE", buffer.data(), size);
    if (length == 0 || length >= size) return {};
    return WideToUtf8(std::wstring(buffer.data(), length));
}

bool EnvironmentTraceSink::AppendToFile(const std::string& path, const std::string& line) {
    const UniqueFile file(CreateFileW(Utf8ToWide(path).c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const std::string bytes = Utf8ToAnsi(line);
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) != 0 &&
           written == bytes.size();
}

}  // namespace brumo
