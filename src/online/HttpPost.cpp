// The portable half of the HTTP client: how a URL is split into host and
// path, and which reported connection states count as connected.
#include "online/HttpPost.h"

namespace brumo {

namespace {

constexpr std::string_view kBlanks = " \t\r\n";
constexpr std::string_view kScheme = "http://";
constexpr std::uint32_t kModem = 0x01;
constexpr std::uint32_t kLan = 0x02;
constexpr std::uint32_t kOffline = 0x20;

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool StartsWithSchemeAnyCase(std::string_view text) {
    if (text.size() < kScheme.size()) return false;
    for (std::size_t i = 0; i < kScheme.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kScheme[i]) return false;
    }
    return true;
}

}  // namespace

UrlParts SplitUrl(std::string_view a_Url) {
    std::string_view rest = Trim(a_Url);
    if (StartsWithSchemeAnyCase(rest)) rest.remove_prefix(kScheme.size());
    const auto slash = rest.find('/');
    if (slash == std::string_view::npos) return {std::string(rest), "/"};
    return {std::string(rest.substr(0, slash)), std::string(rest.substr(slash))};
}

bool IsConnectedState(bool stateKnown, std::uint32_t flags) {
    if (!stateKnown || (flags & kOffline) != 0) return false;
    return (flags & (kModem | kLan)) != 0;
}

}  // namespace brumo
