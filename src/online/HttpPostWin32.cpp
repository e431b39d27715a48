// The HTTP client on WinInet: open, connect, send one request, read the reply
// in small pieces until the server stops or the size limit is reached; the
// handles close in reverse order when the call returns. Failures are not
// examined step by step: a failed step makes the later calls fail, the first
// read yields nothing and the reply is empty.
#include "online/HttpPostWin32.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <array>

#include "common/HandlesWin32.h"
#include "common/TextWin32.h"
#include "online/InternetHandleWin32.h"

namespace brumo {

namespace {

constexpr std::size_t kReadChunk = 2048;
constexpr wchar_t kContentType[] = L"Content-Type: application/x-www-form-urlencoded\r\n";
constexpr wchar_t kHttpVersion[] = L"HTTP/1.0";

const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

std::string ReadReply(HINTERNET request) {
    std::string reply;
    std::array<char, kReadChunk> buffer{};
    DWORD read = 0;
    while (reply.size() < kMaxReplyBytes &&
           InternetReadFile(request, buffer.data(), static_cast<DWORD>(buffer.size()), &read) &&
           read > 0) {
        const std::size_t take = std::min<std::size_t>(read, kMaxReplyBytes - reply.size());
        reply.append(buffer.data(), take);
    }
    return reply;
}

}  // namespace

std::string WinInetHttp::HttpRequest(const std::string& a_Url, const std::string& a_Verb,
                                     const std::string& a_Body, std::int32_t a_AccessType,
                                     std::uint16_t a_Port, const std::string& a_User,
                                     const std::string& a_Password) {
    const UrlParts url = SplitUrl(a_Url);
    const std::wstring agent = Utf8ToWide(kHttpAgent);
    const InternetHandle internet(
        InternetOpenW(agent.c_str(), static_cast<DWORD>(a_AccessType), nullptr, nullptr, 0));
    if (!internet) return {};
    SetInternetTimeouts(internet.get());
    const std::wstring user = Utf8ToWide(a_User);
    const std::wstring password = Utf8ToWide(a_Password);
    const InternetHandle connection(InternetConnectW(internet.get(), Utf8ToWide(url.host).c_str(),
                                                     a_Port, OrNull(user), OrNull(password),
                                                     INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return {};
    const InternetHandle request(HttpOpenRequestW(connection.get(), Utf8ToWide(a_Verb).c_str(),
                                                  Utf8ToWide(url.path).c_str(), kHttpVersion,
                                                  nullptr, nullptr, INTERNET_FLAG_RELOAD, 0));
    if (!request) return {};
    // Children normally inherit the time-outs; some WinInet versions only
    // take the send and receive ones on the request itself.
    SetInternetTimeouts(request.get());
    HttpAddRequestHeadersW(request.get(), kContentType, static_cast<DWORD>(-1),
                           HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE);
    std::string body = a_Body;  // the call takes a mutable buffer
    if (!HttpSendRequestW(request.get(), nullptr, 0, body.data(), static_cast<DWORD>(body.size())))
        return {};
    return ReadReply(request.get());
}

bool IsInternetConnected() {
    DWORD flags = 0;
    const bool known = InternetGetConnectedState(&flags, 0) != FALSE;
    return IsConnectedState(known, flags);
}

}  // namespace brumo
