// A minimal, blocking HTTP client: one call sends one request with a
// form-encoded body and returns the whole reply body (the empty text, or what
// arrived before a failure). The update panel's protocol talks to the maker's
// script only through `HttpPort`, so it is portable and tested against fakes;
// `HttpPostWin32` sends the requests with WinInet. Replies are untrusted: a
// reply is cut at `kMaxReplyBytes`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace brumo {

inline constexpr const char* kHttpAgent = "VA-Dez:INET";
inline constexpr std::size_t kMaxReplyBytes = std::size_t{1} << 20U;  // 1 MiB

class HttpPort {
  public:
    virtual ~HttpPort() = default;
    virtual std::string HttpRequest(const std::string& a_Url, const std::string& a_Verb,
                                    const std::string& a_Body, std::int32_t a_AccessType,
                                    std::uint16_t a_Port, const std::string& a_User,
                                    const std::string& a_Password) = 0;
};

// Host and path of a URL: blanks trimmed, a leading "http://" (any case)
// dropped, the host up to the first "/", the path from it ("/" when none).
struct UrlParts {
    std::string host;
    std::string path;
};
UrlParts SplitUrl(std::string_view a_Url);

// Whether the connection state the system reports counts as connected:
// modem or local network, and never while offline.
bool IsConnectedState(bool stateKnown, std::uint32_t flags);

}  // namespace brumo
