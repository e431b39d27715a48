// Any text as a slot entry and as a picture address: parsed pairs never
// cross a ";", keys are unique in any case and the first colon splits, and a
// cache name is "Slot<N>." plus 1 to 5 letters or digits.
#include <cctype>
#include <set>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "online/PanelEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brumo;
    using fuzz::Check;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
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
    return 0;
}
