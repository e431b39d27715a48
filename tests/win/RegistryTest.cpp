// The registry store on the real registry, in a test section deleted
// afterwards: texts in any script are stored as REG_SZ and read back, the
// buffer limits count characters, and every key is closed.
#include <gtest/gtest.h>
#include <windows.h>

#include "settings/RegistryFunctions.h"
#include "settings/RegistryWin32.h"

namespace brumo {
namespace {

constexpr wchar_t kTestSubkey[] = L"Software\\Merelan\\Brumo\\RegistryTest";

TEST(RegistryWin32, StoresTextsAsRegSzWithinCharacterLimitsAndClosesEveryKey) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestSubkey);
    Win32Registry registry;
    const std::string section = SectionKeyPath("RegistryTest");
    const std::string text = "C:\\Снег\\雪.mp3";
    const std::wstring wide = L"C:\\\x0421\x043D\x0435\x0433\\\x96EA.mp3";
    ASSERT_TRUE(WriteRegString(registry, section + "\\Снег\\", text, text));
    EXPECT_EQ(ReadRegString(registry, section + "\\Снег", text), text);
    // UTF-16 with the terminator the system adds.
    wchar_t raw[64] = {};
    DWORD type = REG_NONE, size = sizeof raw;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER,
                           (kTestSubkey + std::wstring(L"\\\x0421\x043D\x0435\x0433")).c_str(),
                           wide.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, raw, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(raw, size / sizeof(wchar_t)), wide + L'\0');

    // Closing a key frees its handle value for the next open, so a leak shows
    // as a handle value that has moved on by the end.
    const RegHandle first = OpenRegPath(registry, section, false).Get();
    // The read buffer holds kReadBufferSize characters, whatever their bytes.
    const std::string fits = std::string(kListShorteningLength - 5, 'a') + "Жжжжж";
    ASSERT_TRUE(WriteRegString(registry, section, "Fits", fits));
    ASSERT_TRUE(WriteRegString(registry, section, "TooLong", std::string(kReadBufferSize, 'c')));
    EXPECT_TRUE(ReadRegString(registry, section, "Fits") == fits);
    EXPECT_EQ(ReadRegString(registry, section, "TooLong"), "");
    EXPECT_EQ(OpenRegPath(registry, section, false).Get(), first);
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestSubkey);
}

}  // namespace
}  // namespace brumo
