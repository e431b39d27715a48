// The program's texts in its three languages, looked up by identifier:
// 1000 x language (1 German, 2 English, 3 Italian) + text number.
#pragma once

#include <cstdint>
#include <string_view>

namespace brumo {

// The text with that identifier, or an empty text when there is none.
std::string_view LookUpString(std::int64_t identifier);

}  // namespace brumo
