// Small path helpers shared by the music page and the news panel.
#pragma once

#include <string>
#include <string_view>

namespace brumo {

// The text after the last "." when that dot lies behind the last "\"; empty otherwise.
std::string GetFileExtension(std::string_view path);

}  // namespace brumo
