// The online refresh against a script whose replies are the input, split at
// every 0xFF byte and handed out in turn: whatever it answers, the slot count
// stays bounded, no request goes elsewhere and every file lands in the cache
// folder under a plain picture name.
#include <string>
#include <string_view>
#include <vector>

#include "FakePanel.h"
#include "FakeRegistry.h"
#include "FuzzCheck.h"
#include "online/PanelProtocol.h"

namespace {

class ReplayScript : public brumo::HttpPort {
  public:
    std::vector<std::string> replies;
    std::size_t next = 0;
    std::string HttpRequest(const std::string& url, const std::string& verb, const std::string&,
                            std::int32_t, std::uint16_t, const std::string&,
                            const std::string&) override {
        brumo::fuzz::Check(url == "http://h/updatepanel/brumo/1.5.0/updatepanel.php" &&
                           verb == "POST");
        if (replies.empty()) return {};
        return replies[next++ % replies.size()];
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brumo;
    using fuzz::Check;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ReplayScript script;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\xFF', start), text.size());
        script.replies.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    test::FakeCache cache;
    cache.pictures["http://p/a.gif"] = std::string(text);
    test::FakeRegistry registry;
    const auto slots =
        RefreshPanelSlots({script, cache, cache, registry}, PanelScriptUrl("h"), 2, "today");
    Check(slots.has_value() == (script.replies.front() == "ready"));
    Check(script.next <= 2 + static_cast<std::size_t>(kMaxPanelSlots));
    const std::string folder = "C:\\Users\\u\\AppData\\Local\\Halvix\\Brumo\\UpdatePanel\\";
    for (const auto& [path, bytes] : cache.files) {
        Check(path.rfind(folder + "Slot", 0) == 0 && bytes.size() <= kMaxPictureBytes + 2);
        Check(path.find_first_of("\\/:", folder.size()) == std::string::npos);
    }
    return 0;
}
