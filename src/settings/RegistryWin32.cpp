#include "settings/RegistryWin32.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/TextWin32.h"

namespace brumo {
namespace {

bool IsPredefined(RegHandle handle) {
    return handle == kHkeyCurrentUser || handle == kHkeyLocalMachine || handle == kHkeyClassesRoot;
}

HKEY ToHkey(RegHandle handle) {
    if (handle == kHkeyCurrentUser) return HKEY_CURRENT_USER;
    if (handle == kHkeyLocalMachine) return HKEY_LOCAL_MACHINE;
    if (handle == kHkeyClassesRoot) return HKEY_CLASSES_ROOT;
    return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(handle));
}

RegHandle FromHkey(HKEY key) {
    return static_cast<RegHandle>(reinterpret_cast<std::uintptr_t>(key));
}

// Text values come back in the ANSI code page, as the ANSI registry
// functions give them; other types as their raw bytes.
bool IsTextType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

}  // namespace

std::optional<RegHandle> Win32Registry::OpenKey(RegHandle parent, const std::string& name) {
    HKEY key = nullptr;
    const std::wstring wideName = Utf8ToWide(name);
    if (RegOpenKeyExW(ToHkey(parent), wideName.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    return FromHkey(key);
}

std::optional<RegHandle> Win32Registry::CreateKey(RegHandle parent, const std::string& name,
                                                  std::uint32_t access) {
    HKEY key = nullptr;
    const std::wstring wideName = Utf8ToWide(name);
    if (RegCreateKeyExW(ToHkey(parent), wideName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        access, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return FromHkey(key);
}

// The byte count leaves out the NUL that ends the wide copy; the system, as
// for any REG_SZ whose counted text is followed by a NUL, stores it with the
// text, so other registry tools see a well-formed string.
bool Win32Registry::SetTextValue(RegHandle key, const std::string& name, std::string_view data) {
    const std::wstring wideName = Utf8ToWide(name);
    const std::wstring text = AnsiToWide(data);
    const auto size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    return RegSetValueExW(ToHkey(key), wideName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.data()), size) == ERROR_SUCCESS;
}

bool Win32Registry::QueryValue(RegHandle key, const std::string& name, std::span<char> buffer) {
    // A text that fits the buffer in ANSI bytes has at most as many UTF-16
    // units, so a larger value is refused by the registry itself.
    std::vector<wchar_t> data(buffer.size());
    auto size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    DWORD type = REG_NONE;
    const std::wstring wideName = Utf8ToWide(name);
    if (RegQueryValueExW(ToHkey(key), wideName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return false;
    std::string bytes;
    if (IsTextType(type)) {
        bytes = WideToAnsi(std::wstring_view(data.data(), size / sizeof(wchar_t)));
    } else {
        const auto* raw = reinterpret_cast<const char*>(data.data());
        bytes.assign(raw, raw + size);
    }
    if (bytes.size() > buffer.size()) return false;
    std::copy(bytes.begin(), bytes.end(), buffer.begin());
    return true;
}

void Win32Registry::CloseKey(RegHandle key) {
    if (!IsPredefined(key)) RegCloseKey(ToHkey(key));
}

std::string Win32Registry::ToAnsi(const std::string& text) {
    return Utf8ToAnsi(text);
}

std::string Win32Registry::FromAnsi(const std::string& bytes) {
    return WideToUtf8(AnsiToWide(bytes));
}

}  // namespace brumo
