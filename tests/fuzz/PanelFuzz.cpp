// Any text from the network as a slot entry (pairs never cross a ";", keys
// are unique in any case), as a picture address (a cache name is "Slot<N>."
// and 1 to 5 letters or digits) and as the script's replies, split at 0xFF
// (bounded slot count, every file in the cache folder and cut to its cap).
#include <cctype>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "FakePanel.h"
#include "FakeRegistry.h"
#include "FuzzCheck.h"
#include "online/PanelEntries.h"
#include "online/PanelProtocol.h"

namespace {

using namespace brumo;
using fuzz::Check;

void CheckEntriesAndName(std::string_view text) {
    if (const auto entries = GetEntries(text)) {
        std::set<std::string> keys;
        for (const auto& [key, value] : entries->pairs) {
            Check(key.find_first_of(":;") == std::string::npos);
            Check(value.find(';') == std::string::npos);
            Check(text.find(key + ":" + value) != std::string_view::npos);
            std::string lower = key;
            for (char& c : lower)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            Check(keys.insert(lower).second && entries->Value(key) == value);
        }
    }
    const std::string name = PanelCacheFileName(7, text);
    if (!name.empty()) {
        Check(name.rfind("Slot7.", 0) == 0 && name.size() >= 7 && name.size() <= 11);
        for (const char c : name.substr(6)) Check(std::isalnum(static_cast<unsigned char>(c)) != 0);
    }
}

void CheckRefresh(std::string_view text) {
    std::vector<std::string> replies;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\xFF', start), text.size());
        replies.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    test::FakeScript script;
    std::vector<std::string> bodies = {"action=handshake", "action=getslotmax"};
    for (std::int32_t id = 1; id <= kMaxPanelSlots + 1; ++id)
        bodies.push_back("lang=2&action=getslot&id=" + std::to_string(id));
    for (std::size_t i = 0; i < bodies.size(); ++i)
        script.replies[bodies[i]] = replies[i % replies.size()];
    test::FakeCache cache;
    cache.pictures["http://p/a.gif"] = std::string(text);
    test::FakeRegistry registry;
    const auto slots =
        RefreshPanelSlots({script, cache, cache, registry}, PanelScriptUrl("h"), 2, "today");
    Check(slots.has_value() == (replies.front() == "ready"));
    Check(script.bodies.size() <= bodies.size() - 1);
    for (const auto& [path, bytes] : cache.files) {
        Check(path.rfind(test::kCache + "Slot", 0) == 0 && bytes.size() <= kMaxPictureBytes + 2);
        Check(path.find_first_of("\\/:", test::kCache.size()) == std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckEntriesAndName(text);
    CheckRefresh(text);
    return 0;
}
