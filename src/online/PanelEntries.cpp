// Slot entry parsing and the cache name rule. One pass over the text keeps
// the work linear even for a reply of the largest allowed size.
#include "online/PanelEntries.h"

#include <algorithm>
#include <array>
#include <set>

#include "common/FileFunctions.h"

namespace brumo {
namespace {

constexpr std::size_t kMaxExtensionLength = 5;
constexpr std::array<std::string_view, 12> kRunnableTypes = {
    "exe", "com", "bat", "cmd", "scr", "pif", "js", "vbs", "lnk", "msi", "dll", "hta"};

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::string GetSplitPart(std::string_view text, std::size_t n) {
    std::size_t start = 0;
    for (std::size_t part = 1; n > 0 && start <= text.size(); ++part) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        if (part == n)
            return text.empty() ? std::string() : std::string(text.substr(start, end - start));
        start = end + 1;
    }
    return {};
}

std::string PanelEntries::Value(std::string_view key) const {
    const std::string wanted = LowerAscii(key);
    for (const auto& [name, value] : pairs)
        if (LowerAscii(name) == wanted) return value;
    return {};
}

std::optional<PanelEntries> GetEntries(std::string_view a_EntriesString) {
    PanelEntries entries;
    std::set<std::string> seen;
    std::size_t start = 0;
    while (start < a_EntriesString.size()) {
        const std::size_t end = std::min(a_EntriesString.find(';', start), a_EntriesString.size());
        const std::string_view part = a_EntriesString.substr(start, end - start);
        if (part.empty()) break;
        const std::size_t colon = part.find(':');
        if (colon != std::string_view::npos) {
            const std::string_view key = part.substr(0, colon);
            if (!seen.insert(LowerAscii(key)).second) return std::nullopt;
            entries.pairs.emplace_back(key, part.substr(colon + 1));
        }
        start = end + 1;
    }
    return entries;
}

std::string PanelCacheFileName(std::int32_t slot, std::string_view imageUrl) {
    const std::string extension = GetFileExtension(imageUrl);
    if (extension.empty() || extension.size() > kMaxExtensionLength) return {};
    if (!std::all_of(extension.begin(), extension.end(), IsAsciiAlnum)) return {};
    const std::string lower = LowerAscii(extension);
    if (std::find(kRunnableTypes.begin(), kRunnableTypes.end(), lower) != kRunnableTypes.end())
        return {};
    return "Slot" + std::to_string(slot) + "." + extension;
}

}  // namespace brumo
