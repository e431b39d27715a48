// Text at the Windows boundary: the program's UTF-8 to and from the wide
// strings of the W functions, and to the system's ANSI code page.
#pragma once

#include <string>

namespace brumo {

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
std::string Utf8ToAnsi(const std::string& text);

}  // namespace brumo
