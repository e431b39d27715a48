// The news panel's slot entry text: ";"-separated "key:value" pairs, and the
// name a slot's picture gets in the cache. Everything here reads text that
// came from the network, so it is bounded by the text and never trusts it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brumo {

// Part `n` (1-based) of `text` split at every ";"; empty when there is none.
std::string GetSplitPart(std::string_view text, std::size_t n);

// The pairs of one slot entry, in the order they came.
struct PanelEntries {
    std::vector<std::pair<std::string, std::string>> pairs;
    // The value of `key` compared without regard to (ASCII) case; empty when absent.
    std::string Value(std::string_view key) const;
};

// Parses an entry: parts up to the first empty one; a part's key is the text
// before its first ":", the value the rest; a part without ":" is skipped.
// A key that repeats an earlier one (any case) makes the whole parse fail.
std::optional<PanelEntries> GetEntries(std::string_view a_EntriesString);

// "Slot<slot>.<extension>" for the picture address `imageUrl`, or empty when
// the extension is not 1 to 5 ASCII letters or digits or names a type the
// system would run (exe, bat, js, ...): the name must stay inside the cache
// folder and must never become a program.
std::string PanelCacheFileName(std::int32_t slot, std::string_view imageUrl);

}  // namespace brumo
