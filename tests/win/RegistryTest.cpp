// The registry store on the real registry: values written by the helpers must
// read back, and must show in the system's own `reg query` as plain REG_SZ
// texts. The values go to the program's settings key (under test-only names,
// deleted afterwards) and to a test section that is deleted afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ProcessCounters.h"
#include "common/TextWin32.h"
#include "settings/RegistryFunctions.h"
#include "settings/RegistryWin32.h"

namespace brumo {
namespace {

constexpr wchar_t kSettingsSubkey[] = L"Software\\Merelan\\Brumo\\Settings";
constexpr wchar_t kTestSubkey[] = L"Software\\Merelan\\Brumo\\RegistryTest";
constexpr DWORD kRawBufferBytes = 1 << 16;
using test::CountOwnHandles;

// Only characters that every Western ANSI and OEM code page holds.
constexpr char kNonAscii[] = "Grüße aus Zürich, élan";

struct TextCase {
    const char* name;
    std::string written;
    std::string read;  // leading and trailing blanks are dropped on reading
};
const std::vector<TextCase> kSettingsCases = {{"RegistryTestNumber", "300", "300"},
                                              {"RegistryTestEmpty", "", ""},
                                              {"RegistryTestText", kNonAscii, kNonAscii},
                                              {"RegistryTestPadded", " 42 ", "42"}};

using RawValue = std::pair<DWORD, std::vector<BYTE>>;

// The value's type and bytes as the registry keeps them, read past the
// helpers; REG_NONE and no bytes when there is no such value.
RawValue QueryRaw(const wchar_t* subkey, const wchar_t* name) {
    RawValue value{REG_NONE, std::vector<BYTE>(kRawBufferBytes)};
    DWORD size = kRawBufferBytes;
    if (RegGetValueW(HKEY_CURRENT_USER, subkey, name, RRF_RT_ANY | RRF_NOEXPAND, &value.first,
                     value.second.data(), &size) != ERROR_SUCCESS)
        return {REG_NONE, {}};
    value.second.resize(size);
    return value;
}

// A text as the registry keeps it after the helpers wrote it: their byte
// count leaves the NUL out, and the system, finding a NUL right after the
// counted text, stores that terminator with it.
std::vector<BYTE> StoredText(const std::string& text) {
    const std::wstring wide = Utf8ToWide(text) + L'\0';
    const auto* bytes = reinterpret_cast<const BYTE*>(wide.data());
    return std::vector<BYTE>(bytes, bytes + wide.size() * sizeof(wchar_t));
}

// `reg.exe query HKCU\<subkey> /s` (the key and all below it) through the
// command processor: its exit code and its output read as text, decoded from
// the console's code page.
struct PipeCloser {
    int* exitCode;
    void operator()(FILE* pipe) const { *exitCode = _pclose(pipe); }
};
std::pair<int, std::string> RunRegQuery(const std::wstring& subkey) {
    std::pair<int, std::string> run{-1, ""};
    const std::string command = "reg.exe query \"HKCU\\" + WideToUtf8(subkey) + "\" /s 2>&1";
    std::unique_ptr<FILE, PipeCloser> pipe(_popen(command.c_str(), "r"), {&run.first});
    std::string bytes;
    char chunk[4096];
    for (std::size_t got; pipe && (got = std::fread(chunk, 1, sizeof chunk, pipe.get())) > 0;)
        bytes.append(chunk, got);
    pipe.reset();
    std::wstring wide(bytes.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(GetOEMCP(), 0, bytes.data(), static_cast<int>(bytes.size()),
                            wide.data(), static_cast<int>(wide.size()))));
    run.second = WideToUtf8(wide);
    return run;
}

// Whether the output lists the value as a REG_SZ text with exactly that data.
bool ListsText(const std::string& output, const std::string& name, const std::string& data) {
    return output.find("\n    " + name + "    REG_SZ    " + data + "\n") != std::string::npos;
}

class RegistryWin32 : public ::testing::Test {
  protected:
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestSubkey);
        for (const TextCase& c : kSettingsCases)
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsSubkey, Utf8ToWide(c.name).c_str());
    }

    Win32Registry registry;
    const std::string testSection = SectionKeyPath("RegistryTest");
};

TEST_F(RegistryWin32, ValuesReadBackAndShowAsRegSzText) {
    for (const TextCase& c : kSettingsCases)
        ASSERT_TRUE(WriteRegString(registry, kSettingsKeyPath, c.name, c.written));
    // A section is created level by level, with or without a closing '\\'.
    const std::string nested = testSection + "\\Deeper\\Deepest";
    ASSERT_TRUE(WriteRegString(registry, nested, "Path", "C:\\Musik\\Schnee.mp3"));
    ASSERT_TRUE(WriteRegString(registry, testSection + "\\", "LastUpdate", "20261206"));
    EXPECT_EQ(ReadRegString(registry, nested, "Path"), "C:\\Musik\\Schnee.mp3");
    EXPECT_EQ(ReadRegString(registry, testSection, "LastUpdate"), "20261206");
    EXPECT_EQ(ReadRegString(registry, kSettingsKeyPath, "RegistryTestMissing"), "");

    const auto [exitCode, output] = RunRegQuery(L"Software\\Merelan\\Brumo");
    ASSERT_EQ(exitCode, 0) << output;
    EXPECT_TRUE(ListsText(output, "LastUpdate", "20261206")) << output;
    EXPECT_NE(output.find("RegistryTest\\Deeper\\Deepest\n"), std::string::npos) << output;
    for (const TextCase& c : kSettingsCases) {
        EXPECT_EQ(ReadRegString(registry, kSettingsKeyPath, c.name), c.read);
        // Stored as REG_SZ texts; the empty text as one NUL.
        EXPECT_EQ(QueryRaw(kSettingsSubkey, Utf8ToWide(c.name).c_str()),
                  RawValue(REG_SZ, StoredText(c.written)))
            << c.name;
        EXPECT_TRUE(ListsText(output, c.name, c.written)) << output;
    }
}

