// The size a picture file claims in its header, read before any decoder sees
// the file: a picture too large to hold in memory is refused up front, so a
// tiny file claiming 65500 x 65500 pixels never reaches the decoder.
//
// Formats: JPEG (the first start-of-frame segment), GIF (the logical screen),
// BMP (core and info headers; a negative height means rows top-down) and PNG
// (IHDR). Anything else, and any header cut short, has no size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "imaging/BackgroundLayout.h"

namespace brumo {

// How much of a file the header reader may need: JPEG files can carry large
// metadata segments before the frame header.
constexpr std::size_t kPictureHeaderBytes = std::size_t{1024} * 1024;

// The largest picture we decode: at most 32767 pixels on a side and at most
// 2^28 pixels (1 GiB at four bytes a pixel) in all.
constexpr std::int32_t kLargestPictureSide = 32767;
constexpr std::int64_t kLargestPicturePixels = std::int64_t{1} << 28;

// The width and height the header claims, or nothing for an unknown format or
// a header that is cut short or names no pixels.
std::optional<PictureSize> ReadPictureSize(std::span<const std::uint8_t> bytes);

// True when a picture of this size may be decoded.
bool IsDecodableSize(PictureSize size);

}  // namespace brumo
