// The program's version, defined once by the build (the project version).
#pragma once

#include <cstdint>
#include <string>

namespace brumo {

inline constexpr std::int32_t kVersionMajor = BRUMO_VERSION_MAJOR;
inline constexpr std::int32_t kVersionMinor = BRUMO_VERSION_MINOR;
inline constexpr std::int32_t kVersionRevision = BRUMO_VERSION_PATCH;

// "major.minor.revision", always three numbers.
inline std::string VersionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

}  // namespace brumo
