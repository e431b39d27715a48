// WinInet handles as owned values, and the one time-out every step of the
// panel's network work gets, so that a server that accepts and never answers
// costs about a second per request instead of holding the dialog.
#pragma once

#include <windows.h>
#include <wininet.h>

#include "common/HandlesWin32.h"

namespace brumo {

struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle invalid() { return nullptr; }
    static void close(Handle handle) { InternetCloseHandle(handle); }
};
using InternetHandle = UniqueHandle<InternetHandleTraits>;

inline constexpr DWORD kInternetTimeoutMs = 1000;

// Connect, send and receive time-outs of `handle`; a request handle needs its
// own, since not every WinInet passes a session's on to the connections it makes.
inline void SetInternetTimeouts(HINTERNET handle) {
    for (const DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                               INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        DWORD value = kInternetTimeoutMs;
        InternetSetOptionW(handle, option, &value, sizeof(value));
    }
}

}  // namespace brumo
