// The HTTP client and the connection test on WinInet.
#pragma once

#include "online/HttpPost.h"

namespace brumo {

class WinInetHttp final : public HttpPort {
  public:
    std::string HttpRequest(const std::string& a_Url, const std::string& a_Verb,
                            const std::string& a_Body, std::int32_t a_AccessType,
                            std::uint16_t a_Port, const std::string& a_User,
                            const std::string& a_Password) override;
};

bool IsInternetConnected();

}  // namespace brumo
