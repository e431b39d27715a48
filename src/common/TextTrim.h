// Blank trimming as the stored texts and the command line need it: only the
// blank character (code 32) counts; tabs and line breaks are kept.
#pragma once

#include <string_view>

namespace brumo {

// The text without its leading and trailing blanks.
constexpr std::string_view TrimBlanks(std::string_view text) {
    constexpr char kBlank = ' ';
    const std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kBlank);
    return text.substr(first, last - first + 1);
}

}  // namespace brumo
