#include "settings/RegistryFunctions.h"

#include <array>
#include <utility>

#include "common/TextTrim.h"

namespace brumo {
namespace {

constexpr char kLevelSeparator = '\\';
constexpr char kListSeparator = ';';
constexpr char kBlank = ' ';
constexpr char kNul = '\0';

struct RootKey {
    std::string_view name;
    RegHandle handle;
};
constexpr std::array<RootKey, 3> kRootKeys{{
    {"HKEY_CURRENT_USER", kHkeyCurrentUser},
    {"HKEY_LOCAL_MACHINE", kHkeyLocalMachine},
    {"HKEY_CLASSES_ROOT", kHkeyClassesRoot},
}};

std::optional<RegHandle> FindRoot(std::string_view name) {
    for (const RootKey& root : kRootKeys)
        if (root.name == name) return root.handle;
    return std::nullopt;
}

// A Windows text counts its characters in UTF-16 units: one for a character
// of the basic plane, two for the others (those take four bytes in UTF-8).
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuationBits = 0x80;
constexpr unsigned char kFourByteLead = 0xF0;
constexpr std::size_t kSupplementaryUnits = 2;

bool IsContinuationByte(unsigned char byte) {
    return (byte & kContinuationMask) == kContinuationBits;
}

std::size_t CharacterUnits(unsigned char lead) {
    return lead >= kFourByteLead ? kSupplementaryUnits : 1;
}

// The byte length of the longest start of `text` that holds at most `limit`
// characters; a character that would straddle the limit stays out.
std::size_t PrefixBytes(std::string_view text, std::size_t limit) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsContinuationByte(byte)) continue;
        units += CharacterUnits(byte);
        if (units > limit) return i;
    }
    return text.size();
}

// A long ";"-list loses whole trailing entries, never part of one. When no
// ";" lies within the limit there is no entry boundary to cut at, and the
// value is kept whole rather than losing everything.
std::string ShortenList(const std::string& value) {
    if (value.find(kListSeparator) == std::string::npos) return value;
    if (CountCharacters(value) < kListShorteningLength) return value;
    const std::string_view kept =
        std::string_view(value).substr(0, PrefixBytes(value, kListShorteningLength));
    const std::size_t lastSeparator = kept.rfind(kListSeparator);
    if (lastSeparator == std::string_view::npos) return value;
    return value.substr(0, lastSeparator);
}

}  // namespace

std::size_t CountCharacters(std::string_view text) {
    std::size_t units = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (!IsContinuationByte(byte)) units += CharacterUnits(byte);
    }
    return units;
}

std::string SectionKeyPath(std::string_view section) {
    std::string path(kBrumoKeyPrefix);
    path += section;
    return path;
}

RegKey::RegKey(RegKey&& other) noexcept
    : backend_(std::exchange(other.backend_, nullptr)), handle_(std::exchange(other.handle_, 0)) {}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        Close();
        backend_ = std::exchange(other.backend_, nullptr);
        handle_ = std::exchange(other.handle_, 0);
    }
    return *this;
}

void RegKey::Close() {
    if (backend_ == nullptr) return;
    backend_->CloseKey(handle_);
    backend_ = nullptr;
    handle_ = 0;
}

std::string CutAtNull(std::string_view text) {
    const std::size_t nul = text.find(kNul);
    if (nul != std::string_view::npos) return std::string(text.substr(0, nul));
    // The last character goes whole, with its continuation bytes.
    std::size_t end = text.size();
    while (end > 0 && IsContinuationByte(static_cast<unsigned char>(text[end - 1]))) --end;
    return std::string(text.substr(0, end > 0 ? end - 1 : 0));
}

RegKey CreateRegKey(RegistryBackend& backend, RegHandle parent, const std::string& name) {
    const std::optional<RegHandle> key = backend.CreateKey(parent, name, kCreateKeyAccess);
    if (!key) return {};
    return RegKey(backend, *key);
}

RegKey OpenRegPath(RegistryBackend& backend, std::string_view keyPath, bool create) {
    const std::size_t rootEnd = keyPath.find(kLevelSeparator);
    if (rootEnd == std::string_view::npos) return {};
    const std::optional<RegHandle> root = FindRoot(keyPath.substr(0, rootEnd));
    if (!root) return {};

    // The predefined root is never closed; every key opened below it is,
    // as soon as the next level is open or when a level fails.
    RegKey current;
    std::size_t levelStart = rootEnd + 1;
    for (;;) {
        const std::size_t levelEnd = keyPath.find(kLevelSeparator, levelStart);
        const std::string name(keyPath.substr(levelStart, levelEnd - levelStart));
        const RegHandle parent = current ? current.Get() : *root;
        RegKey next;
        if (create) {
            next = CreateRegKey(backend, parent, name);
        } else if (const std::optional<RegHandle> opened = backend.OpenKey(parent, name)) {
            next = RegKey(backend, *opened);
        }
        if (!next) return {};
        current = std::move(next);
        if (levelEnd == std::string_view::npos) return current;
        levelStart = levelEnd + 1;
    }
}

std::string ReadRegString(RegistryBackend& backend, std::string_view keyPath,
                          const std::string& valueName) {
    std::optional<std::string> data;
    {
        const RegKey key = OpenRegPath(backend, keyPath, false);
        if (!key) return {};
        data = backend.QueryText(key.Get(), valueName, kReadBufferSize);
    }
    if (!data) return {};
    // The value fills the start of a buffer of blanks.
    std::string buffer = std::move(*data);
    const std::size_t used = CountCharacters(buffer);
    if (used < kReadBufferSize) buffer.append(kReadBufferSize - used, kBlank);
    return std::string(TrimBlanks(CutAtNull(buffer)));
}

bool WriteRegString(RegistryBackend& backend, std::string_view keyPath,
                    const std::string& valueName, const std::string& value) {
    const std::string text = ShortenList(value);
    const RegKey key = OpenRegPath(backend, keyPath, true);
    if (!key) return false;
    if (text.empty()) return backend.SetTextValue(key.Get(), valueName, std::string_view(&kNul, 1));
    return backend.SetTextValue(key.Get(), valueName, text);
}

}  // namespace brumo
