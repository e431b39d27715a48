// The openable-address rule: a known scheme (compared without regard to
// case) with something after it, and no character that could end the
// address early or split it into more than one argument on its way to the
// program the shell starts (blanks, control characters, quotes).
#include "common/WebAddress.h"

#include <array>
#include <cctype>

namespace brumo {
namespace {

constexpr std::array<std::string_view, 2> kWebSchemes = {"http://", "https://"};
constexpr std::string_view kMailScheme = "mailto:";

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (std::tolower(c) != static_cast<unsigned char>(prefix[i])) return false;
    }
    return true;
}

// Something after the scheme, and nothing in the address a command line
// could read as the end of one argument or the start of another.
bool HasSafeBodyAfter(std::string_view address, std::string_view scheme) {
    constexpr unsigned char kLastBlankOrControl = 0x20;
    constexpr unsigned char kDelete = 0x7F;
    if (address.size() <= scheme.size()) return false;
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= kLastBlankOrControl || byte == kDelete || c == '"') return false;
    }
    return true;
}

}  // namespace

bool IsOpenableAddress(std::string_view address, AddressKinds kinds) {
    for (const std::string_view scheme : kWebSchemes)
        if (StartsWithIgnoringCase(address, scheme)) return HasSafeBodyAfter(address, scheme);
    if (kinds == AddressKinds::WebAndMail && StartsWithIgnoringCase(address, kMailScheme))
        return HasSafeBodyAfter(address, kMailScheme);
    return false;
}

}  // namespace brumo
