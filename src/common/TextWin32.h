// Text at the Windows boundary: the program's UTF-8 to and from the wide
// strings of the W functions, and to the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace brumo {

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
std::string Utf8ToAnsi(const std::string& text);
// Bytes in the system's ANSI code page to and from wide text; embedded NULs
// are kept.
std::wstring AnsiToWide(std::string_view bytes);
std::string WideToAnsi(std::wstring_view text);

}  // namespace brumo
