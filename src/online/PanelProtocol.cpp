// The panel's requests: each one POSTs a form body to the one script URL and
// reads the reply as untrusted text. The refresh walks the slots in order and
// stores what it got, so the registry and the cache are the offline state.
#include "online/PanelProtocol.h"

#include <algorithm>

#include "common/NumberRule.h"
#include "common/Version.h"
#include "online/PanelEntries.h"

namespace brumo {
namespace {

constexpr std::uint16_t kHttpPort = 80;
constexpr std::int32_t kPreconfigAccess = 0;
constexpr std::string_view kSlotPrefix = "Slot:";

std::string Post(HttpPort& port, const std::string& url, const std::string& body) {
    std::string reply = port.HttpRequest(url, "POST", body, kPreconfigAccess, kHttpPort, "", "");
    if (reply.size() > kMaxReplyBytes) reply.resize(kMaxReplyBytes);
    return reply;
}

PanelSlot FetchSlot(PanelServices services, const std::string& url, std::int32_t language,
                    std::int32_t slot) {
    PanelSlot result;
    result.entry = GetPanelSlot(services.http, url, language, slot);
    WritePanelValue(services.registry, "Slot" + std::to_string(slot), result.entry);
    const std::optional<PanelEntries> entries = GetEntries(result.entry);
    const std::string image = entries ? entries->Value("Image") : std::string();
    const std::string name = PanelCacheFileName(slot, image);
    if (!image.empty() && !name.empty())
        result.picturePath = DownloadToCache(services.fetcher, services.files, image, name);
    return result;
}

}  // namespace

std::vector<PanelSlot> PanelSlotsFromCache(RegistryBackend& registry, CacheFileSystem& files) {
    const std::int32_t count =
        std::min(NumberRuleInt32(ReadPanelValue(registry, "SlotMax")), kMaxPanelSlots);
    std::vector<PanelSlot> slots;
    for (std::int32_t slot = 1; slot <= count; ++slot) {
        PanelSlot stored{ReadPanelValue(registry, "Slot" + std::to_string(slot)), {}};
        const std::optional<PanelEntries> entries = GetEntries(stored.entry);
        const std::string image = entries ? entries->Value("Image") : std::string();
        const std::string name = PanelCacheFileName(slot, image);
        if (!image.empty() && !name.empty()) stored.picturePath = GetCachePath(files, name);
        slots.push_back(stored);
    }
    return slots;
}

std::string PanelScriptUrl(std::string_view host) {
    return "http://" + std::string(host) + "/updatepanel/brumo/" + VersionText() +
           "/updatepanel.php";
}

std::string PanelScriptUrl() {
    return PanelScriptUrl(BRUMO_UPDATE_HOST);
}

bool PanelHandshake(HttpPort& port, const std::string& url) {
    return Post(port, url, "action=handshake") == "ready";
}

std::int32_t GetPanelSlotMax(HttpPort& port, const std::string& url) {
    return NumberRuleInt32(Post(port, url, "action=getslotmax"));
}

std::string GetPanelSlot(HttpPort& port, const std::string& url, std::int32_t language,
                         std::int32_t id) {
    const std::string reply = Post(
        port, url, "lang=" + std::to_string(language) + "&action=getslot&id=" + std::to_string(id));
    if (reply.compare(0, kSlotPrefix.size(), kSlotPrefix) != 0) return {};
    return reply.substr(kSlotPrefix.size());
}

std::string ReadPanelValue(RegistryBackend& registry, const std::string& name) {
    return ReadRegString(registry, SectionKeyPath(kPanelSection), name);
}

bool WritePanelValue(RegistryBackend& registry, const std::string& name, const std::string& value) {
    return WriteRegString(registry, SectionKeyPath(kPanelSection), name, value);
}

bool IsPanelCheckDue(RegistryBackend& registry, const std::string& today) {
    const std::string last = ReadPanelValue(registry, "LastUpdate");
    return last.empty() || last != today;
}

std::optional<std::vector<PanelSlot>> RefreshPanelSlots(PanelServices services,
                                                        const std::string& url,
                                                        std::int32_t language,
                                                        const std::string& today) {
    if (!PanelHandshake(services.http, url)) return std::nullopt;
    std::vector<PanelSlot> slots;
    const std::int32_t count = std::min(GetPanelSlotMax(services.http, url), kMaxPanelSlots);
    if (count >= 1) {
        WritePanelValue(services.registry, "SlotMax", std::to_string(count));
        for (std::int32_t slot = 1; slot <= count; ++slot)
            slots.push_back(FetchSlot(services, url, language, slot));
    }
    WritePanelValue(services.registry, "LastUpdate", today);
    return slots;
}

}  // namespace brumo
