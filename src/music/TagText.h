// Tag values made readable: the reader keeps a frame's value as the file
// holds it (ISO-8859-1 without its encoding byte; UTF-16 and UTF-8 values with
// their encoding byte, byte-order mark and zero bytes). The page shows them
// decoded, as UTF-8, with trailing NULs cut.
#pragma once

#include <string>
#include <string_view>

namespace brumo {

std::string TagTextForDisplay(std::string_view value);

}  // namespace brumo
