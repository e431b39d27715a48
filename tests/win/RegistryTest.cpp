// The registry store on the real registry: values written by the helpers must
// read back, and must show in the system's own `reg query` as plain REG_SZ
// texts. The values go to the program's settings key (under test-only names,
// deleted afterwards) and to a test section that is deleted afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "common/HandlesWin32.h"
#include "common/TextWin32.h"
#include "settings/RegistryFunctions.h"
#include "settings/RegistryWin32.h"

namespace brumo {
namespace {

constexpr wchar_t kSettingsSubkey[] = L"Software\\Merelan\\Brumo\\Settings";
constexpr wchar_t kTestSubkey[] = L"Software\\Merelan\\Brumo\\RegistryTest";
constexpr wchar_t kTestRegPath[] = L"HKCU\\Software\\Merelan\\Brumo\\RegistryTest";
constexpr wchar_t kSettingsRegPath[] = L"HKCU\\Software\\Merelan\\Brumo\\Settings";
constexpr DWORD kRegToolTimeoutMs = 30000;

// Only characters that every Western ANSI and OEM code page holds.
constexpr char kNonAscii[] = "Grüße aus Zürich, élan";
const std::vector<const char*> kSettingsNames = {"RegistryTestNumber", "RegistryTestEmpty",
                                                 "RegistryTestText", "RegistryTestPadded"};

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueHkey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

UniqueHkey OpenRaw(const wchar_t* subkey, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subkey, 0, access, &key) != ERROR_SUCCESS) return {};
    return UniqueHkey(key);
}

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// The value as the registry keeps it, read past the helpers.
std::optional<RawValue> QueryRaw(const wchar_t* subkey, const std::string& name) {
    const UniqueHkey key = OpenRaw(subkey, KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    const std::wstring wideName = Utf8ToWide(name);
    RawValue value;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &value.type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    if (RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &value.type, value.data.data(),
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

std::vector<BYTE> WideBytes(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
    return std::vector<BYTE>(bytes, bytes + text.size() * sizeof(wchar_t));
}

// A text as the registry keeps it after the helpers wrote it: their byte
// count leaves the NUL out, and the system, finding a NUL right after the
// counted text, stores that terminator with it.
std::vector<BYTE> StoredText(const std::string& text) {
    return WideBytes(Utf8ToWide(text) + L'\0');
}

// Runs `reg.exe query <path>` and answers its exit code and standard output.
struct ToolRun {
    DWORD exitCode = 1;
    std::string output;
};

ToolRun RunRegQuery(const std::wstring& path) {
    ToolRun run;
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
    const UniqueKernelHandle reader(readEnd);
    UniqueKernelHandle writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    const UniqueKernelHandle input(
        CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ, &inherit, OPEN_EXISTING, 0, nullptr));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"reg.exe query \"" + path + L"\"";
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process))
        return run;
    const UniqueKernelHandle processHandle(process.hProcess);
    const UniqueKernelHandle threadHandle(process.hThread);
    writer.reset();  // the pipe ends when the tool's copy closes

    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0)
        run.output.append(chunk, got);
    if (WaitForSingleObject(process.hProcess, kRegToolTimeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &run.exitCode);
    return run;
}

struct ListedValue {
    std::string type;
    std::string data;
};

// The value lines of `reg query` output, "    <name>    <type>    <data>",
// with the text decoded from the console's code page into UTF-8.
std::map<std::string, ListedValue> ParseRegQuery(const std::string& output, UINT codePage) {
    const std::string indent(4, ' ');
    std::map<std::string, ListedValue> values;
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        std::string line = output.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, indent.size(), indent) != 0) continue;
        line.erase(0, indent.size());
        const std::size_t nameEnd = line.find(indent);
        if (nameEnd == std::string::npos) continue;
        const std::size_t typeStart = nameEnd + indent.size();
        const std::size_t typeEnd = line.find(indent, typeStart);
        ListedValue value;
        value.type = line.substr(
            typeStart, typeEnd == std::string::npos ? std::string::npos : typeEnd - typeStart);
        if (typeEnd != std::string::npos) {
            const std::string data = line.substr(typeEnd + indent.size());
            const int size = MultiByteToWideChar(codePage, 0, data.data(),
                                                 static_cast<int>(data.size()), nullptr, 0);
            std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
            if (size > 0)
                MultiByteToWideChar(codePage, 0, data.data(), static_cast<int>(data.size()),
                                    wide.data(), size);
            value.data = WideToUtf8(wide);
        }
        values[line.substr(0, nameEnd)] = value;
    }
    return values;
}

// The real backend, checking at each close that the key handle is gone.
class CheckedRegistry : public Win32Registry {
  public:
    int opened = 0;
    int closed = 0;
    int stillOpenAfterClose = 0;