TEST_F(RegistryWin32, ReadingAndUnknownRootsCreateNothing) {
    // The icon-size key of every user profile, opened down to its last level.
    EXPECT_TRUE(
        OpenRegPath(registry, "HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics", false));
    EXPECT_FALSE(OpenRegPath(registry, testSection + "\\Missing", false));
    EXPECT_EQ(ReadRegString(registry, testSection + "\\Missing", "Value"), "");
    EXPECT_FALSE(WriteRegString(registry, "HKEY_USERS\\Software", "Value", "1"));
    EXPECT_FALSE(
        WriteRegString(registry, "HKCU\\Software\\Merelan\\Brumo\\RegistryTest", "Value", "1"));
    EXPECT_FALSE(WriteRegString(registry, "HKEY_CURRENT_USER", "RegistryTestValue", "1"));
    EXPECT_EQ(QueryRaw(L"", L"RegistryTestValue").first, static_cast<DWORD>(REG_NONE));
    // No key was made: there is nothing to delete.
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, kTestSubkey), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryWin32, ReadBufferAndLongLists) {
    // With its terminator the longest list just fits the buffer; one
    // character more and it is written whole but reads as empty.
    const std::string fits(kListShorteningLength, 'a');
    const std::string tooLong(kReadBufferSize, 'c');
    ASSERT_TRUE(WriteRegString(registry, testSection, "Fits", fits));
    ASSERT_TRUE(WriteRegString(registry, testSection, "TooLong", tooLong));
    EXPECT_EQ(ReadRegString(registry, testSection, "Fits"), fits);
    EXPECT_EQ(ReadRegString(registry, testSection, "TooLong"), "");
    EXPECT_EQ(QueryRaw(kTestSubkey, L"TooLong").second, StoredText(tooLong));

    // A list is stored up to its last whole entry (10 characters each).
    std::string list;
    for (int i = 0; i < 2000; ++i) list += "entry" + std::to_string(10000 + i).substr(1) + ";";
    ASSERT_TRUE(WriteRegString(registry, testSection, "List", list));
    const std::string kept = list.substr(0, kListShorteningLength / 10 * 10 - 1);
    EXPECT_EQ(QueryRaw(kTestSubkey, L"List").second, StoredText(kept));
    EXPECT_EQ(ReadRegString(registry, testSection, "List"), kept);

    // A text some other program stored without terminator fills the buffer
    // exactly and loses its last character ('x' keeps the system from adding
    // a NUL).
    const std::wstring full = std::wstring(kReadBufferSize, L'b') + L'x';
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kTestSubkey, L"Full", REG_SZ, full.data(),
                              kReadBufferSize * sizeof(wchar_t)),
              ERROR_SUCCESS);
    ASSERT_EQ(QueryRaw(kTestSubkey, L"Full").second.size(), kReadBufferSize * sizeof(wchar_t));
    EXPECT_EQ(ReadRegString(registry, testSection, "Full"), std::string(kReadBufferSize - 1, 'b'));

    // The type is not checked: a number's raw bytes come back as they are.
    const DWORD digits = 0x00323334;  // "432" and a NUL in memory order
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kTestSubkey, L"Number", REG_DWORD, &digits,
                              sizeof digits),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadRegString(registry, testSection, "Number"), "432");
}

TEST_F(RegistryWin32, EveryKeyHandleIsClosed) {
    // The first write also opens the user's root key, which stays open.
    ASSERT_TRUE(WriteRegString(registry, testSection + "\\A\\B", "Value", "1"));
    const std::size_t handles = CountOwnHandles();
    ASSERT_GT(handles, 0u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(WriteRegString(registry, testSection + "\\A\\B\\", "Value", std::to_string(i)));
        EXPECT_EQ(ReadRegString(registry, testSection + "\\A\\B", "Value"), std::to_string(i));
        EXPECT_EQ(ReadRegString(registry, testSection + "\\A\\Missing", "Value"), "");
        EXPECT_EQ(ReadRegString(registry, testSection + "\\A\\B", "Missing"), "");
        EXPECT_TRUE(OpenRegPath(registry, "HKEY_CURRENT_USER\\Control Panel\\Desktop", false));
    }
    EXPECT_EQ(CountOwnHandles(), handles) << "key handles were left open";
}

}  // namespace
}  // namespace brumo
