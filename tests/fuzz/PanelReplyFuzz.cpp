// The online refresh against a script whose replies are the input, split at
// every 0xFF byte and given to the request bodies in turn: whatever it
// answers, the slot count stays bounded, no request goes elsewhere and every
// file lands in the cache folder under a plain picture name.
#include <string>
#include <string_view>
#include <vector>

#include "FakePanel.h"
#include "FakeRegistry.h"
#include "FuzzCheck.h"
#include "online/PanelProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brumo;
    using fuzz::Check;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
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
    Check(slots.has_value() == (replies.front() == "ready") && script.wellFormed);
    Check(script.bodies.size() <= bodies.size() - 1);
    for (const auto& [path, bytes] : cache.files) {
        Check(path.rfind(test::kCache + "Slot", 0) == 0 && bytes.size() <= kMaxPictureBytes + 2);
        Check(path.find_first_of("\\/:", test::kCache.size()) == std::string::npos);
    }
    return 0;
}