    std::optional<RegHandle> OpenKey(RegHandle parent, const std::string& name) override {
        return Count(Win32Registry::OpenKey(parent, name));
    }
    std::optional<RegHandle> CreateKey(RegHandle parent, const std::string& name,
                                       std::uint32_t access) override {
        return Count(Win32Registry::CreateKey(parent, name, access));
    }
    void CloseKey(RegHandle key) override {
        Win32Registry::CloseKey(key);
        ++closed;
        const auto hkey = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key));
        DWORD values = 0;
        if (RegQueryInfoKeyW(hkey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                             nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            ++stillOpenAfterClose;
    }

  private:
    std::optional<RegHandle> Count(std::optional<RegHandle> key) {
        if (key) ++opened;
        return key;
    }
};

class RegistryWin32 : public ::testing::Test {
  protected:
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestSubkey);
        if (const UniqueHkey settings = OpenRaw(kSettingsSubkey, KEY_SET_VALUE))
            for (const char* name : kSettingsNames)
                RegDeleteValueW(settings.get(), Utf8ToWide(name).c_str());
    }

    Win32Registry registry;
    const std::string testSection = SectionKeyPath("RegistryTest");
};

TEST_F(RegistryWin32, SettingsValuesReadBackAndShowAsRegSzText) {
    ASSERT_TRUE(WriteRegString(registry, kSettingsKeyPath, "RegistryTestNumber", "300"));
    ASSERT_TRUE(WriteRegString(registry, kSettingsKeyPath, "RegistryTestEmpty", ""));
    ASSERT_TRUE(WriteRegString(registry, kSettingsKeyPath, "RegistryTestText", kNonAscii));
    ASSERT_TRUE(WriteRegString(registry, kSettingsKeyPath, "RegistryTestPadded", " 42 "));

    EXPECT_EQ(ReadRegString(registry, kSettingsKeyPath, "RegistryTestNumber"), "300");
    EXPECT_EQ(ReadRegString(registry, kSettingsKeyPath, "RegistryTestEmpty"), "");
    EXPECT_EQ(ReadRegString(registry, kSettingsKeyPath, "RegistryTestText"), kNonAscii);
    EXPECT_EQ(ReadRegString(registry, kSettingsKeyPath, "RegistryTestPadded"), "42");
    EXPECT_EQ(ReadRegString(registry, kSettingsKeyPath, "RegistryTestMissing"), "");

    // Stored as REG_SZ texts; the empty text as one NUL.
    const auto number = QueryRaw(kSettingsSubkey, "RegistryTestNumber");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(number->data, StoredText("300"));
    const auto empty = QueryRaw(kSettingsSubkey, "RegistryTestEmpty");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(empty->data, WideBytes(std::wstring(1, L'\0')));
    const auto text = QueryRaw(kSettingsSubkey, "RegistryTestText");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(text->data, StoredText(kNonAscii));

    const ToolRun run = RunRegQuery(kSettingsRegPath);
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    const auto listed = ParseRegQuery(run.output, GetOEMCP());
    ASSERT_EQ(listed.count("RegistryTestNumber"), 1u) << run.output;
    ASSERT_EQ(listed.count("RegistryTestEmpty"), 1u) << run.output;
    ASSERT_EQ(listed.count("RegistryTestText"), 1u) << run.output;
    EXPECT_EQ(listed.at("RegistryTestNumber").type, "REG_SZ");
    EXPECT_EQ(listed.at("RegistryTestNumber").data, "300");
    EXPECT_EQ(listed.at("RegistryTestEmpty").type, "REG_SZ");
    EXPECT_EQ(listed.at("RegistryTestEmpty").data, "");
    EXPECT_EQ(listed.at("RegistryTestText").type, "REG_SZ");
    EXPECT_EQ(listed.at("RegistryTestText").data, kNonAscii) << run.output;
    EXPECT_EQ(listed.at("RegistryTestPadded").data, " 42 ");
}

TEST_F(RegistryWin32, SectionIsCreatedLevelByLevelAndListedByRegQuery) {
    const std::string nested = testSection + "\\Deeper\\Deepest";
    ASSERT_TRUE(WriteRegString(registry, nested, "Path", "C:\\Musik\\Schnee.mp3"));
    ASSERT_TRUE(WriteRegString(registry, testSection + "\\", "LastUpdate", "20261206"));
    EXPECT_EQ(ReadRegString(registry, nested, "Path"), "C:\\Musik\\Schnee.mp3");
    EXPECT_EQ(ReadRegString(registry, testSection, "LastUpdate"), "20261206");
    EXPECT_EQ(ReadRegString(registry, testSection + "\\", "LastUpdate"), "20261206");

    const ToolRun run = RunRegQuery(kTestRegPath);
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    const auto listed = ParseRegQuery(run.output, GetOEMCP());
    ASSERT_EQ(listed.count("LastUpdate"), 1u) << run.output;
    EXPECT_EQ(listed.at("LastUpdate").type, "REG_SZ");
    EXPECT_EQ(listed.at("LastUpdate").data, "20261206");
    EXPECT_NE(run.output.find("RegistryTest\\Deeper"), std::string::npos) << run.output;
}

