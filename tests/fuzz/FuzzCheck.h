// A failed property ends the run, so libFuzzer keeps the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace brumo::fuzz {

inline void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace brumo::fuzz
