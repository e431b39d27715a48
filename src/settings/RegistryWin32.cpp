#include "settings/RegistryWin32.h"

#include <windows.h>

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

// Values of these types hold UTF-16 text; any other type is raw bytes.
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
bool Win32Registry::SetTextValue(RegHandle key, const std::string& name, std::string_view text) {
    const std::wstring wideName = Utf8ToWide(name);
    const std::wstring wide = Utf8ToWide(std::string(text));
    const auto size = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
    return RegSetValueExW(ToHkey(key), wideName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.data()), size) == ERROR_SUCCESS;
}

std::optional<std::string> Win32Registry::QueryText(RegHandle key, const std::string& name,
                                                    std::size_t capacity) {
    std::vector<wchar_t> data(capacity);
    auto size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    DWORD type = REG_NONE;
    const std::wstring wideName = Utf8ToWide(name);
    if (RegQueryValueExW(ToHkey(key), wideName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (IsTextType(type)) return WideToUtf8(std::wstring(data.data(), size / sizeof(wchar_t)));
    // Other types: their raw bytes, one character each, as the ANSI
    // function hands them out.
    if (size > capacity) return std::nullopt;
    return WideToUtf8(
        AnsiToWide(std::string_view(reinterpret_cast<const char*>(data.data()), size)));
}

void Win32Registry::CloseKey(RegHandle key) {
    if (!IsPredefined(key)) RegCloseKey(ToHkey(key));
}

}  // namespace brumo
