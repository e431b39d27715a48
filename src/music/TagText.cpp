// Display decoding of tag values. The first byte names the encoding as the
// ID3v2 standard numbers them (1 UTF-16 with a byte-order mark, 2 UTF-16
// big endian, 3 UTF-8); any other value is ISO-8859-1 whose encoding byte
// the reader already dropped. Every branch ends in UTF-8 without trailing NULs.
#include "music/TagText.h"

#include <cstdint>

namespace brumo {
namespace {

constexpr char kUtf16WithMark = 1;
constexpr char kUtf16BigEndian = 2;
constexpr char kUtf8 = 3;
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kHighFirst = 0xD800;
constexpr char32_t kLowFirst = 0xDC00;
constexpr char32_t kLowEnd = 0xE000;
constexpr char32_t kSurrogateBase = 0x10000;
constexpr unsigned kSurrogateBits = 10;

void AppendUtf8(std::string& out, char32_t code) {
    const auto put = [&out](char32_t byte) { out.push_back(static_cast<char>(byte)); };
    if (code < 0x80) {
        put(code);
    } else if (code < 0x800) {
        put(0xC0 | code >> 6U);
        put(0x80 | (code & 0x3FU));
    } else if (code < 0x10000) {
        put(0xE0 | code >> 12U);
        put(0x80 | (code >> 6U & 0x3FU));
        put(0x80 | (code & 0x3FU));
    } else {
        put(0xF0 | code >> 18U);
        put(0x80 | (code >> 12U & 0x3FU));
        put(0x80 | (code >> 6U & 0x3FU));
        put(0x80 | (code & 0x3FU));
    }
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(
            static_cast<char16_t>(bigEndian ? first << 8U | second : second << 8U | first));
    }
    while (!units.empty() && units.back() == u'\0') units.pop_back();
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t unit = units[i];
        const bool high = unit >= kHighFirst && unit < kLowFirst;
        const bool low = unit >= kLowFirst && unit < kLowEnd;
        const char32_t next = i + 1 < units.size() ? units[i + 1] : 0;
        if (high && next >= kLowFirst && next < kLowEnd) {
            AppendUtf8(
                out, kSurrogateBase + ((unit - kHighFirst) << kSurrogateBits) + (next - kLowFirst));
            ++i;
        } else {
            AppendUtf8(out, high || low ? kReplacement : unit);
        }
    }
    return out;
}

std::string Utf16WithMark(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        return Utf16ToUtf8(bytes.substr(2), true);
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return Utf16ToUtf8(bytes.substr(2), false);
    return Utf16ToUtf8(bytes, false);
}

std::string WithoutTrailingNuls(std::string_view text) {
    while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    return std::string(text);
}

}  // namespace

std::string TagTextForDisplay(std::string_view value) {
    if (value.empty()) return {};
    const std::string_view rest = value.substr(1);
    switch (value.front()) {
        case kUtf16WithMark:
            return Utf16WithMark(rest);
        case kUtf16BigEndian:
            return Utf16ToUtf8(rest, true);
        case kUtf8:
            return WithoutTrailingNuls(rest);
        default:
            break;
    }
    std::string out;
    for (const char byte : WithoutTrailingNuls(value))
        AppendUtf8(out, static_cast<unsigned char>(byte));
    return out;
}

}  // namespace brumo
