// Opens a web page or a mail address with the shell's "open" verb, shown
// normally; any other address is refused without asking the shell.
#pragma once

#include <windows.h>

#include <string>

#include "common/WebAddress.h"

namespace brumo {

// False when the address is refused or the shell failed; callers show nothing.
bool OpenAddress(HWND owner, const std::string& address, AddressKinds kinds);

}  // namespace brumo
