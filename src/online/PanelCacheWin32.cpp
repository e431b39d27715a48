// The panel cache on Windows: the shell names the local application-data
// folder, folders and files are made by their wide names, and a picture is
// one WinInet GET with one read. The GET is opened step by step (session,
// connection, request) rather than with InternetOpenUrl, because only a
// request handle made by hand can be given its send and receive time-outs
// before the request goes out: a connection made inside InternetOpenUrl
// waits without limit under some WinInet versions (Wine's among them).
// Each handle is closed when its owner goes out of scope, the request first.
#include "online/PanelCacheWin32.h"

#include <shlobj.h>
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "common/HandlesWin32.h"
#include "common/TextWin32.h"
#include "common/WebAddress.h"
#include "online/HttpPost.h"
#include "online/InternetHandleWin32.h"

namespace brumo {
namespace {

struct WebTarget {
    std::wstring host;
    std::wstring path;  // with the query
    INTERNET_PORT port = 0;
    bool secure = false;
};

// Host, port and path of an http or https address; nothing for any other.
std::optional<WebTarget> CrackWebAddress(const std::wstring& url) {
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    // Non-zero lengths without buffers ask for pointers into `url`.
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(url.c_str(), 0, 0, &parts)) return std::nullopt;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
        return std::nullopt;
    WebTarget target{std::wstring(parts.lpszHostName, parts.dwHostNameLength),
                     std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                         std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength),
                     parts.nPort, parts.nScheme == INTERNET_SCHEME_HTTPS};
    if (target.path.empty()) target.path = L"/";
    return target;
}

// One GET sent on `connection`, the reply's head read; null on failure.
InternetHandle SendGet(HINTERNET connection, const WebTarget& target) {
    const DWORD flags = INTERNET_FLAG_RELOAD | (target.secure ? INTERNET_FLAG_SECURE : 0);
    InternetHandle request(HttpOpenRequestW(connection, L"GET", target.path.c_str(), nullptr,
                                            nullptr, nullptr, flags, 0));
    if (!request) return request;
    SetInternetTimeouts(request.get());
    if (!HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0)) request.reset();
    return request;
}

}  // namespace

std::string WinCacheFileSystem::LocalAppDataFolder() {
    std::array<wchar_t, MAX_PATH> path{};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                                path.data())))
        return {};
    return WideToUtf8(path.data());
}

void WinCacheFileSystem::MakeFolder(const std::string& path) {
    CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr);
}

bool WinCacheFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
    const UniqueFile file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) &&
           written == bytes.size();
}

std::string WinInetFetcher::Fetch(const std::string& url, std::size_t maxBytes) {
    pump_.DoEvents();
    // The address comes from the network: only a web address is fetched,
    // never a local file or a share.
    if (!IsOpenableAddress(url, AddressKinds::Web)) return {};
    const std::optional<WebTarget> target = CrackWebAddress(Utf8ToWide(url));
    if (!target) return {};
    const InternetHandle session(InternetOpenW(Utf8ToWide(kHttpAgent).c_str(),
                                               INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session) return {};
    SetInternetTimeouts(session.get());
    const InternetHandle connection(InternetConnectW(session.get(), target->host.c_str(),
                                                     target->port, nullptr, nullptr,
                                                     INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return {};
    const InternetHandle request = SendGet(connection.get(), *target);
    if (!request) return {};
    std::string data(std::min<std::size_t>(maxBytes, MAXDWORD), '\0');
    DWORD read = 0;
    if (!InternetReadFile(request.get(), data.data(), static_cast<DWORD>(data.size()), &read))
        read = 0;
    data.resize(read);
    return data;
}

}  // namespace brumo
