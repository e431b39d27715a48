// The registry store on the real registry: texts in any script read back,
// and what is stored is the plain REG_SZ text the system's own tools show.
// Everything goes to a test section that is deleted afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>

#include "ProcessCounters.h"
#include "common/TextWin32.h"
#include "settings/RegistryFunctions.h"
#include "settings/RegistryWin32.h"

namespace brumo {
namespace {

constexpr wchar_t kTestSubkey[] = L"Software\\Merelan\\Brumo\\RegistryTest";
using test::CountOwnHandles;

// The value's type and bytes, read past the helpers.
std::pair<DWORD, std::vector<BYTE>> QueryRaw(const wchar_t* name) {
    std::vector<BYTE> bytes(1 << 16);
    DWORD type = REG_NONE, size = static_cast<DWORD>(bytes.size());
    if (RegGetValueW(HKEY_CURRENT_USER, kTestSubkey, name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                     bytes.data(), &size) != ERROR_SUCCESS)
        return {REG_NONE, {}};
    bytes.resize(size);
    return {type, bytes};
}

// A text as the registry keeps it: UTF-16 with the terminator the system adds.
std::vector<BYTE> StoredText(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
}

std::string RegQueryOutput() {
    const std::string command = "reg.exe query \"HKCU\\" + WideToUtf8(kTestSubkey) + "\" 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(_popen(command.c_str(), "r"), _pclose);
    std::string output;
    char chunk[4096];
    for (std::size_t got; pipe && (got = std::fread(chunk, 1, sizeof chunk, pipe.get())) > 0;)
        output.append(chunk, got);
    return output;
}

class RegistryWin32 : public ::testing::Test {
  protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestSubkey); }
    Win32Registry registry;
    const std::string section = SectionKeyPath("RegistryTest");
};

TEST_F(RegistryWin32, TextsInAnyScriptReadBackAndAreStoredAsRegSz) {
    const std::pair<const char*, std::wstring> cases[] = {
        {"C:\\Музыка\\Снег.mp3",
         L"C:\\\x041C\x0443\x0437\x044B\x043A\x0430\\\x0421\x043D\x0435\x0433.mp3"},
        {"C:\\音乐\\雪.mp3", L"C:\\\x97F3\x4E50\\\x96EA.mp3"},
        {"", L""}};
    for (const auto& [text, wide] : cases) {
        ASSERT_TRUE(WriteRegString(registry, section + "\\Снег\\", text, text));
        EXPECT_EQ(ReadRegString(registry, section + "\\Снег", text), text);
        ASSERT_TRUE(WriteRegString(registry, section, text, text));
        EXPECT_EQ(QueryRaw(wide.c_str()), std::make_pair(DWORD{REG_SZ}, StoredText(wide)));
    }
    ASSERT_TRUE(WriteRegString(registry, section, "Count", "300"));
    EXPECT_EQ(QueryRaw(L"Count"), std::make_pair(DWORD{REG_SZ}, StoredText(L"300")));
    EXPECT_NE(RegQueryOutput().find("    Count    REG_SZ    300"), std::string::npos);
}

TEST_F(RegistryWin32, BufferLimitsCountCharactersAndTheTypeIsNotChecked) {
    const std::string fits = std::string(kListShorteningLength - 5, 'a') + "Жжжжж";
    ASSERT_TRUE(WriteRegString(registry, section, "Fits", fits));
    ASSERT_TRUE(WriteRegString(registry, section, "TooLong", std::string(kReadBufferSize, 'c')));
    EXPECT_TRUE(ReadRegString(registry, section, "Fits") == fits);
    EXPECT_EQ(ReadRegString(registry, section, "TooLong"), "");
    // Stored by another program without terminator ('x' keeps the system from
    // adding one): fills the buffer and loses its last character.
    const std::wstring full = std::wstring(kReadBufferSize, L'b') + L'x';
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kTestSubkey, L"Full", REG_SZ, full.data(),
                              kReadBufferSize * sizeof(wchar_t)),
              ERROR_SUCCESS);
    EXPECT_TRUE(ReadRegString(registry, section, "Full") == std::string(kReadBufferSize - 1, 'b'));
    const DWORD digits = 0x00323334;  // "432" and a NUL in memory order
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kTestSubkey, L"Number", REG_DWORD, &digits,
                              sizeof digits),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadRegString(registry, section, "Number"), "432");
}

TEST_F(RegistryWin32, ReadingCreatesNothingAndEveryKeyIsClosed) {
    EXPECT_TRUE(
        OpenRegPath(registry, "HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics", false));
    EXPECT_EQ(ReadRegString(registry, section + "\\Missing", "Value"), "");
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, kTestSubkey), ERROR_FILE_NOT_FOUND);
    // Closing a key frees its handle value for the next open, so a leak
    // shows as a handle value that keeps growing.
    ASSERT_TRUE(WriteRegString(registry, section + "\\A\\B", "Value", "1"));
    const RegHandle first = OpenRegPath(registry, section + "\\A\\B", false).Get();
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(WriteRegString(registry, section + "\\A\\B\\", "Value", std::to_string(i)));
        EXPECT_EQ(ReadRegString(registry, section + "\\A\\B", "Value"), std::to_string(i));
        EXPECT_EQ(ReadRegString(registry, section + "\\A\\B", "Missing"), "");
    }
    EXPECT_EQ(OpenRegPath(registry, section + "\\A\\B", false).Get(), first);
}

}  // namespace
}  // namespace brumo
