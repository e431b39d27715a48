// Probes for optional system libraries and their functions.
#pragma once

#include <string>

namespace brumo {

// True when the library is already loaded or can be loaded; a library loaded
// only for the question is freed again, one already in use is left alone.
bool IsLibraryAvailable(const std::string& library);

// True when the library loads and, if a function name is given, exports it.
bool IsFunctionAvailable(const std::string& library, const std::string& function);

}  // namespace brumo
