#include "common/LibraryProbeWin32.h"

#include <windows.h>

#include "common/HandlesWin32.h"
#include "common/TextWin32.h"

namespace brumo {

bool IsLibraryAvailable(const std::string& library) {
    const std::wstring name = Utf8ToWide(library);
    if (GetModuleHandleW(name.c_str()) != nullptr) return true;
    const UniqueLibrary loaded(LoadLibraryW(name.c_str()));
    return static_cast<bool>(loaded);
}

bool IsFunctionAvailable(const std::string& library, const std::string& function) {
    const UniqueLibrary loaded(LoadLibraryW(Utf8ToWide(library).c_str()));
    if (!loaded) return false;
    if (function.empty()) return true;
    return GetProcAddress(loaded.get(), function.c_str()) != nullptr;
}

}  // namespace brumo