TEST_F(RegistryWin32, ExistingSystemKeysOpenForReadingOnly) {
    // The icon-size key of every user profile, opened down to its last level;
    // reading never creates keys.
    EXPECT_TRUE(
        OpenRegPath(registry, "HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics", false));
    EXPECT_FALSE(OpenRegPath(registry, testSection + "\\Missing", false));
    EXPECT_EQ(ReadRegString(registry, testSection + "\\Missing", "Value"), "");
    EXPECT_FALSE(OpenRaw(kTestSubkey, KEY_READ));
}

TEST_F(RegistryWin32, UnknownRootsWriteNothing) {
    EXPECT_FALSE(WriteRegString(registry, "HKEY_USERS\\Software", "Value", "1"));
    EXPECT_FALSE(
        WriteRegString(registry, "HKCU\\Software\\Merelan\\Brumo\\RegistryTest", "Value", "1"));
    EXPECT_FALSE(WriteRegString(registry, "HKEY_CURRENT_USER", "RegistryTestValue", "1"));
    EXPECT_FALSE(OpenRaw(kTestSubkey, KEY_READ));
    EXPECT_FALSE(QueryRaw(L"", "RegistryTestValue"));
}

TEST_F(RegistryWin32, ReadBufferHoldsAtMost16300AnsiBytes) {
    // With its terminator a 16299-character text just fits the buffer; one
    // character more and it is written whole but reads as empty.
    const std::string fits(16299, 'a');
    ASSERT_TRUE(WriteRegString(registry, testSection, "Fits", fits));
    ASSERT_TRUE(WriteRegString(registry, testSection, "TooLong", std::string(16300, 'c')));
    EXPECT_EQ(ReadRegString(registry, testSection, "Fits"), fits);
    EXPECT_EQ(ReadRegString(registry, testSection, "TooLong"), "");
    const auto tooLong = QueryRaw(kTestSubkey, "TooLong");
    ASSERT_TRUE(tooLong);
    EXPECT_EQ(tooLong->data, StoredText(std::string(16300, 'c')));

    // A text some other program stored without terminator fills the buffer
    // exactly and loses its last character.
    const UniqueHkey key = OpenRaw(kTestSubkey, KEY_SET_VALUE);
    ASSERT_TRUE(key);
    const std::wstring full = std::wstring(16300, L'b') + L'x';  // 'x' keeps the system
    ASSERT_EQ(RegSetValueExW(key.get(), L"Full", 0, REG_SZ,      // from adding a NUL
                             reinterpret_cast<const BYTE*>(full.data()), 16300 * sizeof(wchar_t)),
              ERROR_SUCCESS);
    ASSERT_EQ(QueryRaw(kTestSubkey, "Full")->data.size(), 16300 * sizeof(wchar_t));
    EXPECT_EQ(ReadRegString(registry, testSection, "Full"), std::string(16299, 'b'));

    // The type is not checked: a number's raw bytes come back as they are.
    const DWORD digits = 0x00323334;  // "432" and a NUL in memory order
    ASSERT_EQ(RegSetValueExW(key.get(), L"Number", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&digits), sizeof digits),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadRegString(registry, testSection, "Number"), "432");
}

TEST_F(RegistryWin32, LongListIsStoredUpToItsLastWholeEntry) {
    std::string list;
    for (int i = 0; i < 2000; ++i)
        list += "entry" + std::string(4 - std::to_string(i).size(), '0') + std::to_string(i) +
                ";";  // 10 characters each
    ASSERT_TRUE(WriteRegString(registry, testSection, "List", list));
    const auto stored = QueryRaw(kTestSubkey, "List");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->data, StoredText(list.substr(0, 16289)));
    EXPECT_EQ(ReadRegString(registry, testSection, "List"), list.substr(0, 16289));
}

TEST_F(RegistryWin32, EveryKeyHandleIsClosed) {
    CheckedRegistry checked;
    ASSERT_TRUE(WriteRegString(checked, testSection + "\\A\\B", "Value", "1"));
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(WriteRegString(checked, testSection + "\\A\\B\\", "Value", std::to_string(i)));
        EXPECT_EQ(ReadRegString(checked, testSection + "\\A\\B", "Value"), std::to_string(i));
        EXPECT_EQ(ReadRegString(checked, testSection + "\\A\\Missing", "Value"), "");
        EXPECT_EQ(ReadRegString(checked, testSection + "\\A\\B", "Missing"), "");
    }
    // Every level of every path opened a key of its own.
    EXPECT_EQ(checked.opened, 6 + 20 * (7 + 6 + 5 + 6));
    EXPECT_EQ(checked.closed, checked.opened);
    EXPECT_EQ(checked.stillOpenAfterClose, 0);
}

}  // namespace
}  // namespace brumo
