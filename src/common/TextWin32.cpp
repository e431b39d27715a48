#include "common/TextWin32.h"

#include <windows.h>

namespace brumo {
namespace {

std::wstring ToWide(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    const int size =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            size);
    return wide;
}

std::string FromWide(std::wstring_view text, UINT codePage) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            size, nullptr, nullptr);
    return bytes;
}

}  // namespace

std::wstring Utf8ToWide(const std::string& text) {
    return ToWide(text, CP_UTF8);
}
std::string WideToUtf8(const std::wstring& text) {
    return FromWide(text, CP_UTF8);
}
std::string Utf8ToAnsi(const std::string& text) {
    return FromWide(Utf8ToWide(text), CP_ACP);
}
std::wstring AnsiToWide(std::string_view bytes) {
    return ToWide(bytes, CP_ACP);
}
std::string WideToAnsi(std::wstring_view text) {
    return FromWide(text, CP_ACP);
}

}  // namespace brumo
