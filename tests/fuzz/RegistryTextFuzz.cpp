// Hostile key paths, value names and values through the registry text
// helpers over the in-memory registry. Input: one byte choosing the root and
// the value's repeats, then key path, value name and value, 0x01-separated.
#include <array>
#include <string>
#include <string_view>

#include "../unit/FakeRegistry.h"
#include "FuzzCheck.h"
#include "common/TextTrim.h"

namespace {

constexpr std::array<std::string_view, 4> kRoots = {"HKEY_CURRENT_USER\\", "HKEY_LOCAL_MACHINE\\",
                                                    "HKEY_CLASSES_ROOT\\", "HKEY_USERS\\"};
constexpr char kFieldEnd = '\x01';
constexpr std::size_t kRepeatStep = 8;  // up to 505 copies: long lists

std::string NextField(std::string_view& rest) {
    const std::size_t end = rest.find(kFieldEnd);
    const std::string field(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return field;
}

bool IsPlainUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80                   ? 1
                                   : lead >= 0xC2 && lead < 0xE0 ? 2
                                   : lead >= 0xE0 && lead < 0xF0 ? 3
                                   : lead >= 0xF0 && lead < 0xF5 ? 4
                                                                 : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brumo;
    using fuzz::Check;
    if (size == 0) return 0;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string root(kRoots[data[0] % kRoots.size()]);
    const std::string keyPath = root + NextField(rest);
    const std::string name = NextField(rest);
    std::string value;
    for (std::size_t i = 0; i <= data[0] / kRoots.size() * kRepeatStep; ++i) value += rest;

    test::FakeRegistry registry;
    const bool known = root != kRoots.back();
    Check(WriteRegString(registry, keyPath, name, value) == known);
    const std::string read = ReadRegString(registry, keyPath, name);
    Check(static_cast<bool>(OpenRegPath(registry, keyPath, false)) == known);
    Check(registry.OpenKeys() == 0 && registry.badCloses == 0);
    Check(read.find('\0') == std::string::npos);
    Check(read.empty() || (read.front() != ' ' && read.back() != ' '));
    const std::optional<std::string> stored = registry.Stored(keyPath, name);
    if (!known || !stored) return 0;
    const bool list =
        value.find(';') != std::string::npos && CountCharacters(value) >= kListShorteningLength;
    const std::string kept = *stored == std::string(1, '\0') ? std::string() : *stored;
    if (list && kept != value)
        Check(kept.size() < value.size() && value.compare(0, kept.size(), kept) == 0 &&
              value[kept.size()] == ';');
    const bool plain = !list && IsPlainUtf8(value) && value.find('\0') == std::string::npos &&
                       CountCharacters(value) < kReadBufferSize && value == TrimBlanks(value);
    if (plain) Check(read == value);
    return 0;
}
