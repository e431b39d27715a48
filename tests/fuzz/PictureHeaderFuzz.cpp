// Any bytes as a picture file's first bytes: the header reader must neither
// read beyond them nor answer a size that names no pixels.
#include <span>

#include "FuzzCheck.h"
#include "imaging/PictureHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto claimed = brumo::ReadPictureSize(std::span<const std::uint8_t>(data, size));
    brumo::fuzz::Check(!claimed || (claimed->width > 0 && claimed->height > 0));
    return 0;
}
