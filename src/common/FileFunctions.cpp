// Path helpers: pure text work, no file system access.
#include "common/FileFunctions.h"

namespace brumo {

std::string GetFileExtension(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos) return {};
    const std::size_t slash = path.rfind('\\');
    if (slash != std::string_view::npos && slash > dot) return {};
    return std::string(path.substr(dot + 1));
}

}  // namespace brumo
