#include "about/AboutHostWin32.h"

#include "common/HandlesWin32.h"
#include "common/ShellOpenWin32.h"
#include "common/TextWin32.h"
#include "settings/RegistryFunctions.h"
#include "settings/RegistryWin32.h"

namespace brumo {

// Reading is all the about box does with the key, so it opens it for reading
// only: a standard user may not open a machine key with full access.
std::string Win32AboutHost::ReadMachineText(const std::string& keyPath,
                                            const std::string& valueName) {
    Win32Registry registry;
    return ReadRegString(registry, "HKEY_LOCAL_MACHINE\\" + keyPath, valueName);
}

bool Win32AboutHost::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The path names the program itself, so a blank in it ("Program Files")
// cannot make the system start a different program.
bool Win32AboutHost::StartProgram(const std::string& path) {
    const std::wstring program = Utf8ToWide(path);
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    const UniqueKernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    return true;
}

void Win32AboutHost::OpenLink(const std::string& address, AddressKinds kinds) {
    OpenAddress(owner_, address, kinds);
}

void Win32AboutHost::ShowMessage(const std::string& text, MessageStyle style) {
    MessageBoxW(owner_, Utf8ToWide(text).c_str(), Utf8ToWide(kApplicationTitle).c_str(),
                static_cast<UINT>(style));
}

}  // namespace brumo
