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

// The value's type and bytes, read past the helpers.
std::pair<DWORD, std::wstring> QueryRaw(const wchar_t* name) {
    std::wstring text(1 << 15, L'\0');
    DWORD type = REG_NONE, size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, kTestSubkey, name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                     text.data(), &size) != ERROR_SUCCESS)
        return {REG_NONE, L""};
    text.resize(size / sizeof(wchar_t));
    return {type, text};
}

class RegistryWin32 : public ::testing::Test {
  protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestSubkey); }
    Win32Registry registry;
    const std::string section = SectionKeyPath("RegistryTest");
};

TEST_F(RegistryWin32, TextsInAnyScriptReadBackAndAreStoredAsRegSz) {
    const std::string text = "C:\\Снег\\雪.mp3";
    const std::wstring wide = L"C:\\\x0421\x043D\x0435\x0433\\\x96EA.mp3";
    ASSERT_TRUE(WriteRegString(registry, section + "\\Снег\\", text, text));
    EXPECT_EQ(ReadRegString(registry, section + "\\Снег", text), text);
    ASSERT_TRUE(WriteRegString(registry, section, text, text));
    // UTF-16 with the terminator the system adds.
    EXPECT_EQ(QueryRaw(wide.c_str()), std::make_pair(DWORD{REG_SZ}, wide + L'\0'));
}

TEST_F(RegistryWin32, BufferLimitsCountCharacters) {
    const std::string fits = std::string(kListShorteningLength - 5, 'a') + "Жжжжж";
    ASSERT_TRUE(WriteRegString(registry, section, "Fits", fits));
    ASSERT_TRUE(WriteRegString(registry, section, "TooLong", std::string(kReadBufferSize, 'c')));
    EXPECT_TRUE(ReadRegString(registry, section, "Fits") == fits);
    EXPECT_EQ(ReadRegString(registry, section, "TooLong"), "");
}

// Closing a key frees its handle value for the next open, so a leak shows
// as a handle value that keeps growing.
TEST_F(RegistryWin32, EveryKeyIsClosed) {
    ASSERT_TRUE(WriteRegString(registry, section + "\\A\\B", "Value", "1"));
    const RegHandle first = OpenRegPath(registry, section + "\\A\\B", false).Get();
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(WriteRegString(registry, section + "\\A\\B", "Value", std::to_string(i)));
        EXPECT_EQ(ReadRegString(registry, section + "\\A\\B", "Value"), std::to_string(i));
    }
    EXPECT_EQ(OpenRegPath(registry, section + "\\A\\B", false).Get(), first);
}

}  // namespace
}  // namespace brumo
