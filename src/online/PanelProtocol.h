// The three requests of the news panel to the maker's script, and the online
// refresh that stores their answers: `SlotMax`, "Slot<N>" and `LastUpdate`
// in the registry section "UpdatePanel", the slot pictures in the cache.
// Every reply is untrusted: cut to `kMaxReplyBytes`, and the slot count is
// bounded so a hostile server cannot keep the dialog busy for ever.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "online/HttpPost.h"
#include "online/PanelCache.h"
#include "settings/RegistryFunctions.h"

namespace brumo {

inline constexpr std::int32_t kMaxPanelSlots = 16;
inline constexpr std::string_view kPanelSection = "UpdatePanel";

// "http://<host>/updatepanel/brumo/<version>/updatepanel.php".
std::string PanelScriptUrl(std::string_view host);
// The same for the update server set at build time (BRUMO_UPDATE_HOST).
std::string PanelScriptUrl();

// True only for the reply "ready", exactly.
bool PanelHandshake(HttpPort& port, const std::string& url);
// The reply by the number rule, rounded to 32 bits; 0 for an empty reply.
std::int32_t GetPanelSlotMax(HttpPort& port, const std::string& url);
// The reply after a leading "Slot:" (nothing trimmed); empty otherwise.
std::string GetPanelSlot(HttpPort& port, const std::string& url, std::int32_t language,
                         std::int32_t id);

// A value of the panel's registry section; empty when missing.
std::string ReadPanelValue(RegistryBackend& registry, const std::string& name);
bool WritePanelValue(RegistryBackend& registry, const std::string& name, const std::string& value);

// Whether the panel should go online: `LastUpdate` differs from today's
// short-date text; a missing or empty value is always due.
bool IsPanelCheckDue(RegistryBackend& registry, const std::string& today);

// One slot as the display shows it: its entry text and its cached picture
// (empty when it has none).
struct PanelSlot {
    std::string entry;
    std::string picturePath;
};

// What the online refresh talks to.
struct PanelServices {
    HttpPort& http;
    UrlFetcher& fetcher;
    CacheFileSystem& files;
    RegistryBackend& registry;
};

// Handshake, slot count, then every slot in order (entry stored, picture
// downloaded); `LastUpdate` = `today` at the end. Nothing when the handshake
// fails: then nothing is written.
std::optional<std::vector<PanelSlot>> RefreshPanelSlots(PanelServices services,
                                                        const std::string& url,
                                                        std::int32_t language,
                                                        const std::string& today);

// The slots as stored: `SlotMax` by the number rule (bounded like a refresh),
// each "Slot<N>" value and its picture's cache path (no download). Empty when
// `SlotMax` is below 1.
std::vector<PanelSlot> PanelSlotsFromCache(RegistryBackend& registry, CacheFileSystem& files);

}  // namespace brumo
